#include "ui/toolkit.h"

#include <clocale>
#include <utility>

#include "ui/callback_registry.h"
#include "ui/front_end.h"
#include "ui/panel_store.h"
#include "ui/picture_renderer.h"

namespace qv {
namespace {

FrontEnd* g_frontEnd = nullptr;
// SetWaitCursor's nesting.
int g_waitDepth = 0;
SettingsStore* g_settings = nullptr;

}  // namespace

void InstallFrontEnd(FrontEnd* frontEnd) { g_frontEnd = frontEnd; }
FrontEnd* InstalledFrontEnd() { return g_frontEnd; }

int InitUserInterface(int argc, char* argv[]) {
  if (!g_frontEnd || !g_frontEnd->Start(argc, argv)) return 0;
  // Setup files and displays use a decimal point whatever the user's locale
  // says; a toolkit may have adopted that locale while starting.
  std::setlocale(LC_NUMERIC, "C");
  return 1;
}

int LoadPanel(int /*parentPanel*/, std::string_view definitionName, int resourceId) {
  return Store().Load(definitionName, resourceId);
}

int DisplayPanel(int panel) {
  if (!Store().Find(panel)) return UIE_BAD_PANEL;
  if (g_frontEnd) g_frontEnd->ShowPanel(panel);
  return UIE_NO_ERROR;
}

int HidePanel(int panel) {
  if (!Store().Find(panel)) return UIE_BAD_PANEL;
  if (g_frontEnd) g_frontEnd->HidePanel(panel);
  return UIE_NO_ERROR;
}

int InstallPopup(int panel) {
  int result = Store().PushPopup(panel);
  if (result == UIE_NO_ERROR && g_frontEnd) g_frontEnd->ShowModalPopup(panel);
  return result;
}

int RemovePopup(int /*allPopups*/) {
  int panel = Store().PopPopup();
  if (panel && g_frontEnd) g_frontEnd->HidePopup(panel);
  return UIE_NO_ERROR;
}

int DiscardPanel(int panel) {
  int result = Store().Discard(panel);
  if (result == UIE_NO_ERROR && g_frontEnd) g_frontEnd->PanelDiscarded(panel);
  return result;
}

int RunUserInterface() { return g_frontEnd ? g_frontEnd->RunEventLoop() : UIE_NO_FRONT_END; }

int QuitUserInterface(int returnCode) {
  if (g_frontEnd) g_frontEnd->QuitEventLoop(returnCode);
  return UIE_NO_ERROR;
}

void ExitProgram(int status) {
  if (g_frontEnd) g_frontEnd->ExitProgram(status);
}

int SetCtrlTextRule(int panel, int control, TextRule rule) {
  return Store().SetTextRule(panel, control, std::move(rule));
}

const PanelDef* GetPanelDefinition(int panel) {
  const PanelState* state = Store().Find(panel);
  return state ? state->def : nullptr;
}

void DiscardAllPanels() { Store().Clear(); }

int CoerceCtrlVal(int panel, int control, int* value) {
  const PanelState* state = Store().Find(panel);
  if (!state) return UIE_BAD_PANEL;
  const ControlState* entry = state->control(control);
  if (!entry) return UIE_BAD_CONTROL;
  return PanelStore::Coerce(*entry, value) ? UIE_NO_ERROR : UIE_VALUE_NOT_ALLOWED;
}

std::string CheckCtrlText(int panel, int control, std::string_view text) {
  const PanelState* state = Store().Find(panel);
  const ControlState* entry = state ? state->control(control) : nullptr;
  return entry && entry->textRule ? entry->textRule(text) : "";
}

int CommitCtrlVal(int panel, int control, int value) {
  return Store().CommitValue(panel, control, value);
}

int CommitCtrlVal(int panel, int control, std::string_view text) {
  return Store().CommitText(panel, control, text);
}

int PressCtrlButton(int panel, int control) { return Store().PressButton(panel, control); }

int ChooseMenuItem(int menuBar, int menuItem) { return Store().ChooseMenuItem(menuBar, menuItem); }

int GetCtrlVal(int panel, int control, int* value) {
  return Store().GetValue(panel, control, value);
}

int GetCtrlVal(int panel, int control, std::string* text) {
  return Store().GetText(panel, control, text);
}

int SetCtrlVal(int panel, int control, int value) {
  return Store().SetValue(panel, control, value);
}

int SetCtrlVal(int panel, int control, std::string_view text) {
  return Store().SetText(panel, control, text);
}

int SetCtrlVal(int panel, int control, const char* text) {
  return Store().SetText(panel, control, text ? std::string_view(text) : std::string_view());
}

int SetCtrlVal(int panel, int control, std::shared_ptr<const Scene> scene) {
  return Store().SetScene(panel, control, std::move(scene));
}

int GetCtrlVal(int panel, int control, std::shared_ptr<const Scene>* scene) {
  return Store().GetScene(panel, control, scene);
}

int GetCtrlAttribute(int panel, int control, int attribute, int* value) {
  return Store().GetAttribute(panel, control, attribute, value);
}

int SetCtrlAttribute(int panel, int control, int attribute, int value) {
  return Store().SetAttribute(panel, control, attribute, value);
}

int SetCtrlAttribute(int panel, int control, int attribute, std::string_view text) {
  return Store().SetAttribute(panel, control, attribute, text);
}

int GetCtrlAttribute(int panel, int control, int attribute, std::string* text) {
  return Store().GetAttribute(panel, control, attribute, text);
}

int SetTableContents(int panel, int control, const TableContents& contents) {
  return Store().SetTable(panel, control, contents);
}

int GetTableContents(int panel, int control, TableContents* contents) {
  return Store().GetTable(panel, control, contents);
}

int SetPanelAttribute(int panel, int attribute, std::string_view text) {
  if (attribute == ATTR_TITLE) return Store().SetTitle(panel, text);
  if (const int tooltip = StatusTooltipFieldOf(attribute); tooltip >= 0) {
    return Store().SetStatusTooltip(panel, tooltip, text);
  }
  return Store().SetStatusField(panel, StatusFieldOf(attribute), text);
}

int GetPanelAttribute(int panel, int attribute, int* value) {
  if (!Store().Find(panel)) return UIE_BAD_PANEL;
  if (attribute != ATTR_SYSTEM_WINDOW_HANDLE) return UIE_BAD_ATTRIBUTE;
  *value = g_frontEnd ? g_frontEnd->NativeWindow(panel) : 0;
  return UIE_NO_ERROR;
}

int GetPanelAttribute(int panel, int attribute, std::string* text) {
  const PanelState* state = Store().Find(panel);
  if (!state) return UIE_BAD_PANEL;
  const int field = StatusFieldOf(attribute);
  const int tooltip = StatusTooltipFieldOf(attribute);
  if (attribute == ATTR_TITLE) {
    *text = state->title;
  } else if (field >= 0) {
    *text = state->status[field];
  } else if (tooltip >= 0) {
    *text = state->statusTooltips[tooltip];
  } else {
    return UIE_BAD_ATTRIBUTE;
  }
  return UIE_NO_ERROR;
}

int GetPanelMenuBar(int panel) {
  const PanelState* state = Store().Find(panel);
  // A panel's menu bar is named by the panel's own handle.
  return state && !state->menu.empty() ? panel : 0;
}

int SetMenuBarAttribute(int menuBar, int menuItem, int attribute, int value) {
  return Store().SetMenuItemAttribute(menuBar, menuItem, attribute, value);
}

int GetMenuBarAttribute(int menuBar, int menuItem, int attribute, int* value) {
  return Store().GetMenuItemAttribute(menuBar, menuItem, attribute, value);
}

int SetMenuBarAttribute(int menuBar, int menuItem, int attribute, std::string_view text) {
  if (attribute != ATTR_ITEM_NAME) return UIE_BAD_ATTRIBUTE;
  return Store().SetMenuItemText(menuBar, menuItem, text);
}

int GetMenuBarAttribute(int menuBar, int menuItem, int attribute, std::string* text) {
  if (attribute != ATTR_ITEM_NAME) return UIE_BAD_ATTRIBUTE;
  return Store().GetMenuItemText(menuBar, menuItem, text);
}

int MessagePopup(std::string_view title, std::string_view message) {
  if (!g_frontEnd) return UIE_NO_FRONT_END;
  g_frontEnd->ShowMessage(title, message);
  return UIE_NO_ERROR;
}

int GenericMessagePopup(std::string_view title, std::string_view message, std::string_view button1,
                        std::string_view button2, std::string_view button3) {
  if (!g_frontEnd) return GENERIC_POPUP_NOT_ASKED;
  Question question{std::string(title), std::string(message), {}};
  for (std::string_view button : {button1, button2, button3}) {
    if (!button.empty()) question.answers.emplace_back(button);
  }
  return g_frontEnd->Ask(question);
}

int FileSelectPopup(std::string_view defaultDirectory, std::string_view defaultFileSpec,
                    std::string_view fileTypeList, std::string_view title, int buttonKind,
                    int /*restrictDirectory*/, int /*restrictExtension*/, int allowCancel,
                    int allowMakeDirectory, std::string* path) {
  path->clear();
  if (!g_frontEnd) return VAL_NO_FILE_SELECTED;
  FileRequest request{std::string(defaultDirectory),
                      std::string(defaultFileSpec),
                      std::string(fileTypeList),
                      std::string(title),
                      buttonKind,
                      allowCancel != 0,
                      allowMakeDirectory != 0};
  return g_frontEnd->SelectFile(request, path);
}

int GetDroppedFiles(std::vector<std::string>* paths) {
  *paths = Store().DroppedFiles();
  return UIE_NO_ERROR;
}

void InstallSettingsStore(SettingsStore* store) { g_settings = store; }

std::string GetPersistentSetting(std::string_view name) {
  std::vector<std::string> values = GetPersistentList(name);
  return values.size() == 1 ? std::move(values.front()) : std::string();
}

int SetPersistentSetting(std::string_view name, std::string_view value) {
  return SetPersistentList(name, {std::string(value)});
}

std::vector<std::string> GetPersistentList(std::string_view name) {
  return g_settings ? g_settings->Read(name) : std::vector<std::string>();
}

int SetPersistentList(std::string_view name, const std::vector<std::string>& values) {
  if (!g_settings) return UIE_NOT_AVAILABLE;
  g_settings->Write(name, values);
  return UIE_NO_ERROR;
}

std::vector<std::string> GetProgramArguments() {
  return g_frontEnd ? g_frontEnd->Arguments() : std::vector<std::string>();
}

void AddUserActionObserver(UserActionObserver* observer) { Store().AddActionObserver(observer); }

void RemoveUserActionObserver(UserActionObserver* observer) {
  Store().RemoveActionObserver(observer);
}

int AddCommitListener(CommitListener listener) {
  return Store().AddCommitListener(std::move(listener));
}

void RemoveCommitListener(int id) { Store().RemoveCommitListener(id); }

int SetActiveCtrl(int panel, int control) {
  const PanelState* state = Store().Find(panel);
  if (!state) return UIE_BAD_PANEL;
  if (!state->control(control)) return UIE_BAD_CONTROL;
  if (g_frontEnd) g_frontEnd->FocusControl(panel, control);
  return UIE_NO_ERROR;
}

int ZoomPanel(int panel, int zoom) {
  if (!Store().Find(panel)) return UIE_BAD_PANEL;
  if (zoom != ZOOM_IN && zoom != ZOOM_OUT && zoom != ZOOM_ACTUAL) return UIE_VALUE_NOT_ALLOWED;
  if (g_frontEnd) g_frontEnd->Zoom(panel, zoom);
  return UIE_NO_ERROR;
}

int SetClassicLook(int on) {
  if (!g_frontEnd) return UIE_NO_FRONT_END;
  g_frontEnd->SetClassicLook(on != 0);
  return UIE_NO_ERROR;
}

bool ShowUserGuide(std::string_view page, std::string* problem) {
  *problem = g_frontEnd ? g_frontEnd->ShowUserGuide(page) : "there is no screen to show it on";
  return problem->empty();
}

std::string UserInterfaceVersion() { return g_frontEnd ? g_frontEnd->ToolkitVersion() : ""; }

bool SavePanelPicture(int panel, std::string_view path, std::string* problem) {
  if (!Store().Find(panel)) {
    *problem = "no such panel";
    return false;
  }
  *problem = g_frontEnd ? g_frontEnd->SavePanelPicture(panel, path) : "there is no screen";
  return problem->empty();
}

int GetActivePopup() { return Store().TopPopup(); }

void Delay(double seconds) {
  const PanelStore::Waiting waiting(Store());
  if (g_frontEnd) g_frontEnd->Delay(seconds);
}

int RunBlockingCall(const std::function<int()>& call) {
  const PanelStore::Waiting waiting(Store());
  return g_frontEnd ? g_frontEnd->RunBlocking(call) : call();
}

int ProcessSystemEvents() {
  if (g_frontEnd) g_frontEnd->ProcessEvents();
  return UIE_NO_ERROR;
}

int SetWaitCursor(int on) {
  const int before = g_waitDepth;
  g_waitDepth = on ? g_waitDepth + 1 : (g_waitDepth > 0 ? g_waitDepth - 1 : 0);
  if (g_frontEnd && (before == 0) != (g_waitDepth == 0)) g_frontEnd->SetBusy(g_waitDepth > 0);
  return UIE_NO_ERROR;
}

void ResetToolkitState() {
  Store().Clear();
  ClearCallbackRegistry();
  g_waitDepth = 0;
  g_frontEnd = nullptr;
  g_settings = nullptr;
  InstallPictureRenderer(nullptr);
}

int RequestAttention(const AttentionRequest& request) {
  if (!g_frontEnd) return UIE_NO_FRONT_END;
  g_frontEnd->RequestAttention(request);
  return UIE_NO_ERROR;
}

}  // namespace qv
