#include "app/undo_history.h"

#include <utility>

namespace qv {

void UndoHistory::Record(UndoStep step) {
  undone_.clear();
  done_.push_back(std::move(step));
  while (done_.size() > limit_) done_.pop_front();
}

void UndoHistory::Clear() {
  done_.clear();
  undone_.clear();
}

void UndoHistory::StepUndone() {
  if (done_.empty()) return;
  undone_.push_back(std::move(done_.back()));
  done_.pop_back();
}

void UndoHistory::StepRedone() {
  if (undone_.empty()) return;
  done_.push_back(std::move(undone_.back()));
  undone_.pop_back();
}

}  // namespace qv
