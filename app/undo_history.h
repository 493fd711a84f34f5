#pragma once
// The steps undo and redo walk: what each changed and how to take it back.
// Plain data; app/undo.h records and replays them.

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "app/panel_configuration.h"
#include "files/panel/baseline.h"

namespace qv {

// A main-panel control's value as one commit changed it.
struct ControlCommit {
  int control = 0;
  bool isText = false;
  int before = 0;
  int after = 0;
  std::string beforeText;
  std::string afterText;
};

struct UndoStep {
  std::string label;  // "PLL1 feedback divider N, map 1: 100 -> 102", "Reset DUT"
  // The user's commits, replayed through the same handlers; none for a step
  // that replaced the configuration as a whole (a load, a reset, a read-back).
  std::vector<ControlCommit> commits;
  PanelConfiguration before;
  PanelConfiguration after;
  // Loads, saves and resets move the baseline too; undo moves it back.
  BaselineRecord baselineBefore;
  BaselineRecord baselineAfter;
};

class UndoHistory {
 public:
  explicit UndoHistory(std::size_t limit) : limit_(limit) {}

  // A new step: the oldest goes beyond the limit, and nothing is left to redo.
  void Record(UndoStep step);
  void Clear();

  const UndoStep* NextUndo() const { return done_.empty() ? nullptr : &done_.back(); }
  const UndoStep* NextRedo() const { return undone_.empty() ? nullptr : &undone_.back(); }
  // The step NextUndo named moves to the redo side, and back.
  void StepUndone();
  void StepRedone();

  std::size_t UndoCount() const { return done_.size(); }
  std::size_t RedoCount() const { return undone_.size(); }

 private:
  std::size_t limit_;
  std::deque<UndoStep> done_;
  std::vector<UndoStep> undone_;
};

}  // namespace qv
