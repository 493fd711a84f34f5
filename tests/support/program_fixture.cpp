#include "tests/support/program_fixture.h"

#include "app/startup.h"
#include "files/panel/baseline.h"
#include "files/panel/file_notes.h"
#include "model/program_state.h"
#include "plan/panel/frequency_engine.h"
#include "plan/panel/register_decoding.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv::test {

// From the top layer down, each layer's state as HACKING lists it.
void ResetProgramState() {
  ResetAppState();
  ResetBaseline();
  ClearFileNoteListeners();
  ClearPlanListeners();
  ClearWholeSetListeners();
  ResetModelState();
  ResetToolkitState();
}

void ProgramTest::SetUp() {
  ResetProgramState();
  Bridge().Reset();
  ui.onDelay = [](double seconds) { Bridge().RecordDelay(seconds); };
  InstallFrontEnd(&ui);
  InstallSettingsStore(&ui);
  RegisterProgramCallbacks();
}

void ProgramTest::TearDown() {
  InstallFrontEnd(nullptr);
  InstallSettingsStore(nullptr);
  Store().Clear();
}

void ProgramTest::Start() { StartProgram(); }

void ProgramTest::StartOffline() {
  Start();
  ASSERT_EQ(Store().PressButton(startupPanelHandle, startuppnl::RUNOFFLINE), UIE_NO_ERROR);
}

void ProgramTest::StartOnlineConnected() {
  Start();
  ASSERT_EQ(Store().PressButton(startupPanelHandle, startuppnl::RUNONLINE), UIE_NO_ERROR);
  Bridge().chip[0x3F] = 0x5A;
  ASSERT_EQ(Press(CheckConnectionButton), UIE_NO_ERROR);
  ASSERT_EQ(Text(TextConnCheck), "I2C communication is working\n");
  ClearWire();
}

int ProgramTest::Value(int control) const {
  int value = -99999;
  EXPECT_EQ(GetCtrlVal(panelHandle, control, &value), UIE_NO_ERROR) << "control " << control;
  return value;
}

std::string ProgramTest::Text(int control) const {
  std::string text;
  EXPECT_EQ(GetCtrlVal(panelHandle, control, &text), UIE_NO_ERROR) << "control " << control;
  return text;
}

int ProgramTest::Attribute(int control, int attribute) const {
  int value = -99999;
  EXPECT_EQ(GetCtrlAttribute(panelHandle, control, attribute, &value), UIE_NO_ERROR)
      << "control " << control;
  return value;
}

std::string ProgramTest::MenuText(int menuItem) const {
  std::string text;
  EXPECT_EQ(GetMenuBarAttribute(GetPanelMenuBar(panelHandle), menuItem, ATTR_ITEM_NAME, &text),
            UIE_NO_ERROR);
  return text;
}

int ProgramTest::MenuDimmed(int menuItem) const {
  int dimmed = -1;
  EXPECT_EQ(GetMenuBarAttribute(GetPanelMenuBar(panelHandle), menuItem, ATTR_DIMMED, &dimmed),
            UIE_NO_ERROR);
  return dimmed;
}

}  // namespace qv::test
