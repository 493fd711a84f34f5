#pragma once
// The user-interface boundary: every panel, control, menu, dialog and pause the
// program's logic uses goes through these free functions. Values and attributes
// are kept in the panel store; what needs a real screen goes to the front end.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

struct Scene;
struct PanelDef;

// Callbacks return 0. Control callbacks get the control that fired;
// panel callbacks get the panel only; menu callbacks get the menu bar and item.
using CtrlCallbackPtr = int (*)(int panel, int control, int event, void* callbackData,
                                int eventData1, int eventData2);
using PanelCallbackPtr = int (*)(int panel, int event, void* callbackData, int eventData1,
                                 int eventData2);
using MenuCallbackPtr = void (*)(int menuBar, int menuItem, void* callbackData, int panel);

// Event codes.
inline constexpr int EVENT_COMMIT = 1;
inline constexpr int EVENT_VAL_CHANGED = 2;
inline constexpr int EVENT_CLOSE = 11;
// The user clicked the main panel while a modal popup blocks it.
inline constexpr int EVENT_BLOCKED_CLICK = 34;
// The user dropped files on the panel; GetDroppedFiles names them.
inline constexpr int EVENT_FILES_DROPPED = 35;

// Attributes of controls.
enum CtrlAttribute : int {
  ATTR_DIMMED = 1,
  ATTR_VISIBLE,
  ATTR_TEXT_BGCOLOR,
  ATTR_TEXT_COLOR,
  ATTR_LABEL_COLOR,
  ATTR_FRAME_COLOR,
  ATTR_ON_COLOR,
  ATTR_OFF_COLOR,
  ATTR_MIN_VALUE,
  ATTR_MAX_VALUE,
  // Text shown when the pointer rests on the control.
  ATTR_TOOLTIP,
};

// Attributes of panels.
enum PanelAttribute : int {
  ATTR_TITLE = 100,
  ATTR_SYSTEM_WINDOW_HANDLE,
  // The status line under the panel: what the program wants the user to know
  // without interrupting them, in fields from left to right.
  ATTR_STATUS_MESSAGE,  // hints, such as what the map not in use would break
  ATTR_STATUS_FILE,     // the open file and whether it has unsaved changes
  ATTR_STATUS_LINK,     // how the last transfer with the chip went
  ATTR_STATUS_MODE,     // the operating mode
  // What each field tells when the pointer rests on it (by default its text).
  ATTR_STATUS_MESSAGE_TOOLTIP,
  ATTR_STATUS_FILE_TOOLTIP,
  ATTR_STATUS_LINK_TOOLTIP,
  ATTR_STATUS_MODE_TOOLTIP,
};

inline constexpr int STATUS_FIELD_COUNT = 4;
// The field a status attribute names, 0 to STATUS_FIELD_COUNT - 1, or -1.
constexpr int StatusFieldOf(int attribute) {
  return attribute >= ATTR_STATUS_MESSAGE && attribute <= ATTR_STATUS_MODE
             ? attribute - ATTR_STATUS_MESSAGE
             : -1;
}
// The field whose tooltip a status attribute names, or -1.
constexpr int StatusTooltipFieldOf(int attribute) {
  return attribute >= ATTR_STATUS_MESSAGE_TOOLTIP && attribute <= ATTR_STATUS_MODE_TOOLTIP
             ? attribute - ATTR_STATUS_MESSAGE_TOOLTIP
             : -1;
}

// Attributes of menu items, beside ATTR_DIMMED and ATTR_VISIBLE: the text
// ("__" marks the mnemonic; an item has one, so any later "__" and every "&"
// show as they are, as in a file name).
inline constexpr int ATTR_ITEM_NAME = 200;
// Of an item defined with a check mark: 1 shows the mark.
inline constexpr int ATTR_CHECKED = 201;

// FileSelectPopup button kinds and results.
inline constexpr int VAL_SAVE_BUTTON = 1;
inline constexpr int VAL_LOAD_BUTTON = 2;
inline constexpr int VAL_NO_FILE_SELECTED = 0;
inline constexpr int VAL_EXISTING_FILE_SELECTED = 1;
inline constexpr int VAL_NEW_FILE_SELECTED = 2;

// Result codes of the operations (the logic mostly ignores them).
inline constexpr int UIE_NO_ERROR = 0;
inline constexpr int UIE_BAD_PANEL = -1;
inline constexpr int UIE_BAD_CONTROL = -2;
inline constexpr int UIE_BAD_ATTRIBUTE = -3;
inline constexpr int UIE_WRONG_TYPE = -4;
inline constexpr int UIE_VALUE_NOT_ALLOWED = -5;
inline constexpr int UIE_NOT_AVAILABLE = -6;
inline constexpr int UIE_NO_FRONT_END = -7;

