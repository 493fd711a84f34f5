#pragma once
// The map in use coloured against the chip's limits, painted from the plan's
// verdicts: each check colours the controls that show its rule, and the
// summary boxes (VCOS_VALID, NRANGE, ...) pass while every check under them does.

#include "plan/plan_evaluation.h"

namespace qv {

// Every check of the map in use on its controls.
void ColourChecks(const PlanEvaluation& plan);
// The main-panel control that shows a check of a map.
int ControlShowingCheck(const Check& check, int map);
// The spread-spectrum figures: written and coloured on every call, also while
// the panel keeps them hidden.
void ColourSpreadSpectrumFigures(const MapEvaluation& used);

// A control already greyed as inactive counts as passed and keeps its grey.
int ValidateVcoFrequency(double frequency, int control);
int ValidateFeedbackDivider(int n, int control, int nMin, int nMax);
void ValidateOutputFrequency(double frequency, int channel, int control, int* cmosOk, int* diffOk);

}  // namespace qv
