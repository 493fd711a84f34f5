#include "app/undo.h"

#include <utility>

#include "app/undo_history.h"
#include "app/undo_labels.h"
#include "model/program_state.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

void ShowInMenu();

// Watches the user's actions from the outermost beginning to its end and
// records a step when the configuration changed in between.
class Recorder final : public UserActionObserver {
 public:
  void ActionBegins(const UserAction& action) override {
    if (depth_++ > 0) return;
    // Undo and redo commit too; those commits are no step of their own.
    recording_ = !replaying_;
    if (!recording_) return;
    step_ = UndoStep{};
    action_ = action;
    step_.label = ActionLabel(action);
    step_.before = CapturePanelConfiguration();
    step_.baselineBefore = CurrentBaselineRecord();
  }

  void ValueCommitted(const CommittedValue& value) override {
    if (!recording_ || value.panel != panelHandle) return;
    step_.commits.push_back({value.control, value.isText, value.before, value.after,
                             value.beforeText, value.afterText});
  }

  void ActionEnds(const UserAction&) override {
    if (--depth_ > 0 || !recording_) return;
    recording_ = false;
    step_.after = CapturePanelConfiguration();
    if (SameConfiguration(step_.before, step_.after)) return;
    step_.baselineAfter = CurrentBaselineRecord();
    Name(step_);
    history_.Record(std::move(step_));
    ShowInMenu();
  }

  // An undo or redo runs: nothing of it is recorded.
  void Replaying(bool on) {
    replaying_ = on;
    if (on) recording_ = false;
  }

  UndoHistory& history() { return history_; }
  void Reset() {
    history_.Clear();
    depth_ = 0;
    recording_ = replaying_ = false;
  }

 private:
  void Name(UndoStep& step) const {
    const bool oneCommit = action_.kind == UserActionKind::Commit && action_.panel == panelHandle &&
                           step.commits.size() == 1;
    const BaselineSnapshot& baseline = step.baselineAfter.baseline;
    const bool opened =
        baseline.origin == BaselineOrigin::SetupFile && !(baseline == step.baselineBefore.baseline);
    if (oneCommit) {
      step.label = CommitLabel(step.commits.front());
    } else if (opened) {
      step.label = OpenedFileLabel(baseline.path);
    }
  }

  UndoHistory history_{UNDO_STEPS_KEPT};
  UndoStep step_;
  UserAction action_{};
  int depth_ = 0;
  bool recording_ = false;
  bool replaying_ = false;
};

Recorder& TheRecorder() {
  static Recorder recorder;
  return recorder;
}

void Recommit(const ControlCommit& commit, bool back) {
  if (commit.isText) {
    CommitCtrlVal(panelHandle, commit.control, back ? commit.beforeText : commit.afterText);
  } else {
    CommitCtrlVal(panelHandle, commit.control, back ? commit.before : commit.after);
  }
}

// Commits back through the handlers; what they cannot reach (a value no control
// takes, such as a spread-spectrum count below its minimum after a reset) is
// put back as a whole.
void Replay(const UndoStep& step, bool back) {
  Recorder& recorder = TheRecorder();
  recorder.Replaying(true);
  if (back) {
    for (auto commit = step.commits.rbegin(); commit != step.commits.rend(); ++commit) {
      Recommit(*commit, true);
    }
  } else {
    for (const ControlCommit& commit : step.commits) Recommit(commit, false);
  }
  const PanelConfiguration& target = back ? step.before : step.after;
  if (!SameConfiguration(CapturePanelConfiguration(), target)) {
    RestorePanelConfiguration(target);
  }
  if (!(step.baselineBefore == step.baselineAfter)) {
    RestoreBaselineRecord(back ? step.baselineBefore : step.baselineAfter);
  }
  recorder.Replaying(false);
}

std::string Described(const char* verb, const UndoStep* step) {
  return step ? std::string(verb) + " " + step->label : std::string();
}

void ShowItem(int item, const char* verb, const UndoStep* step) {
  const int menuBar = GetPanelMenuBar(panelHandle);
  if (menuBar == 0) return;
  const std::string text = std::string("__") + verb + (step ? " " + step->label : "");
  SetMenuBarAttribute(menuBar, item, ATTR_ITEM_NAME, text);
  SetMenuBarAttribute(menuBar, item, ATTR_DIMMED, step ? 0 : 1);
}

void ShowInMenu() {
  const UndoHistory& history = TheRecorder().history();
  ShowItem(menubar::UNDO, "Undo", history.NextUndo());
  ShowItem(menubar::REDO, "Redo", history.NextRedo());
}

}  // namespace

void StopUndo() {
  Recorder& recorder = TheRecorder();
  RemoveUserActionObserver(&recorder);
  recorder.Reset();
}

void StartUndo() {
  StopUndo();
  AddUserActionObserver(&TheRecorder());
  ShowInMenu();
}

bool Undo() {
  UndoHistory& history = TheRecorder().history();
  const UndoStep* step = history.NextUndo();
  if (!step) return false;
  Replay(*step, true);
  history.StepUndone();
  ShowInMenu();
  return true;
}

bool Redo() {
  UndoHistory& history = TheRecorder().history();
  const UndoStep* step = history.NextRedo();
  if (!step) return false;
  Replay(*step, false);
  history.StepRedone();
  ShowInMenu();
  return true;
}

std::string UndoText() { return Described("Undo", TheRecorder().history().NextUndo()); }
std::string RedoText() { return Described("Redo", TheRecorder().history().NextRedo()); }

void OnEditUndoMenuClicked(int, int, void*, int) { Undo(); }
void OnEditRedoMenuClicked(int, int, void*, int) { Redo(); }

}  // namespace qv
