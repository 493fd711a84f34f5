#pragma once
// Turns the chip settings into frequencies, shows them, and colours the map in
// use against the chip's limits.

#include <array>

#include "plan/frequency_maps.h"

namespace qv {

inline constexpr double FvcoMin = 2150000000.0;
inline constexpr double FvcoMax = 2550000000.0;
inline constexpr double FpfdMin = 19440000.0;
inline constexpr double FpfdMax = 27000000.0;
inline constexpr std::array<double, 3> CRYSTAL_FREQUENCIES{19440000.0, 25000000.0, 27000000.0};
inline constexpr int N_RANGE_MIN = 80;
inline constexpr int N_RANGE_MAX = 131;
inline constexpr double DIFFERENTIAL_OUTPUT_MAX = 637510000.0;
inline constexpr double CMOS_OUTPUT_MAX = 200010000.0;
inline constexpr double DOWNSPREAD_WARNING_PERCENT = -0.55;

inline constexpr int VALIDATE_GOOD_COLOR = 0xFFFFFF;
inline constexpr int VALIDATE_WARNING_COLOR = 0xFFFF00;
inline constexpr int VALIDATE_BAD_COLOR = 0xFF0000;
inline constexpr int DISABLED_COLOR = 0xC8C8C8;

// The pins exist only on the panel: 0 low, 1 high.
int GetRefselPin();
int GetMarginPin();
int GetSscgPin();
int GetMaxBwPin();
double GetCrystalFrequency();
double GetExternalRefclkFrequency();
double GetPfdFrequency();

// The longest leading decimal number of a text (after white space), 0 if none.
double LeadingDecimalNumber(const char* text);

struct MapFrequencies {
  double vco1 = 0.0;
  double vco2 = 0.0;
  std::array<double, OUTPUT_COUNT> out{};
};
MapFrequencies ComputeMapFrequencies(const FrequencyMap& map, double fpfd);

struct NRange {
  int min;
  int max;
};
NRange ComputeNRange(double fpfd);

void RecalculateFrequencies();

// A control already greyed as inactive counts as passed and keeps its grey.
int ValidateVcoFrequency(double frequency, int control);
int ValidateFeedbackDivider(int n, int control, int nMin, int nMax);
void ValidateOutputFrequency(double frequency, int channel, int control, int* cmosOk,
                             int* diffOk);

}  // namespace qv
