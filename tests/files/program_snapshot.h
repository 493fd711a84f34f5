#pragma once
// Everything a setup-file load may change, captured so a test can show that a
// rejected file changed none of it.

#include <array>
#include <string>
#include <vector>

#include "model/registers.h"
#include "model/value_variables.h"
#include "ui/toolkit.h"

namespace qv::test {

struct ControlSnapshot {
  int id = 0;
  int value = 0;
  std::string text;
  bool dimmed = false;
  bool visible = true;
  int textBgColor = 0, textColor = 0, labelColor = 0, frameColor = 0, onColor = 0, offColor = 0;
  int minValue = 0, maxValue = 0;
  bool operator==(const ControlSnapshot&) const = default;
};

struct ProgramSnapshot {
  std::array<int, REGISTER_COUNT> setupImage{};
  std::array<int, REGISTER_COUNT> registers{};
  std::array<int, ValueVariables.size()> values{};
  std::vector<ControlSnapshot> controls;
  std::vector<bool> menuDimmed;
  std::array<std::string, STATUS_FIELD_COUNT> status;
  bool operator==(const ProgramSnapshot&) const = default;
};

// The main panel (panelHandle) and the model as they are now.
ProgramSnapshot TakeSnapshot();

// One line per difference; empty when there is none.
std::string DescribeDifferences(const ProgramSnapshot& before, const ProgramSnapshot& after);

}  // namespace qv::test
