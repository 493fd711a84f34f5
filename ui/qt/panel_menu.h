#pragma once
// A panel's menu bar as Qt menus and actions; choosing an item goes through
// the store, which refuses dimmed items and items behind a modal popup.

#include <QKeySequence>
#include <QObject>
#include <map>
#include <memory>

#include "ui/panel_store.h"

class QAction;
class QMenuBar;

namespace qv::qt {

// The toolkit's key code for a shortcut (modifier bits and a character).
QKeySequence ToKeySequence(int shortcut);

class PanelMenu {
 public:
  PanelMenu(QMenuBar* bar, const PanelState& panel);
  ~PanelMenu();
  PanelMenu(const PanelMenu&) = delete;
  PanelMenu& operator=(const PanelMenu&) = delete;

  void Mirror(const MenuItemState& item);
  QAction* Action(int item) const;

 private:
  class ShortcutsFirst;

  std::map<int, QAction*> actions_;  // menus by their menu action, items by theirs
  std::unique_ptr<ShortcutsFirst> shortcutsFirst_;
};

}  // namespace qv::qt
