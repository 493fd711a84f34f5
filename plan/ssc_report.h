#pragma once
// How a spread-spectrum plan reads, the same in the dialog and on the command line.

#include <string>
#include <vector>

#include "plan/ssc_planner.h"

namespace qv {

// "-0.5000 %", "31.5657 kHz": the figures with the digits a planner wants.
std::string FormatDepth(double percent);
std::string FormatFmod(double hz);
// "0" when exact, else signed: "+0.0123 %", "+65.7 Hz (+0.208 %)".
std::string FormatDepthError(const SscPlan& plan);
std::string FormatFmodError(const SscPlan& plan);
// "Window: -0.500 to 0.000 %, 30.000 to 33.000 kHz".
std::string FormatSscWindow(const SscWindow& window);
// Three lines: "FracStep -2, NumSteps 198, CkDiv 2", "Map 0 PLL2: N 96, word 0,
// modulus 825 (was N 96, word 0, modulus 0)", "VCO2 stays at 2.400000 GHz".
std::string FormatSscSettings(const SscPlan& plan);
// "Met exactly.", "Within the window.", or that it is not reachable.
std::string FormatSscVerdict(const SscPlan& plan);
// What else the plan means: spread spectrum still off and why, the other
// map's figures with the shared steps, a VCO the modulator moves.
std::vector<std::string> SscNotes(const SscPlan& plan);

// The same for the plans of PlanSpreadSpectrumMaps: one map as above; both
// with the shared steps once and each map's PLL2 on a line of its own.
std::string FormatSscSettings(const std::vector<SscPlan>& plans);
std::string FormatSscVerdict(const std::vector<SscPlan>& plans);
std::vector<std::string> SscNotes(const std::vector<SscPlan>& plans);

// Why a downspread typed in percent is refused, "" when it is taken: the chip
// only spreads down, so it is a number below 0, never read as its opposite.
std::string DownspreadProblem(const std::string& typed);
// Why a modulation frequency typed in kHz is refused: it is a number above 0.
std::string FmodProblem(const std::string& typed);

// A downspread typed in percent and a modulation frequency in kHz, as the
// dialog and the command line read them; false with the reason otherwise.
bool ParseSscRequest(const std::string& downspread, const std::string& fmodKhz, SscRequest* request,
                     std::string* problem);

}  // namespace qv
