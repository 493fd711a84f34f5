// The rules a user can observe on any front end: ranges, ring items, program
// writes without callbacks, one commit per user action, modal popups.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "ui/callback_registry.h"
#include "ui/panel_ids.h"
#include "ui/panel_store.h"
#include "ui/scene.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

struct Call {
  int control;
  int event;
  int valueSeen;
};
std::vector<Call> g_calls;

int Recorder(int panel, int control, int event, void*, int, int) {
  int value = -1;
  GetCtrlVal(panel, control, &value);
  g_calls.push_back({control, event, value});
  return 0;
}

std::vector<int> CommitsOf(int control) {
  std::vector<int> events;
  for (const Call& call : g_calls) {
    if (call.control == control) events.push_back(call.event);
  }
  return events;
}

class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Store().Clear();
    ClearCallbackRegistry();
    g_calls.clear();
    const CallbackBinding bindings[] = {{"SetPll1N", CtrlCallbackPtr{Recorder}},
                                        {"OnAnyPinChanged", CtrlCallbackPtr{Recorder}},
                                        {"SetRefFreq", CtrlCallbackPtr{Recorder}},
                                        {"CH0_power", CtrlCallbackPtr{Recorder}},
                                        {"ResetRegs", CtrlCallbackPtr{Recorder}}};
    RegisterCallbacks(bindings);
    panel = LoadPanel(0, MAIN_PANEL_FILE, PANEL);
    for (int control : {PLL1_N, MARGIN, REFFREQ, CH0POWER, ResetRegisters, NUMSTEP}) {
      SetCtrlAttribute(panel, control, ATTR_DIMMED, 0);
    }
  }
  void TearDown() override {
    Store().Clear();
    ClearCallbackRegistry();
  }
  int ValueOf(int control) {
    int value = -1;
    GetCtrlVal(panel, control, &value);
    return value;
  }
  int panel = 0;
};

TEST_F(StoreTest, FirstPanelHasHandleOneAndUnknownDefinitionsAreRefused) {
  EXPECT_EQ(panel, 1);
  EXPECT_LT(LoadPanel(0, "NoSuchPanel.uir", 1), 0);
  EXPECT_LT(LoadPanel(0, MAIN_PANEL_FILE, 2), 0);
  EXPECT_EQ(LoadPanel(0, STARTUP_PANEL_FILE, STARTUPPNL), 2);
}

TEST_F(StoreTest, NumericKeepsItsRangeForProgramWritesAndCommits) {
  struct Case {
    int written;
    int stored;
  };
  for (auto [written, stored] : {Case{100, 100}, Case{79, 80}, Case{144, 143}, Case{-5, 80}}) {
    SetCtrlVal(panel, PLL1_N, written);
    EXPECT_EQ(ValueOf(PLL1_N), stored) << "program write " << written;
    Store().CommitValue(panel, PLL1_N, written);
    EXPECT_EQ(ValueOf(PLL1_N), stored) << "commit " << written;
  }
}

TEST_F(StoreTest, NumericBelowItsMinimumAtLoadShowsTheMinimum) {
  // NumSteps is defined with 0 but cannot go below 1, as a spin box would show it.
  EXPECT_EQ(ValueOf(NUMSTEP), 1);
  int min = 0;
  GetCtrlAttribute(panel, NUMSTEP, ATTR_MIN_VALUE, &min);
  EXPECT_EQ(min, 1);
}

TEST_F(StoreTest, RaisingTheMinimumPullsTheValueUp) {
  SetCtrlVal(panel, PLL1_N, 90);
  SetCtrlAttribute(panel, PLL1_N, ATTR_MIN_VALUE, 95);
  EXPECT_EQ(ValueOf(PLL1_N), 95);
}

