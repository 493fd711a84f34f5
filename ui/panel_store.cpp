#include "ui/panel_store.h"

#include <algorithm>
#include <utility>

#include "base/trace.h"
#include "ui/callback_registry.h"

namespace qv {

namespace {

// Panels number their controls from 2, the panel itself being resource 1.
constexpr int kFirstControlId = 2;

}  // namespace

ControlState* PanelState::control(int id) {
  // Definitions mostly number their controls in order: the slot is tried first.
  const std::size_t slot = static_cast<std::size_t>(id) - kFirstControlId;
  if (slot < controls.size() && controls[slot].def->id == id) return &controls[slot];
  for (ControlState& state : controls) {
    if (state.def->id == id) return &state;
  }
  return nullptr;
}

const ControlState* PanelState::control(int id) const {
  return const_cast<PanelState*>(this)->control(id);
}

MenuItemState* PanelState::menuItem(int id) {
  for (MenuItemState& state : menu) {
    if (state.def->id == id) return &state;
  }
  return nullptr;
}

const MenuItemState* PanelState::menuItem(int id) const {
  return const_cast<PanelState*>(this)->menuItem(id);
}

PanelStore& Store() {
  static PanelStore store;
  return store;
}

bool PanelStore::Coerce(const ControlState& control, int* value) {
  switch (control.def->kind) {
    case ControlKind::Numeric:
      *value = std::clamp(*value, control.minValue, control.maxValue);
      return true;
    case ControlKind::Ring:
      return std::ranges::any_of(control.def->items,
                                 [&](const RingItem& item) { return item.value == *value; });
    case ControlKind::OnOffSwitch:
    case ControlKind::ToggleButton: return *value == 0 || *value == 1;
    case ControlKind::Table:
      return *value >= -1 && *value < static_cast<int>(control.table.rows.size());
    default: return false;
  }
}

int PanelStore::Load(std::string_view fileName, int resourceId) {
  const PanelDef* def = FindPanelDef(fileName, resourceId);
  if (!def) return UIE_BAD_PANEL;

  auto panel = std::make_unique<PanelState>();
  panel->handle = nextHandle_++;
  panel->def = def;
  panel->title = std::string(def->title);
  panel->callback = FindPanelCallback(def->callback);
  for (const ControlDef& controlDef : def->controls) {
    ControlState state;
    state.def = &controlDef;
    state.text = std::string(controlDef.initialText);
    state.dimmed = controlDef.atLoad == LoadState::Dimmed;
    state.visible = controlDef.atLoad != LoadState::Hidden;
    state.minValue = controlDef.minValue;
    state.maxValue = controlDef.maxValue;
    state.callback = FindCtrlCallback(controlDef.callback);
    state.value = controlDef.kind == ControlKind::Table ? -1 : controlDef.initialValue;
    if (controlDef.kind == ControlKind::Numeric) Coerce(state, &state.value);
    panel->controls.push_back(std::move(state));
  }
  for (const MenuItemDef& itemDef : def->menu) {
    panel->menu.push_back({&itemDef, itemDef.dimmedAtLoad, FindMenuCallback(itemDef.callback),
                           std::string(itemDef.text), !itemDef.hiddenAtLoad, false});
  }
  panels_.push_back(std::move(panel));
  return panels_.back()->handle;
}

int PanelStore::Discard(int panel) {
  auto found = std::ranges::find_if(panels_, [&](const auto& p) { return p->handle == panel; });
  if (found == panels_.end()) return UIE_BAD_PANEL;
  panels_.erase(found);
  std::erase(popups_, panel);
  return UIE_NO_ERROR;
}

void PanelStore::Clear() {
  panels_.clear();
  popups_.clear();
  held_.clear();
  nextHandle_ = 1;
}

PanelState* PanelStore::Find(int panel) {
  for (auto& state : panels_) {
    if (state->handle == panel) return state.get();
  }
  return nullptr;
}

const PanelState* PanelStore::Find(int panel) const {
  return const_cast<PanelStore*>(this)->Find(panel);
}

std::vector<int> PanelStore::Handles() const {
  std::vector<int> handles;
  for (const auto& state : panels_) handles.push_back(state->handle);
  return handles;
}

int PanelStore::SetValue(int panel, int control, int value) {
  PanelState* state = Find(panel);
  if (!state) return UIE_BAD_PANEL;
  ControlState* ctrl = state->control(control);
  if (!ctrl) return UIE_BAD_CONTROL;
  if (!ctrl->def->holdsNumber()) return UIE_WRONG_TYPE;
  const bool shownAsHeld =
      ctrl->def->kind == ControlKind::Numeric && ctrl->def->showsProgramValueBeyondRange;
  if (!shownAsHeld && !Coerce(*ctrl, &value)) return UIE_VALUE_NOT_ALLOWED;
  // A write that changes nothing costs the front ends nothing either.
  if (ctrl->value == value) return UIE_NO_ERROR;
  ctrl->value = value;
  NotifyControl(panel, control);
  return UIE_NO_ERROR;
}

int PanelStore::SetText(int panel, int control, std::string_view text) {
  PanelState* state = Find(panel);
  if (!state) return UIE_BAD_PANEL;
  ControlState* ctrl = state->control(control);
  if (!ctrl) return UIE_BAD_CONTROL;
  if (!ctrl->def->holdsText()) return UIE_WRONG_TYPE;
  if (ctrl->text == text) return UIE_NO_ERROR;
  ctrl->text = std::string(text);
  NotifyControl(panel, control);
  return UIE_NO_ERROR;
}

int PanelStore::GetValue(int panel, int control, int* value) const {
  const PanelState* state = Find(panel);
  if (!state) return UIE_BAD_PANEL;
  const ControlState* ctrl = state->control(control);
  if (!ctrl) return UIE_BAD_CONTROL;
  if (!ctrl->def->holdsNumber()) return UIE_WRONG_TYPE;
  *value = ctrl->value;
  return UIE_NO_ERROR;
}

int PanelStore::GetText(int panel, int control, std::string* text) const {
  const PanelState* state = Find(panel);
  if (!state) return UIE_BAD_PANEL;
  const ControlState* ctrl = state->control(control);
  if (!ctrl) return UIE_BAD_CONTROL;
  if (!ctrl->def->holdsText()) return UIE_WRONG_TYPE;
  *text = ctrl->text;
  return UIE_NO_ERROR;
}

int PanelStore::SetScene(int panel, int control, std::shared_ptr<const Scene> scene) {
  PanelState* state = Find(panel);
  if (!state) return UIE_BAD_PANEL;
  ControlState* ctrl = state->control(control);
  if (!ctrl) return UIE_BAD_CONTROL;
  if (ctrl->def->kind != ControlKind::Drawing) return UIE_WRONG_TYPE;
  if (ctrl->scene == scene) return UIE_NO_ERROR;
  ctrl->scene = std::move(scene);
  NotifyControl(panel, control);
  return UIE_NO_ERROR;
}

int PanelStore::GetScene(int panel, int control, std::shared_ptr<const Scene>* scene) const {
  const PanelState* state = Find(panel);
  if (!state) return UIE_BAD_PANEL;
  const ControlState* ctrl = state->control(control);
  if (!ctrl) return UIE_BAD_CONTROL;
  if (ctrl->def->kind != ControlKind::Drawing) return UIE_WRONG_TYPE;
  *scene = ctrl->scene;
  return UIE_NO_ERROR;
}

namespace {

int* ColorSlot(ControlState& ctrl, int attribute) {
  switch (attribute) {
    case ATTR_TEXT_BGCOLOR: return &ctrl.textBgColor;
    case ATTR_TEXT_COLOR: return &ctrl.textColor;
    case ATTR_LABEL_COLOR: return &ctrl.labelColor;
    case ATTR_FRAME_COLOR: return &ctrl.frameColor;
    case ATTR_ON_COLOR: return &ctrl.onColor;
    case ATTR_OFF_COLOR: return &ctrl.offColor;
    default: return nullptr;
  }
}

}  // namespace

int PanelStore::SetAttribute(int panel, int control, int attribute, int value) {
  PanelState* state = Find(panel);
  if (!state) return UIE_BAD_PANEL;
  ControlState* ctrl = state->control(control);
  if (!ctrl) return UIE_BAD_CONTROL;
  // Every recalculation sets every colour again: only a change is mirrored.
  const auto change = [&](auto& slot, auto now) {
    if (slot == now) return false;
    slot = now;
    return true;
  };
  bool changed = false;
  if (int* color = ColorSlot(*ctrl, attribute)) {
    changed = change(*color, value & 0xFFFFFF);
  } else if (attribute == ATTR_DIMMED) {
    changed = change(ctrl->dimmed, value != 0);
  } else if (attribute == ATTR_VISIBLE) {
    changed = change(ctrl->visible, value != 0);
  } else if ((attribute == ATTR_MIN_VALUE || attribute == ATTR_MAX_VALUE) &&
             ctrl->def->kind == ControlKind::Numeric) {
    changed = change(attribute == ATTR_MIN_VALUE ? ctrl->minValue : ctrl->maxValue, value);
    Coerce(*ctrl, &ctrl->value);  // as a spin box does when its range moves
  } else {
    return UIE_BAD_ATTRIBUTE;
  }
  if (changed) NotifyControl(panel, control);
  return UIE_NO_ERROR;
}

int PanelStore::GetAttribute(int panel, int control, int attribute, int* value) const {
  const PanelState* state = Find(panel);
  if (!state) return UIE_BAD_PANEL;
  const ControlState* ctrl = state->control(control);
  if (!ctrl) return UIE_BAD_CONTROL;
  if (const int* color = ColorSlot(const_cast<ControlState&>(*ctrl), attribute)) {
    *value = *color;
  } else if (attribute == ATTR_DIMMED) {
    *value = ctrl->dimmed ? 1 : 0;
  } else if (attribute == ATTR_VISIBLE) {
    *value = ctrl->visible ? 1 : 0;
  } else if ((attribute == ATTR_MIN_VALUE || attribute == ATTR_MAX_VALUE) &&
             ctrl->def->kind == ControlKind::Numeric) {
    *value = attribute == ATTR_MIN_VALUE ? ctrl->minValue : ctrl->maxValue;
  } else {
    return UIE_BAD_ATTRIBUTE;
  }
  return UIE_NO_ERROR;
}

int PanelStore::SetAttribute(int panel, int control, int attribute, std::string_view text) {
  PanelState* state = Find(panel);
  if (!state) return UIE_BAD_PANEL;
  ControlState* ctrl = state->control(control);
  if (!ctrl) return UIE_BAD_CONTROL;
  if (attribute != ATTR_TOOLTIP) return UIE_BAD_ATTRIBUTE;
  if (ctrl->tooltip == text) return UIE_NO_ERROR;
  ctrl->tooltip = std::string(text);
  NotifyControl(panel, control);
  return UIE_NO_ERROR;
}

int PanelStore::GetAttribute(int panel, int control, int attribute, std::string* text) const {
  const PanelState* state = Find(panel);
  if (!state) return UIE_BAD_PANEL;
  const ControlState* ctrl = state->control(control);
  if (!ctrl) return UIE_BAD_CONTROL;
  if (attribute != ATTR_TOOLTIP) return UIE_BAD_ATTRIBUTE;
  *text = ctrl->tooltip;
  return UIE_NO_ERROR;
}

int PanelStore::SetTable(int panel, int control, const TableContents& contents) {
  PanelState* state = Find(panel);
  if (!state) return UIE_BAD_PANEL;
  ControlState* ctrl = state->control(control);
  if (!ctrl) return UIE_BAD_CONTROL;
  if (ctrl->def->kind != ControlKind::Table) return UIE_WRONG_TYPE;
  if (ctrl->table == contents) return UIE_NO_ERROR;
  ctrl->table = contents;
  if (!Coerce(*ctrl, &ctrl->value)) ctrl->value = -1;
  NotifyControl(panel, control);
  return UIE_NO_ERROR;
}

int PanelStore::GetTable(int panel, int control, TableContents* contents) const {
  const PanelState* state = Find(panel);
  if (!state) return UIE_BAD_PANEL;
  const ControlState* ctrl = state->control(control);
  if (!ctrl) return UIE_BAD_CONTROL;
  if (ctrl->def->kind != ControlKind::Table) return UIE_WRONG_TYPE;
  *contents = ctrl->table;
  return UIE_NO_ERROR;
}

int PanelStore::SetTitle(int panel, std::string_view title) {
  PanelState* state = Find(panel);
  if (!state) return UIE_BAD_PANEL;
  if (state->title == title) return UIE_NO_ERROR;
  state->title = std::string(title);
  NotifyPanel(panel);
  return UIE_NO_ERROR;
}

int PanelStore::SetStatusField(int panel, int field, std::string_view text) {
  PanelState* state = Find(panel);
  if (!state) return UIE_BAD_PANEL;
  if (field < 0 || field >= STATUS_FIELD_COUNT) return UIE_BAD_ATTRIBUTE;
  if (state->status[field] == text) return UIE_NO_ERROR;
  state->status[field] = std::string(text);
  NotifyPanel(panel);
  return UIE_NO_ERROR;
}

int PanelStore::SetStatusTooltip(int panel, int field, std::string_view text) {
  PanelState* state = Find(panel);
  if (!state) return UIE_BAD_PANEL;
  if (field < 0 || field >= STATUS_FIELD_COUNT) return UIE_BAD_ATTRIBUTE;
  if (state->statusTooltips[field] == text) return UIE_NO_ERROR;
  state->statusTooltips[field] = std::string(text);
  NotifyPanel(panel);
  return UIE_NO_ERROR;
}

int PanelStore::SetTextRule(int panel, int control, TextRule rule) {
  PanelState* state = Find(panel);
  if (!state) return UIE_BAD_PANEL;
  ControlState* ctrl = state->control(control);
  if (!ctrl) return UIE_BAD_CONTROL;
  if (!ctrl->def->holdsText()) return UIE_WRONG_TYPE;
  ctrl->textRule = std::move(rule);
  return UIE_NO_ERROR;
}

MenuItemState* PanelStore::FindMenuItem(int menuBar, int item) {
  PanelState* state = Find(menuBar);
  return state ? state->menuItem(item) : nullptr;
}

int PanelStore::SetMenuItemAttribute(int menuBar, int item, int attribute, int value) {
  const PanelState* state = Find(menuBar);
  if (!state || state->menu.empty()) return UIE_BAD_PANEL;
  MenuItemState* entry = FindMenuItem(menuBar, item);
  if (!entry) return UIE_BAD_CONTROL;
  bool* slot = nullptr;
  if (attribute == ATTR_DIMMED) {
    slot = &entry->dimmed;
  } else if (attribute == ATTR_VISIBLE) {
    slot = &entry->visible;
  } else if (attribute == ATTR_CHECKED && entry->def->checkable) {
    slot = &entry->checked;
  } else {
    return UIE_BAD_ATTRIBUTE;
  }
  // A write that changes nothing tells nobody.
  if (*slot == (value != 0)) return UIE_NO_ERROR;
  *slot = value != 0;
  NotifyMenu(menuBar, item);
  return UIE_NO_ERROR;
}

int PanelStore::GetMenuItemAttribute(int menuBar, int item, int attribute, int* value) const {
  const PanelState* state = Find(menuBar);
  if (!state || state->menu.empty()) return UIE_BAD_PANEL;
  const MenuItemState* entry = state->menuItem(item);
  if (!entry) return UIE_BAD_CONTROL;
  if (attribute == ATTR_DIMMED) {
    *value = entry->dimmed ? 1 : 0;
  } else if (attribute == ATTR_VISIBLE) {
    *value = entry->visible ? 1 : 0;
  } else if (attribute == ATTR_CHECKED && entry->def->checkable) {
    *value = entry->checked ? 1 : 0;
  } else {
    return UIE_BAD_ATTRIBUTE;
  }
  return UIE_NO_ERROR;
}

int PanelStore::SetMenuItemText(int menuBar, int item, std::string_view text) {
  const PanelState* state = Find(menuBar);
  if (!state || state->menu.empty()) return UIE_BAD_PANEL;
  MenuItemState* entry = FindMenuItem(menuBar, item);
  if (!entry) return UIE_BAD_CONTROL;
  if (entry->text == text) return UIE_NO_ERROR;
  entry->text = std::string(text);
  NotifyMenu(menuBar, item);
  return UIE_NO_ERROR;
}

int PanelStore::GetMenuItemText(int menuBar, int item, std::string* text) const {
  const PanelState* state = Find(menuBar);
  if (!state || state->menu.empty()) return UIE_BAD_PANEL;
  const MenuItemState* entry = state->menuItem(item);
  if (!entry) return UIE_BAD_CONTROL;
  *text = entry->text;
  return UIE_NO_ERROR;
}

int PanelStore::PushPopup(int panel) {
  if (!Find(panel)) return UIE_BAD_PANEL;
  std::erase(popups_, panel);
  popups_.push_back(panel);
  return UIE_NO_ERROR;
}

int PanelStore::PopPopup() {
  if (popups_.empty()) return 0;
  int top = popups_.back();
  popups_.pop_back();
  return top;
}

int PanelStore::TopPopup() const { return popups_.empty() ? 0 : popups_.back(); }

bool PanelStore::AcceptsUserInput(int panel) const {
  if (!Find(panel)) return false;
  if (popups_.empty() || popups_.back() == panel) return true;
  // Inside the user's action on the popup in front, the popup acts for them.
  return !actionPanels_.empty() && actionPanels_.front() == popups_.back();
}

namespace {

const char* UieName(int code) {
  switch (code) {
    case UIE_BAD_PANEL: return "UIE_BAD_PANEL";
    case UIE_BAD_CONTROL: return "UIE_BAD_CONTROL";
    case UIE_BAD_ATTRIBUTE: return "UIE_BAD_ATTRIBUTE";
    case UIE_WRONG_TYPE: return "UIE_WRONG_TYPE";
    case UIE_VALUE_NOT_ALLOWED: return "UIE_VALUE_NOT_ALLOWED";
    case UIE_NOT_AVAILABLE: return "UIE_NOT_AVAILABLE";
    case UIE_NO_FRONT_END: return "UIE_NO_FRONT_END";
    default: return "UIE_NO_ERROR";
  }
}

// An action of the user's the store refuses, said in the trace by the names
// the panel definitions give ("commit PANEL.PLL1_N: ...").
struct Refusal {
  enum class Target { Control, MenuItem, Panel };
  const PanelStore& store;
  const char* action;
  int panel;
  int id;
  Target target = Target::Control;

