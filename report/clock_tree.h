#pragma once
// The clock tree of one frequency map as a picture: reference, divider, PFD,
// the two PLLs with their VCOs, each output's dividers, frequency, format and
// power, the sync links and spread spectrum. Blocks take their look from the
// plan's verdicts and active paths (red fails, yellow warns, grey idle).

#include "plan/plan_evaluation.h"
#include "ui/scene.h"

namespace qv::report {

// Group ids: "crystal", "refclk", "refdiv", "refsel", "pfd", "pll1", "pll2",
// "vco1", "vco2", "ssc", "out0" ... "out3", "out0-v", "out0-d", ..., and links
// "link-FROM-TO" (a sync link is "link-out0-v-out1-d").
Scene ClockTreeScene(const PlanEvaluation& plan, int map);

}  // namespace qv::report