TEST_F(StoreTest, RingTakesOnlyItsItemValues) {
  EXPECT_EQ(SetCtrlVal(panel, MARGIN, 1), UIE_NO_ERROR);
  EXPECT_EQ(SetCtrlVal(panel, MARGIN, 2), UIE_VALUE_NOT_ALLOWED);
  EXPECT_EQ(ValueOf(MARGIN), 1);
  EXPECT_EQ(Store().CommitValue(panel, MARGIN, -1), UIE_VALUE_NOT_ALLOWED);
  EXPECT_EQ(ValueOf(MARGIN), 1);
  EXPECT_TRUE(CommitsOf(MARGIN).empty()) << "a refused commit must not call back";
}

TEST_F(StoreTest, SwitchTakesOnlyOffAndOn) {
  EXPECT_EQ(SetCtrlVal(panel, CH0POWER, 2), UIE_VALUE_NOT_ALLOWED);
  EXPECT_EQ(Store().CommitValue(panel, CH0POWER, 0), UIE_NO_ERROR);
  EXPECT_EQ(ValueOf(CH0POWER), 0);
}

TEST_F(StoreTest, ProgramWritesNeverCallBack) {
  SetCtrlVal(panel, PLL1_N, 120);
  SetCtrlVal(panel, MARGIN, 1);
  SetCtrlVal(panel, REFFREQ, "19.44");
  SetCtrlAttribute(panel, PLL1_N, ATTR_TEXT_BGCOLOR, 0xFF0000);
  EXPECT_TRUE(g_calls.empty());
}

TEST_F(StoreTest, CommitStoresThenCallsBackOnceWithCommit) {
  Store().CommitValue(panel, PLL1_N, 120);
  EXPECT_EQ(CommitsOf(PLL1_N), (std::vector<int>{EVENT_VAL_CHANGED, EVENT_COMMIT}));
  ASSERT_FALSE(g_calls.empty());
  EXPECT_EQ(g_calls.back().valueSeen, 120) << "the callback must see the new value";
}

TEST_F(StoreTest, TextCommitAndButtonPressCallBackOnce) {
  Store().CommitText(panel, REFFREQ, "19.44");
  std::string text;
  GetCtrlVal(panel, REFFREQ, &text);
  EXPECT_EQ(text, "19.44");
  EXPECT_EQ(CommitsOf(REFFREQ), (std::vector<int>{EVENT_VAL_CHANGED, EVENT_COMMIT}));

  Store().PressButton(panel, ResetRegisters);
  EXPECT_EQ(CommitsOf(ResetRegisters), (std::vector<int>{EVENT_COMMIT}));
}

TEST_F(StoreTest, ReadOnlyTextsAndValueTypesAreChecked) {
  EXPECT_EQ(Store().CommitText(panel, VCO1FREQ, "9"), UIE_WRONG_TYPE);
  EXPECT_EQ(SetCtrlVal(panel, PLL1_N, "100"), UIE_WRONG_TYPE);
  int value = 0;
  EXPECT_EQ(GetCtrlVal(panel, REFFREQ, &value), UIE_WRONG_TYPE);
  EXPECT_EQ(SetCtrlVal(panel, 97, 1), UIE_BAD_CONTROL);
  EXPECT_EQ(SetCtrlVal(panel + 7, PLL1_N, 1), UIE_BAD_PANEL);
}

TEST_F(StoreTest, DimmedOrHiddenControlsRefuseTheUser) {
  SetCtrlAttribute(panel, PLL1_N, ATTR_DIMMED, 1);
  EXPECT_EQ(Store().CommitValue(panel, PLL1_N, 90), UIE_NOT_AVAILABLE);
  SetCtrlAttribute(panel, PLL1_N, ATTR_DIMMED, 0);
  SetCtrlAttribute(panel, PLL1_N, ATTR_VISIBLE, 0);
  EXPECT_EQ(Store().CommitValue(panel, PLL1_N, 90), UIE_NOT_AVAILABLE);
  EXPECT_EQ(ValueOf(PLL1_N), 100);
  EXPECT_TRUE(g_calls.empty());
}

