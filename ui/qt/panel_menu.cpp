#include "ui/qt/panel_menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "ui/qt/look.h"
#include "ui/qt/pending_edit.h"

namespace qv::qt {
namespace {

constexpr int kMenuKeyModifier = 0x00040000;  // the platform's command key: Ctrl
constexpr int kShiftModifier = 0x00010000;

}  // namespace

QKeySequence ToKeySequence(int shortcut) {
  const int character = shortcut & 0xFFFF;
  if (character == 0) return {};
  QKeyCombination key(Qt::NoModifier, static_cast<Qt::Key>(QChar(character).toUpper().unicode()));
  Qt::KeyboardModifiers modifiers;
  if (shortcut & kMenuKeyModifier) modifiers |= Qt::ControlModifier;
  if (shortcut & kShiftModifier) modifiers |= Qt::ShiftModifier;
  return QKeySequence(QKeyCombination(modifiers, key.key()));
}

PanelMenu::PanelMenu(QMenuBar* bar, const PanelState& panel) {
  std::map<int, QMenu*> menus;
  auto parentOf = [&](const MenuItemDef& item) -> QMenu* {
    auto found = menus.find(item.parent);
    return found == menus.end() ? nullptr : found->second;
  };
  for (const MenuItemState& state : panel.menu) {
    const MenuItemDef& item = *state.def;
    QMenu* menu = parentOf(item);
    switch (item.kind) {
      case MenuKind::Bar: break;
      case MenuKind::Menu: {
        QMenu* added = menu ? menu->addMenu(MnemonicText(item.text))
                            : bar->addMenu(MnemonicText(item.text));
        added->setObjectName(ToQString(item.constant));
        menus[item.id] = added;
        actions_[item.id] = added->menuAction();
        break;
      }
      case MenuKind::Separator:
        if (menu) menu->addSeparator();
        break;
      case MenuKind::Item: {
        if (!menu) break;
        QAction* action = menu->addAction(MnemonicText(item.text));
        action->setObjectName(ToQString(item.constant));
        action->setShortcut(ToKeySequence(item.shortcut));
        QObject::connect(action, &QAction::triggered, [handle = panel.handle, id = item.id] {
          CommitFocusedEdit();
          Store().ChooseMenuItem(handle, id);
        });
        actions_[item.id] = action;
        break;
      }
    }
  }
  for (const MenuItemState& state : panel.menu) Mirror(state);
}

void PanelMenu::Mirror(const MenuItemState& item) {
  if (QAction* action = Action(item.def->id)) action->setEnabled(!item.dimmed);
}

QAction* PanelMenu::Action(int item) const {
  auto found = actions_.find(item);
  return found == actions_.end() ? nullptr : found->second;
}

}  // namespace qv::qt
