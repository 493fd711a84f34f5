#pragma once
// What a setup file states once every check has passed: the plain values, with
// nothing applied to the program yet.

#include <array>

#include "chip/registers.h"
#include "plan/configuration_diff.h"

namespace qv {

inline constexpr std::size_t SETUP_PIN_COUNT = 4;

struct SetupContents {
  // In register-table order; a register the file does not list holds its default.
  std::array<int, REGISTER_COUNT> registers{};
  // REFSEL, MARGIN, SSCG, MAX_BW: 1 high, 0 low.
  std::array<int, SETUP_PIN_COUNT> pins{};
  unsigned crystalIndex = 0;  // 0, 1 or 2
  double externalRefclkMHz = 0.0;
  bool operator==(const SetupContents&) const = default;
};

// The pins and reference settings as the plan reads them.
BoardInputs BoardOf(const SetupContents& setup);
Configuration ConfigurationOf(const SetupContents& setup);

}  // namespace qv