// What the user's action on the popup does in turn (a dialog's Apply) may
// reach the panel behind it; the user cannot.
int g_behindResult = 0;
int CommitBehind(int, int, int event, void*, int, int) {
  if (event == EVENT_COMMIT) g_behindResult = CommitCtrlVal(1, PLL1_N, 91);
  return 0;
}

TEST_F(StoreTest, ModalPopupBlocksEveryOtherPanel) {
  const CallbackBinding apply[] = {{"OnRunOfflineButtonClicked", CtrlCallbackPtr{CommitBehind}}};
  RegisterCallbacks(apply);
  int popup = LoadPanel(0, STARTUP_PANEL_FILE, STARTUPPNL);
  InstallPopup(popup);
  EXPECT_EQ(Store().CommitValue(panel, PLL1_N, 90), UIE_NOT_AVAILABLE);
  EXPECT_EQ(Store().ChooseMenuItem(panel, menubar::EXIT), UIE_NOT_AVAILABLE);
  ASSERT_EQ(Store().PressButton(popup, startuppnl::RUNOFFLINE), UIE_NO_ERROR);
  EXPECT_EQ(g_behindResult, UIE_NO_ERROR) << "the popup acts for the user";
  EXPECT_EQ(ValueOf(PLL1_N), 91);
  EXPECT_EQ(Store().CommitValue(panel, PLL1_N, 90), UIE_NOT_AVAILABLE) << "and only then";
  RemovePopup(0);
  EXPECT_EQ(Store().CommitValue(panel, PLL1_N, 90), UIE_NO_ERROR);
}

TEST_F(StoreTest, ColoursAndFlagsReadBackAsWritten) {
  for (int attribute : {ATTR_TEXT_BGCOLOR, ATTR_TEXT_COLOR, ATTR_LABEL_COLOR, ATTR_FRAME_COLOR,
                        ATTR_ON_COLOR, ATTR_OFF_COLOR}) {
    SetCtrlAttribute(panel, PLL1SYNC, attribute, 0x123456);
    int value = 0;
    GetCtrlAttribute(panel, PLL1SYNC, attribute, &value);
    EXPECT_EQ(value, 0x123456) << "attribute " << attribute;
  }
  EXPECT_EQ(SetCtrlAttribute(panel, PLL1SYNC, ATTR_MIN_VALUE, 1), UIE_BAD_ATTRIBUTE);
}

TEST_F(StoreTest, MenuItemsDimAndUndim) {
  int bar = GetPanelMenuBar(panel);
  int dimmed = -1;
  GetMenuBarAttribute(bar, menubar::RESETCFG, ATTR_DIMMED, &dimmed);
  EXPECT_EQ(dimmed, 1);
  SetMenuBarAttribute(bar, menubar::RESETCFG, ATTR_DIMMED, 0);
  GetMenuBarAttribute(bar, menubar::RESETCFG, ATTR_DIMMED, &dimmed);
  EXPECT_EQ(dimmed, 0);
  EXPECT_EQ(Store().ChooseMenuItem(bar, menubar::SEPARATOR), UIE_WRONG_TYPE);
  EXPECT_EQ(GetPanelMenuBar(LoadPanel(0, ABOUT_PANEL_FILE, ABOUT)), 0);
  // Only an item defined with a check mark has one.
  int checked = -1;
  EXPECT_EQ(GetMenuBarAttribute(bar, menubar::CLASSICLOOK, ATTR_CHECKED, &checked), UIE_NO_ERROR);
  EXPECT_EQ(checked, 0);
  EXPECT_EQ(SetMenuBarAttribute(bar, menubar::CLASSICLOOK, ATTR_CHECKED, 1), UIE_NO_ERROR);
  GetMenuBarAttribute(bar, menubar::CLASSICLOOK, ATTR_CHECKED, &checked);
  EXPECT_EQ(checked, 1);
  EXPECT_EQ(SetMenuBarAttribute(bar, menubar::EXIT, ATTR_CHECKED, 1), UIE_BAD_ATTRIBUTE);
}

