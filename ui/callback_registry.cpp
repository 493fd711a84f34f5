#include "ui/callback_registry.h"

#include <map>
#include <string>

namespace qv {
namespace {

std::map<std::string, AnyCallback, std::less<>>& Registry() {
  static std::map<std::string, AnyCallback, std::less<>> registry;
  return registry;
}

template <typename Ptr>
Ptr Find(std::string_view name) {
  if (name.empty()) return nullptr;
  auto found = Registry().find(name);
  if (found == Registry().end()) return nullptr;
  const Ptr* function = std::get_if<Ptr>(&found->second);
  return function ? *function : nullptr;
}

}  // namespace

void RegisterCallbacks(std::span<const CallbackBinding> bindings) {
  for (const CallbackBinding& binding : bindings) {
    Registry().insert_or_assign(std::string(binding.name), binding.function);
  }
}

void ClearCallbackRegistry() { Registry().clear(); }

CtrlCallbackPtr FindCtrlCallback(std::string_view name) { return Find<CtrlCallbackPtr>(name); }
PanelCallbackPtr FindPanelCallback(std::string_view name) { return Find<PanelCallbackPtr>(name); }
MenuCallbackPtr FindMenuCallback(std::string_view name) { return Find<MenuCallbackPtr>(name); }

}  // namespace qv