  int operator()(int code, const std::string& why) const {
    if (!TraceOn()) return code;
    const PanelState* state = store.Find(panel);
    const std::string panelName =
        state ? std::string(state->def->constant) : "panel " + std::to_string(panel);
    std::string name = panelName + "." + std::to_string(id);
    if (target == Target::Panel) {
      name = panelName;
    } else if (const ControlState* control =
                   state && target == Target::Control ? state->control(id) : nullptr) {
      name = panelName + "." + std::string(control->def->constant);
    } else if (const MenuItemState* item =
                   state && target == Target::MenuItem ? state->menuItem(id) : nullptr) {
      name = panelName + "." + std::string(item->def->constant);
    }
    Trace(TRACE_REFUSED, "%s %s: %s (%s, %d)", action, name.c_str(), why.c_str(), UieName(code),
          code);
    return code;
  }
  // The first check of every action: the panel exists and no popup is in front of it.
  int Blocked() const {
    return (*this)(UIE_NOT_AVAILABLE, store.Find(panel) ? "a popup is in front" : "no such panel");
  }
};

}  // namespace

// One action of the user's, from its start to the end of everything it ran.
class PanelStore::ActionScope {
 public:
  ActionScope(PanelStore& store, UserAction action)
      : store_(store), observers_(store.actionObservers_), action_(action) {
    store_.actionPanels_.push_back(action.panel);
    for (UserActionObserver* observer : observers_) observer->ActionBegins(action_);
  }
  ~ActionScope() {
    for (UserActionObserver* observer : observers_) observer->ActionEnds(action_);
    store_.actionPanels_.pop_back();
    if (store_.actionPanels_.empty()) store_.RunHeldActions();
  }
  ActionScope(const ActionScope&) = delete;
  ActionScope& operator=(const ActionScope&) = delete;

