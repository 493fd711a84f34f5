#pragma once
// The one place where panels, controls and menus keep their state. It applies
// the rules a user can observe (ranges, ring items, dimmed and hidden controls,
// modal popups) and performs a user's commit the same way for every front end.

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/listeners.h"
#include "ui/panel_defs.h"
#include "ui/scene.h"
#include "ui/toolkit.h"

namespace qv {

inline constexpr int COLOR_WHITE = 0xFFFFFF;
inline constexpr int COLOR_BLACK = 0x000000;

struct ControlState {
  const ControlDef* def = nullptr;
  int value = 0;
  std::string text;
  bool dimmed = false;
  bool visible = true;
  int textBgColor = COLOR_WHITE;
  int textColor = COLOR_BLACK;
  int labelColor = COLOR_BLACK;
  int frameColor = 0x808080;
  int onColor = COLOR_WHITE;
  int offColor = COLOR_WHITE;
  int minValue = 0;
  int maxValue = 0;
  std::string tooltip;
  TextRule textRule;                   // none: any text is taken
  TableContents table;                 // a table's rows; its value is the selected row
  std::shared_ptr<const Scene> scene;  // what a drawing shows; null: nothing
  CtrlCallbackPtr callback = nullptr;
};

struct MenuItemState {
  const MenuItemDef* def = nullptr;
  bool dimmed = false;
  MenuCallbackPtr callback = nullptr;
  std::string text;  // "__" marks the mnemonic
  bool visible = true;
  bool checked = false;  // for an item with a check mark
};

struct PanelState {
  int handle = 0;
  const PanelDef* def = nullptr;
  std::string title;
  std::array<std::string, STATUS_FIELD_COUNT> status;          // the status line's fields
  std::array<std::string, STATUS_FIELD_COUNT> statusTooltips;  // empty: the field's text
  PanelCallbackPtr callback = nullptr;
  std::vector<ControlState> controls;  // in definition order
  std::vector<MenuItemState> menu;     // in definition order

  ControlState* control(int id);
  const ControlState* control(int id) const;
  MenuItemState* menuItem(int id);
  const MenuItemState* menuItem(int id) const;
};

// Told of every change so a front end can mirror it.
class StoreObserver {
 public:
  virtual ~StoreObserver() = default;
  virtual void ControlChanged(int panel, int control) = 0;
  virtual void PanelChanged(int panel) = 0;
  virtual void MenuItemChanged(int panel, int item) = 0;
};

class PanelStore {
 public:
  // Loading and discarding. Handles count up from 1, so the first panel is 1.
  int Load(std::string_view fileName, int resourceId);
  int Discard(int panel);
  void Clear();

  PanelState* Find(int panel);
  const PanelState* Find(int panel) const;
  std::vector<int> Handles() const;

  // Program writes: never call back.
  int SetValue(int panel, int control, int value);
  int SetText(int panel, int control, std::string_view text);
  int GetValue(int panel, int control, int* value) const;
  int GetText(int panel, int control, std::string* text) const;
  int SetScene(int panel, int control, std::shared_ptr<const Scene> scene);
  int GetScene(int panel, int control, std::shared_ptr<const Scene>* scene) const;
  int SetAttribute(int panel, int control, int attribute, int value);
  int GetAttribute(int panel, int control, int attribute, int* value) const;
  int SetAttribute(int panel, int control, int attribute, std::string_view text);
  int GetAttribute(int panel, int control, int attribute, std::string* text) const;
  // A table's rows replace the old ones; the selection stays where the row still is.
  int SetTable(int panel, int control, const TableContents& contents);
  int GetTable(int panel, int control, TableContents* contents) const;
  int SetTitle(int panel, std::string_view title);
  int SetStatusField(int panel, int field, std::string_view text);
  int SetStatusTooltip(int panel, int field, std::string_view text);
  // ATTR_DIMMED and ATTR_VISIBLE.
  int SetMenuItemAttribute(int menuBar, int item, int attribute, int value);
  int GetMenuItemAttribute(int menuBar, int item, int attribute, int* value) const;
  int SetMenuItemText(int menuBar, int item, std::string_view text);
  int GetMenuItemText(int menuBar, int item, std::string* text) const;
  // A typed text the rule refuses is not taken: CommitText returns
  // UIE_VALUE_NOT_ALLOWED and nothing changes.
  int SetTextRule(int panel, int control, TextRule rule);

