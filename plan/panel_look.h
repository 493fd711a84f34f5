#pragma once
// Which parts of the chip are in use, shown on the panel: the pin groups in
// their colours (faded when not selected), every control of an unused or
// unpowered path greyed. The greying is what the validators skip.

#include <initializer_list>

#include "plan/plan_evaluation.h"

namespace qv {

inline constexpr int MARGIN_COLOR = 0xCC33FF;
inline constexpr int REFSEL_COLOR = 0x66FFCC;
inline constexpr int SSCG_COLOR = 0xFFFF66;
inline constexpr int FADE_GREY = 0xA0A0A0;
inline constexpr int INACTIVE_TEXT_COLOR = 0x686868;
inline constexpr int INACTIVE_LABEL_COLOR = 0x808080;

// Evaluates the plan itself; the recalculation passes the plan it just made.
void UpdatePanelDimming();
void UpdatePanelDimming(const PlanEvaluation& plan);
void SetControlActiveLook(int active, int control);
void SetControlsActiveLook(int active, std::initializer_list<int> controls);
int FadeColor(int color);

}  // namespace qv