 private:
  PanelStore& store_;
  // A copy: an action may add or remove observers.
  const std::vector<UserActionObserver*> observers_;
  const UserAction action_;
};

bool PanelStore::Held(std::function<void()> action) {
  if (waiting_ == 0) return false;
  held_.push_back(std::move(action));
  return true;
}

void PanelStore::EndWaiting() {
  // A wait outside any action has nothing to let finish first.
  if (--waiting_ == 0 && actionPanels_.empty()) RunHeldActions();
}

void PanelStore::RunHeldActions() {
  while (!held_.empty() && waiting_ == 0 && actionPanels_.empty()) {
    const std::function<void()> action = std::move(held_.front());
    held_.pop_front();
    action();
  }
}

int PanelStore::CommitValue(int panel, int control, int value) {
  if (Held([=, this] { CommitValue(panel, control, value); })) return UIE_NO_ERROR;
  const Refusal refuse{*this, "commit", panel, control};
  if (!AcceptsUserInput(panel)) return refuse.Blocked();
  PanelState* state = Find(panel);
  ControlState* ctrl = state->control(control);
  if (!ctrl) return refuse(UIE_BAD_CONTROL, "no such control");
  if (!ctrl->def->holdsNumber()) return refuse(UIE_WRONG_TYPE, "it holds no number");
  if (ctrl->dimmed || !ctrl->visible) return refuse(UIE_NOT_AVAILABLE, "dimmed or hidden");
  if (!Coerce(*ctrl, &value)) {
    return refuse(UIE_VALUE_NOT_ALLOWED, std::to_string(value) + " is not one of its values");
  }
  const ActionScope action(*this, {UserActionKind::Commit, panel, control});
  CommittedValue committed{panel, control, false, ctrl->value, value, {}, {}};
  ctrl->value = value;
  NotifyControl(panel, control);
  RunCommitCallback(panel, control, ctrl->callback);
  if (const PanelState* now = Find(panel); now && now->control(control)) {
    committed.after = now->control(control)->value;
  }
  TellValueCommitted(committed);
  TellCommitted(panel, control);
  return UIE_NO_ERROR;
}

int PanelStore::CommitText(int panel, int control, std::string_view text) {
  if (Held([=, this, text = std::string(text)] { CommitText(panel, control, text); })) {
    return UIE_NO_ERROR;
  }
  const Refusal refuse{*this, "commit", panel, control};
  if (!AcceptsUserInput(panel)) return refuse.Blocked();
  PanelState* state = Find(panel);
  ControlState* ctrl = state->control(control);
  if (!ctrl) return refuse(UIE_BAD_CONTROL, "no such control");
  // Only string boxes with a callback are typed into, and a drawing with one
  // takes the name of what was clicked; the rest show program output.
  const bool takesText =
      ctrl->def->kind == ControlKind::StringBox || ctrl->def->kind == ControlKind::Drawing;
  if (!takesText || !ctrl->callback) return refuse(UIE_WRONG_TYPE, "it takes no typed text");
  if (ctrl->dimmed || !ctrl->visible) return refuse(UIE_NOT_AVAILABLE, "dimmed or hidden");
  if (ctrl->textRule) {
    if (const std::string takes = ctrl->textRule(text); !takes.empty()) {
      return refuse(UIE_VALUE_NOT_ALLOWED, "\"" + std::string(text) + "\"; it takes " + takes);
    }
  }
  const ActionScope action(*this, {UserActionKind::Commit, panel, control});
  CommittedValue committed{panel, control, true, 0, 0, ctrl->text, std::string(text)};
  ctrl->text = std::string(text);
  NotifyControl(panel, control);
  RunCommitCallback(panel, control, ctrl->callback);
  if (const PanelState* now = Find(panel); now && now->control(control)) {
    committed.afterText = now->control(control)->text;
  }
  TellValueCommitted(committed);
  TellCommitted(panel, control);
  return UIE_NO_ERROR;
}

int PanelStore::PressButton(int panel, int control) {
  if (Held([=, this] { PressButton(panel, control); })) return UIE_NO_ERROR;
  const Refusal refuse{*this, "press", panel, control};
  if (!AcceptsUserInput(panel)) return refuse.Blocked();
  PanelState* state = Find(panel);
  ControlState* ctrl = state->control(control);
  if (!ctrl) return refuse(UIE_BAD_CONTROL, "no such control");
  if (ctrl->def->kind != ControlKind::CommandButton) return refuse(UIE_WRONG_TYPE, "not a button");
  if (ctrl->dimmed || !ctrl->visible) return refuse(UIE_NOT_AVAILABLE, "dimmed or hidden");
  const ActionScope action(*this, {UserActionKind::Press, panel, control});
  if (CtrlCallbackPtr callback = ctrl->callback) {
    callback(panel, control, EVENT_COMMIT, nullptr, 0, 0);
  }
  TellCommitted(panel, control);
  return UIE_NO_ERROR;
}

void PanelStore::RunCommitCallback(int panel, int control, CtrlCallbackPtr callback) {
  // The callback may discard panels; nothing of theirs is used after it runs.
  if (!callback) return;
  callback(panel, control, EVENT_VAL_CHANGED, nullptr, 0, 0);
  if (Find(panel)) callback(panel, control, EVENT_COMMIT, nullptr, 0, 0);
}

int PanelStore::ChooseMenuItem(int menuBar, int item) {
  if (Held([=, this] { ChooseMenuItem(menuBar, item); })) return UIE_NO_ERROR;
  const Refusal refuse{*this, "menu choice", menuBar, item, Refusal::Target::MenuItem};
  if (!AcceptsUserInput(menuBar)) return refuse.Blocked();
  PanelState* state = Find(menuBar);
  MenuItemState* entry = state->menuItem(item);
  if (!entry) return refuse(UIE_BAD_CONTROL, "no such item");
  if (entry->def->kind != MenuKind::Item) return refuse(UIE_WRONG_TYPE, "not an item");
  if (entry->dimmed || !entry->visible) return refuse(UIE_NOT_AVAILABLE, "dimmed or hidden");
  const ActionScope action(*this, {UserActionKind::MenuChoice, menuBar, item});
  if (MenuCallbackPtr callback = entry->callback) callback(menuBar, item, nullptr, menuBar);
  TellCommitted(menuBar, item);
  return UIE_NO_ERROR;
}

int PanelStore::SendPanelEvent(int panel, int event) {
  if (Held([=, this] { SendPanelEvent(panel, event); })) return UIE_NO_ERROR;
  PanelState* state = Find(panel);
  if (!state) return UIE_BAD_PANEL;
  const ActionScope action(*this, {UserActionKind::PanelEvent, panel, event});
  if (PanelCallbackPtr callback = state->callback) callback(panel, event, nullptr, 0, 0);
  return UIE_NO_ERROR;
}

int PanelStore::DropFiles(int panel, std::vector<std::string> paths) {
  if (Held([this, panel, paths] { DropFiles(panel, paths); })) return UIE_NO_ERROR;
  if (!AcceptsUserInput(panel))
    return Refusal{*this, "drop on", panel, 0, Refusal::Target::Panel}.Blocked();
  PanelCallbackPtr callback = Find(panel)->callback;
  const ActionScope action(*this, {UserActionKind::FilesDropped, panel, EVENT_FILES_DROPPED});
  droppedFiles_ = std::move(paths);
  if (callback) callback(panel, EVENT_FILES_DROPPED, nullptr, 0, 0);
  droppedFiles_.clear();
  return UIE_NO_ERROR;
}

void PanelStore::AddActionObserver(UserActionObserver* observer) {
  actionObservers_.push_back(observer);
}

void PanelStore::RemoveActionObserver(UserActionObserver* observer) {
  std::erase(actionObservers_, observer);
}

void PanelStore::TellValueCommitted(const CommittedValue& value) {
  const auto observers = actionObservers_;
  for (UserActionObserver* observer : observers) observer->ValueCommitted(value);
}

void PanelStore::AddObserver(StoreObserver* observer) { observers_.push_back(observer); }

void PanelStore::RemoveObserver(StoreObserver* observer) { std::erase(observers_, observer); }

int PanelStore::AddCommitListener(CommitListener listener) {
  return commitListeners_.Add(std::move(listener));
}

void PanelStore::RemoveCommitListener(int id) { commitListeners_.Remove(id); }

void PanelStore::TellCommitted(int panel, int control) { commitListeners_.Tell(panel, control); }

void PanelStore::NotifyControl(int panel, int control) {
  for (StoreObserver* observer : observers_) observer->ControlChanged(panel, control);
}

void PanelStore::NotifyPanel(int panel) {
  for (StoreObserver* observer : observers_) observer->PanelChanged(panel);
}

void PanelStore::NotifyMenu(int panel, int item) {
  for (StoreObserver* observer : observers_) observer->MenuItemChanged(panel, item);
}

}  // namespace qv