// Every recalculation writes every colour, text and flag again; a front end
// hears only of what changed. Each write is made twice: the second is silent.
TEST_F(StoreTest, WritesThatChangeNothingNotifyNobody) {
  struct Counter : StoreObserver {
    void ControlChanged(int, int) override { ++controls; }
    void PanelChanged(int) override { ++panels; }
    void MenuItemChanged(int, int) override { ++menus; }
    int controls = 0, panels = 0, menus = 0;
    int Total() const { return controls + panels + menus; }
  } counter;
  Store().AddObserver(&counter);
  const int bar = GetPanelMenuBar(panel);
  auto scene = std::make_shared<const Scene>();
  const int window = LoadPanel(0, CLOCK_TREE_PANEL_FILE, CLOCKPNL);
  const std::pair<const char*, std::function<void()>> writes[] = {
      {"value", [&] { SetCtrlVal(panel, PLL1_N, 120); }},
      {"value clamped to what it holds", [&] { SetCtrlVal(panel, PLL1_N, 9999); }},
      {"text", [&] { SetCtrlVal(panel, REFFREQ, "19.44"); }},
      {"colour", [&] { SetCtrlAttribute(panel, PLL1_N, ATTR_TEXT_BGCOLOR, 0xFF0000); }},
      {"colour beyond 24 bits", [&] { SetCtrlAttribute(panel, PLL1_N, ATTR_TEXT_COLOR, 0x1FF); }},
      {"dimmed", [&] { SetCtrlAttribute(panel, PLL1_N, ATTR_DIMMED, 1); }},
      {"visible", [&] { SetCtrlAttribute(panel, PLL1_N, ATTR_VISIBLE, 0); }},
      {"minimum", [&] { SetCtrlAttribute(panel, NUMSTEP, ATTR_MIN_VALUE, 3); }},
      {"tooltip", [&] { SetCtrlAttribute(panel, PLL1_N, ATTR_TOOLTIP, "tip"); }},
      {"picture", [&] { SetCtrlVal(window, clockpnl::DIAGRAM, scene); }},
      {"title", [&] { SetPanelAttribute(panel, ATTR_TITLE, "title"); }},
      {"status", [&] { SetPanelAttribute(panel, ATTR_STATUS_MESSAGE, "note"); }},
      {"menu dimmed", [&] { SetMenuBarAttribute(bar, menubar::RESETCFG, ATTR_DIMMED, 0); }},
      {"menu shown", [&] { SetMenuBarAttribute(bar, menubar::RECENT1, ATTR_VISIBLE, 1); }},
      {"menu text", [&] { SetMenuBarAttribute(bar, menubar::RECENT1, ATTR_ITEM_NAME, "x"); }},
  };
  for (const auto& [what, write] : writes) {
    const int before = counter.Total();
    write();
    EXPECT_EQ(counter.Total(), before + 1) << what << ": a change is told once";
    write();
    EXPECT_EQ(counter.Total(), before + 1) << what << ": the same again is told to nobody";
  }
  EXPECT_EQ(ValueOf(NUMSTEP), 3) << "a minimum that moves still pulls the value up";
  Store().RemoveObserver(&counter);
}

