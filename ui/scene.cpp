#include "ui/scene.h"

namespace qv {

const SceneGroup* Scene::HoverAt(ScenePoint point) const {
  for (auto group = groups.rbegin(); group != groups.rend(); ++group) {
    if (group->hover.empty()) continue;
    for (const SceneShape& shape : group->shapes) {
      const auto* box = std::get_if<SceneBox>(&shape);
      if (box && point.x >= box->x && point.x <= box->x + box->width && point.y >= box->y &&
          point.y <= box->y + box->height) {
        return &*group;
      }
    }
  }
  return nullptr;
}

const SceneGroup* Scene::Find(const std::string& id) const {
  for (const SceneGroup& group : groups) {
    if (group.id == id) return &group;
  }
  return nullptr;
}

}  // namespace qv
