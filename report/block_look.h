#pragma once
// The look of a block of the clock tree from the plan's own verdicts: red when
// one of its checks fails, yellow when one warns, grey when its path is not in
// use, white otherwise; the hover text says why.

#include <initializer_list>
#include <string>

#include "plan/plan_evaluation.h"
#include "report/drawing.h"

namespace qv::report {

struct JudgedBlock {
  Look look = Look::Active;
  std::string hover;
};

// `inUse` is what the plan's active paths say of the block; `about` opens the
// hover text, `idle` explains a grey block that has no check of its own.
JudgedBlock JudgeBlock(bool inUse, std::initializer_list<const Check*> checks,
                       const std::string& about, const std::string& idle = "");

}  // namespace qv::report