// A table's value is its selected row: only a row it has, or -1 for none; a
// commit of any control is told to the commit listeners after its callback.
TEST_F(StoreTest, TablesSelectOnlyTheirRowsAndCommitsAreToldAfterTheCallback) {
  const int map = LoadPanel(0, REGMAP_PANEL_FILE, REGMAPPNL);
  const int table = regmappnl::FIELDS;
  int selected = 99;
  GetCtrlVal(map, table, &selected);
  EXPECT_EQ(selected, -1);
  const TableContents rows{
      {"A", "B"}, {{"1", "2"}, {"3", "4"}, {"5", "6"}}, {TABLE_NO_COLOR, 0xFF0000}};
  ASSERT_EQ(SetTableContents(map, table, rows), UIE_NO_ERROR);
  EXPECT_EQ(Store().CommitValue(map, table, 3), UIE_VALUE_NOT_ALLOWED);
  EXPECT_EQ(Store().CommitValue(map, table, 2), UIE_NO_ERROR);
  ASSERT_EQ(SetTableContents(map, table, TableContents{{"A"}, {{"x"}}, {}}), UIE_NO_ERROR);
  GetCtrlVal(map, table, &selected);
  EXPECT_EQ(selected, -1) << "the selected row went away";
  TableContents back;
  ASSERT_EQ(SetTableContents(map, table, rows), UIE_NO_ERROR);
  ASSERT_EQ(GetTableContents(map, table, &back), UIE_NO_ERROR);
  EXPECT_EQ(back, rows);
  EXPECT_EQ(SetTableContents(panel, PLL1_N, rows), UIE_WRONG_TYPE);

  std::vector<int> told;
  const int listener = AddCommitListener([&](int, int control) {
    told.push_back(control);
    // The callback has run by now.
    if (control == PLL1_N) {
      EXPECT_EQ(CommitsOf(PLL1_N).back(), EVENT_COMMIT);
    }
  });
  ASSERT_EQ(Store().CommitValue(panel, PLL1_N, 101), UIE_NO_ERROR);
  ASSERT_EQ(Store().CommitValue(map, table, 1), UIE_NO_ERROR);
  EXPECT_EQ(Store().CommitValue(panel, PLL1_N, 200), UIE_NO_ERROR);
  RemoveCommitListener(listener);
  ASSERT_EQ(Store().CommitValue(panel, PLL1_N, 102), UIE_NO_ERROR);
  EXPECT_EQ(told, (std::vector<int>{PLL1_N, table, PLL1_N}));
}

// A drawing holds the very picture it was given and the name of what was
// clicked last, takes nothing else, and the user commits only a click to it.
TEST_F(StoreTest, ADrawingHoldsItsPictureAndNothingElse) {
  const int window = LoadPanel(0, CLOCK_TREE_PANEL_FILE, CLOCKPNL);
  auto scene = std::make_shared<const Scene>();
  std::shared_ptr<const Scene> held;
  EXPECT_EQ(GetCtrlVal(window, clockpnl::DIAGRAM, &held), UIE_NO_ERROR);
  EXPECT_EQ(held, nullptr) << "nothing drawn at load";
  EXPECT_EQ(SetCtrlVal(window, clockpnl::DIAGRAM, scene), UIE_NO_ERROR);
  EXPECT_EQ(GetCtrlVal(window, clockpnl::DIAGRAM, &held), UIE_NO_ERROR);
  EXPECT_EQ(held, scene);
  EXPECT_EQ(SetCtrlVal(window, clockpnl::DIAGRAM, 1), UIE_WRONG_TYPE);
  EXPECT_EQ(Store().CommitText(window, clockpnl::PROFILE, "ssc"), UIE_WRONG_TYPE)
      << "the profile has nothing to click";
  EXPECT_EQ(SetCtrlVal(panel, PLL1_N, scene), UIE_WRONG_TYPE);
  EXPECT_EQ(GetCtrlVal(panel, PLL1_N, &held), UIE_WRONG_TYPE);
  EXPECT_EQ(Store().CommitValue(window, clockpnl::DIAGRAM, 1), UIE_WRONG_TYPE);
  EXPECT_EQ(HidePanel(window), UIE_NO_ERROR);
  EXPECT_EQ(HidePanel(999), UIE_BAD_PANEL);
}

}  // namespace
}  // namespace qv
