#pragma once
// How a plan reads, the same in the dialog and on the command line.

#include <optional>
#include <string>

#include "plan/solver.h"

namespace qv {

// A frequency in MHz with the digits a planner wants to see.
std::string FormatMhz(double hz);
// "N 96 + 87/128, V 5, D 3": what sets this output in the plan.
std::string FormatDividers(const SolverResult& plan, int output);
// "PLL2: VCO 2.416992 GHz, N 96 + 87/128 (SDM on)", or that it stays as it is.
std::string FormatPllSummary(const SolverResult& plan, int pll);

// "Out of reach: OUT3 700 MHz (closest 637.500000)", or empty when every target is in reach.
// The closest is what the plan offered gives.
std::string FormatOutOfReach(const SolverResult& plan);
// "Moved: OUT2 100.000000 -> 91.666667 MHz (-83333.333 ppm)", or empty when every
// output without a target keeps its frequency.
std::string FormatMoves(const SolverResult& plan);
// "+12.500" ppm: how far the plan puts an output from its target (or a kept
// output from its frequency), signed; "0" when exact.
std::string FormatSignedPpm(const OutputPlan& out);

// A plain decimal number (no hexadecimal, infinities or trailing words):
// empty text gives nothing; false when it is no such number.
bool ParsePlainDecimal(const std::string& text, std::optional<double>* value);
// A target typed in MHz: empty means "don't care"; false when it is no number.
bool ParseTargetMhz(const std::string& text, std::optional<double>* hz);
// "Prefer integer N within" so many ppm: empty means 0 (off); false unless a
// number of 0 or more.
bool ParseTolerancePpm(const std::string& text, double* ppm);

}  // namespace qv