// Starts the installed front end; 0 when there is none or it cannot start.
int InitUserInterface(int argc, char* argv[]);

int LoadPanel(int parentPanel, std::string_view definitionName, int resourceId);
int DisplayPanel(int panel);
// Hides a panel DisplayPanel showed; it keeps its state and can be shown again.
int HidePanel(int panel);
int InstallPopup(int panel);
int RemovePopup(int allPopups);
int DiscardPanel(int panel);
int RunUserInterface();
int QuitUserInterface(int returnCode);
// Ends the program at once with the given status (the exit path).
void ExitProgram(int status);

int GetCtrlVal(int panel, int control, int* value);
int GetCtrlVal(int panel, int control, std::string* text);
int SetCtrlVal(int panel, int control, int value);
int SetCtrlVal(int panel, int control, std::string_view text);
int SetCtrlVal(int panel, int control, const char* text);
// A drawing's picture.
int SetCtrlVal(int panel, int control, std::shared_ptr<const Scene> scene);
int GetCtrlVal(int panel, int control, std::shared_ptr<const Scene>* scene);
int GetCtrlAttribute(int panel, int control, int attribute, int* value);
int SetCtrlAttribute(int panel, int control, int attribute, int value);
int SetCtrlAttribute(int panel, int control, int attribute, std::string_view text);
int GetCtrlAttribute(int panel, int control, int attribute, std::string* text);

// What a typed text must be: empty when the control takes the text, otherwise
// what it takes ("a decimal number of MHz ..."), for the user to read.
using TextRule = std::function<std::string(std::string_view text)>;
// A typed text the rule refuses is not taken; the program's own writes are.
int SetCtrlTextRule(int panel, int control, TextRule rule);

// The definition a loaded panel was made from (its controls in definition
// order); null for no such panel.
const PanelDef* GetPanelDefinition(int panel);
// Every panel discarded: the program starts again from LoadPanel.
void DiscardAllPanels();

// The number a user's entry becomes in a control (ranges clamp, rings take
// only their items); UIE_VALUE_NOT_ALLOWED when it takes no such number.
int CoerceCtrlVal(int panel, int control, int* value);
// What the control's text rule says of a text: empty when it takes it.
std::string CheckCtrlText(int panel, int control, std::string_view text);

// The user's actions, performed for them exactly as a click performs them
// (a script, undo, a planner's Apply): refused where the user could not act,
// otherwise the value is taken and the callback runs.
int CommitCtrlVal(int panel, int control, int value);
int CommitCtrlVal(int panel, int control, std::string_view text);
int PressCtrlButton(int panel, int control);
int ChooseMenuItem(int menuBar, int menuItem);

// A read-only table: its rows of text under column headers, each row with an
// optional background colour. Its value (GetCtrlVal/SetCtrlVal) is the selected
// row, -1 for none; the user choosing a row is a commit.
inline constexpr int TABLE_NO_COLOR = -1;
struct TableContents {
  std::vector<std::string> columns;
  std::vector<std::vector<std::string>> rows;
  std::vector<int> rowColors;  // 0xRRGGBB per row; TABLE_NO_COLOR or missing: none
  bool operator==(const TableContents&) const = default;
};
int SetTableContents(int panel, int control, const TableContents& contents);
int GetTableContents(int panel, int control, TableContents* contents);

int SetPanelAttribute(int panel, int attribute, std::string_view text);
int GetPanelAttribute(int panel, int attribute, int* value);
int GetPanelAttribute(int panel, int attribute, std::string* text);
int GetPanelMenuBar(int panel);
int SetMenuBarAttribute(int menuBar, int menuItem, int attribute, int value);
int GetMenuBarAttribute(int menuBar, int menuItem, int attribute, int* value);
int SetMenuBarAttribute(int menuBar, int menuItem, int attribute, std::string_view text);
int GetMenuBarAttribute(int menuBar, int menuItem, int attribute, std::string* text);

int MessagePopup(std::string_view title, std::string_view message);
// A question with up to three answers ("__" marks a mnemonic): returns the
// number of the one chosen, 1 to 3. The first is the default; Esc and the
// close box choose the last. GENERIC_POPUP_NOT_ASKED when nobody can be asked
// (the command line).
inline constexpr int GENERIC_POPUP_NOT_ASKED = 0;
int GenericMessagePopup(std::string_view title, std::string_view message, std::string_view button1,
                        std::string_view button2 = "", std::string_view button3 = "");
