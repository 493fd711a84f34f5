#include "ui/qt/panel_menu.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

#include "ui/panel_ids.h"
#include "ui/qt/look.h"
#include "ui/qt/pending_edit.h"

namespace qv::qt {
namespace {

constexpr int kMenuKeyModifier = 0x00040000;  // the platform's command key: Ctrl
constexpr int kShiftModifier = 0x00010000;

}  // namespace

// A focused spin box or text field claims Ctrl+Z (and the like) for its own
// editing; in the window that owns the menu, the menu's shortcuts come first.
class PanelMenu::ShortcutsFirst final : public QObject {
 public:
  ShortcutsFirst(QWidget* window, const std::map<int, QAction*>& actions)
      : window_(window), actions_(actions) {
    qApp->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType()) return false;
    if (static_cast<QWidget*>(watched)->window() != window_) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(
        QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
    for (const auto& [id, action] : actions_) {
      // Left unclaimed, the key goes on to the menu's shortcut.
      if (action->shortcuts().contains(pressed)) return true;
    }
    return false;
  }

 private:
  QWidget* window_;
  const std::map<int, QAction*>& actions_;
};

QKeySequence ToKeySequence(int shortcut) {
  const int character = shortcut & 0xFFFF;
  if (character == 0) return {};
  if ((shortcut & SHORTCUT_FUNCTION_KEY) != 0) {
    return QKeySequence(static_cast<Qt::Key>(Qt::Key_F1 + character - 1));
  }
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
        QMenu* added =
            menu ? menu->addMenu(MnemonicText(item.text)) : bar->addMenu(MnemonicText(item.text));
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
        action->setCheckable(item.checkable);
        QList<QKeySequence> keys;
        for (int shortcut : {item.shortcut, item.alternateShortcut}) {
          if (shortcut != 0) keys << ToKeySequence(shortcut);
        }
        action->setShortcuts(keys);
        QObject::connect(action, &QAction::triggered, [this, handle = panel.handle, id = item.id] {
          CommitFocusedEdit();
          Store().ChooseMenuItem(handle, id);
          // A check mark Qt turned over is the store's again, refused or not.
          const PanelState* state = Store().Find(handle);
          if (const MenuItemState* entry = state ? state->menuItem(id) : nullptr) Mirror(*entry);
        });
        actions_[item.id] = action;
        break;
      }
    }
  }
  for (const MenuItemState& state : panel.menu) Mirror(state);
  shortcutsFirst_ = std::make_unique<ShortcutsFirst>(bar->window(), actions_);
}

PanelMenu::~PanelMenu() = default;

void PanelMenu::Mirror(const MenuItemState& item) {
  QAction* action = Action(item.def->id);
  if (!action) return;
  action->setEnabled(!item.dimmed);
  action->setVisible(item.visible);
  action->setText(MnemonicText(item.text));
  if (action->isCheckable()) action->setChecked(item.checked);
}

QAction* PanelMenu::Action(int item) const {
  auto found = actions_.find(item);
  return found == actions_.end() ? nullptr : found->second;
}

}  // namespace qv::qt