  // Modal popups: while one is installed, only it takes the user's input,
  // and what an action of the user's on it does in turn (a dialog's Apply
  // committing to the panel behind it).
  int PushPopup(int panel);
  int PopPopup();
  int TopPopup() const;
  bool AcceptsUserInput(int panel) const;

  // The user's actions. Each refuses what the user could not do (a dimmed,
  // hidden or blocked control, a value the control cannot take) and returns
  // UIE_NOT_AVAILABLE or UIE_VALUE_NOT_ALLOWED; otherwise it stores the value as
  // the control takes it and runs the callback: EVENT_VAL_CHANGED, then EVENT_COMMIT.
  int CommitValue(int panel, int control, int value);
  int CommitText(int panel, int control, std::string_view text);
  int PressButton(int panel, int control);
  int ChooseMenuItem(int menuBar, int item);
  // Close box or a click on a blocked panel: the panel's own callback.
  int SendPanelEvent(int panel, int event);
  // Files dropped on a panel: its callback gets EVENT_FILES_DROPPED and finds
  // them in DroppedFiles() meanwhile.
  int DropFiles(int panel, std::vector<std::string> paths);
  const std::vector<std::string>& DroppedFiles() const { return droppedFiles_; }

  // The value a user's entry becomes in this control (ranges clamp, rings
  // refuse values that are not items); false when the control takes no number.
  static bool Coerce(const ControlState& control, int* value);

  // While the program waits (Delay, RunBlockingCall), the user's actions that
  // still reach the store (a focus change's commit, a close, a drop) are held
  // and return UIE_NO_ERROR; they run in order once the outermost action that
  // waited has ended.
  class Waiting {
   public:
    explicit Waiting(PanelStore& store) : store_(store) { ++store_.waiting_; }
    ~Waiting() { store_.EndWaiting(); }
    Waiting(const Waiting&) = delete;
    Waiting& operator=(const Waiting&) = delete;

   private:
    PanelStore& store_;
  };

  void AddObserver(StoreObserver* observer);
  void RemoveObserver(StoreObserver* observer);
  // Told after each user's commit has run its callback; they outlive Clear.
  int AddCommitListener(CommitListener listener);
  void RemoveCommitListener(int id);
  // Told when each of the user's actions begins and ends, and of every value
  // committed in between; they outlive Clear.
  void AddActionObserver(UserActionObserver* observer);
  void RemoveActionObserver(UserActionObserver* observer);

 private:
  class ActionScope;
  MenuItemState* FindMenuItem(int menuBar, int item);
  void TellValueCommitted(const CommittedValue& value);
  void TellCommitted(int panel, int control);
  void RunCommitCallback(int panel, int control, CtrlCallbackPtr callback);
  void NotifyControl(int panel, int control);
  void NotifyPanel(int panel);
  void NotifyMenu(int panel, int item);
  // Holds the action while the program waits; false when it may run now.
  bool Held(std::function<void()> action);
  void EndWaiting();
  void RunHeldActions();

  std::vector<std::unique_ptr<PanelState>> panels_;
  std::vector<int> popups_;
  std::vector<StoreObserver*> observers_;
  std::vector<UserActionObserver*> actionObservers_;
  std::vector<std::string> droppedFiles_;
  // The panel of each of the user's actions in progress, the outermost first.
  std::vector<int> actionPanels_;
  Listeners<int, int> commitListeners_;
  int nextHandle_ = 1;
  int waiting_ = 0;
  std::deque<std::function<void()>> held_;
};

// The program's store.
PanelStore& Store();

}  // namespace qv