// Fills *path and returns VAL_NO_FILE_SELECTED, VAL_EXISTING_FILE_SELECTED or
// VAL_NEW_FILE_SELECTED.
int FileSelectPopup(std::string_view defaultDirectory, std::string_view defaultFileSpec,
                    std::string_view fileTypeList, std::string_view title, int buttonKind,
                    int restrictDirectory, int restrictExtension, int allowCancel,
                    int allowMakeDirectory, std::string* path);

// The files of the EVENT_FILES_DROPPED being handled; empty at any other time.
int GetDroppedFiles(std::vector<std::string>* paths);

// Where the values kept from one run to the next live: the GUI's settings
// file, a map in tests. Each is a list of byte strings under a name.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // Empty when never set.
  virtual std::vector<std::string> Read(std::string_view name) = 0;
  virtual void Write(std::string_view name, const std::vector<std::string>& values) = 0;
};
// Not owned. Without one (the command line), nothing is kept.
void InstallSettingsStore(SettingsStore* store);

// A few values kept from one run to the next (the recent files, the last
// folder), by name; empty when never set.
std::string GetPersistentSetting(std::string_view name);
int SetPersistentSetting(std::string_view name, std::string_view value);
std::vector<std::string> GetPersistentList(std::string_view name);
int SetPersistentList(std::string_view name, const std::vector<std::string>& values);

// The program's command-line arguments, without its name and without what
// the front end took for itself.
std::vector<std::string> GetProgramArguments();

// What the user does, as the store performs it: a commit, a button press, a
// menu choice, a panel event, files dropped. Actions nest (a dialog's Apply
// commits to the main panel inside its press); each begins and ends once.
enum class UserActionKind { Commit, Press, MenuChoice, PanelEvent, FilesDropped };
struct UserAction {
  UserActionKind kind;
  int panel;
  int id;  // the control, the menu item or the event
};
// A control's value as the user committed it: what it held before and what
// it holds once its callback ran.
struct CommittedValue {
  int panel;
  int control;
  bool isText;
  int before;
  int after;
  std::string beforeText;
  std::string afterText;
};
class UserActionObserver {
 public:
  virtual ~UserActionObserver() = default;
  virtual void ActionBegins(const UserAction& action) = 0;
  virtual void ValueCommitted(const CommittedValue& value) = 0;
  virtual void ActionEnds(const UserAction& action) = 0;
};
// Not owned; they outlive a restart of the store.
void AddUserActionObserver(UserActionObserver* observer);
void RemoveUserActionObserver(UserActionObserver* observer);

// Told after each commit of the user's (a control, a button, a menu item) has
// run its callback: whatever the commit changed is in place.
using CommitListener = std::function<void(int panel, int control)>;
int AddCommitListener(CommitListener listener);
void RemoveCommitListener(int id);

// Moves the keyboard focus to a control and brings its panel's window forward.
int SetActiveCtrl(int panel, int control);

// How large a panel is drawn: a step larger or smaller, or the size it is
// designed at (at the desktop's font size). Where the screen is too small,
// as large as it allows.
inline constexpr int ZOOM_IN = 1;
inline constexpr int ZOOM_OUT = -1;
inline constexpr int ZOOM_ACTUAL = 0;
int ZoomPanel(int panel, int zoom);
// 1: one fixed style, font and light palette on every machine; 0: the
// desktop's style, palette and font size. The validation, inactive and pin
// colours are the logic's either way.
int SetClassicLook(int on);
// Opens the user guide at a page ("" for its first); false with what went
// wrong when it cannot be shown.
bool ShowUserGuide(std::string_view page, std::string* problem);
// The toolkit and its version ("Qt 6.4.2"); empty without one.
std::string UserInterfaceVersion();
// A picture of the panel's window as it is on the screen, as a PNG file.
bool SavePanelPicture(int panel, std::string_view path, std::string* problem);
// The popup in front, 0 when none is installed.
int GetActivePopup();

// A pause (the chip settling) and a call that blocks for a while (a chip
// transfer): the front end keeps its windows painted meanwhile, and what the
// user does waits. The store performs such actions, in order, once the action
// that waits has ended, so none comes between the transfers of another.
void Delay(double seconds);
int RunBlockingCall(const std::function<int()>& call);
int ProcessSystemEvents();
// While on, the front end shows that the program is busy (nested calls count).
int SetWaitCursor(int on);

// The boundary as at process start: no panels, no callbacks bound, no front
// end, settings store or picture renderer installed, not busy. Commit listeners and action
// observers outlive it, as they outlive a restart of the store.
void ResetToolkitState();

// Draws the user's attention to a window: flash it `count` times, `intervalMs` apart.
struct AttentionRequest {
  int window = 0;
  int flags = 3;
  int count = 6;
  int intervalMs = 50;
};
int RequestAttention(const AttentionRequest& request);

}  // namespace qv
