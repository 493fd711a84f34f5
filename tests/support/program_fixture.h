#pragma once
// Starts the program's logic over the headless front end and the recording
// bridge, with every program-wide variable as at process start.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "model/program_state.h"
#include "tests/support/recording_bridge.h"
#include "ui/headless/headless_front_end.h"
#include "ui/panel_store.h"

namespace qv::test {

// Every program-wide variable back to its value at process start.
void ResetProgramState();

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs the start-up sequence: main panel shown, mode popup waiting.
  void Start();
  void StartOffline();
  // Online with a chip that answers the probe; the check succeeds.
  void StartOnlineConnected();
  void ClearWire() { Bridge().log.clear(); }

  // The user's actions on the main panel.
  int Commit(int control, int value) { return Store().CommitValue(panelHandle, control, value); }
  int CommitText(int control, std::string_view text) {
    return Store().CommitText(panelHandle, control, text);
  }
  int Press(int control) { return Store().PressButton(panelHandle, control); }
  int Choose(int menuItem) { return Store().ChooseMenuItem(panelHandle, menuItem); }
  // The same, answering Discard should unsaved changes be in the way.
  int PressDiscarding(int control) {
    return Discarding([&] { return Press(control); });
  }
  int ChooseDiscarding(int menuItem) {
    return Discarding([&] { return Choose(menuItem); });
  }

  int Value(int control) const;
  std::string Text(int control) const;
  int Attribute(int control, int attribute) const;
  int MenuDimmed(int menuItem) const;
  std::string MenuText(int menuItem) const;

  HeadlessFrontEnd ui;

 private:
  template <typename Action>
  int Discarding(Action action) {
    ui.questionAnswers.assign(1, 2);  // Discard
    const int result = action();
    ui.questionAnswers.clear();
    return result;
  }
};

}  // namespace qv::test
