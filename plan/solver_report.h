#pragma once
// How a plan reads, the same in the dialog and on the command line.

#include <optional>
#include <string>

#include "plan/solver.h"

namespace qv {

// A frequency in MHz with the digits a planner wants to see.
std::string FormatMhz(double hz);
// "0" when exact, else three decimals.
std::string FormatPpm(double ppm);
// "N 96 + 87/128, V 5, D 3": what sets this output in the plan.
std::string FormatDividers(const SolverResult& plan, int output);
// "PLL2: VCO 2.416992 GHz, N 96 + 87/128 (SDM on)", or that it stays as it is.
std::string FormatPllSummary(const SolverResult& plan, int pll);

// "Out of reach: OUT3 700 MHz (closest 637.500000)", or empty when every target is in reach.
std::string FormatOutOfReach(const SolverResult& plan);

// A target typed in MHz: empty means "don't care"; false when it is no number.
bool ParseTargetMhz(const std::string& text, std::optional<double>* hz);

}  // namespace qv
