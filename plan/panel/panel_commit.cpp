#include "plan/panel/panel_commit.h"

#include <array>
#include <utility>

#include "model/program_state.h"
#include "model/value_variables.h"
#include "plan/panel/register_fields.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

// The spread-spectrum controls share one handler and have no register row.
constexpr std::array<std::pair<int, int*>, 3> kSscVariables{{
    {FRACSTEP, &fracstep},
    {NUMSTEP, &numstep},
    {CKDIV, &ckdiv},
}};

const int* HeldBy(int control) {
  if (const RegisterField* field = FindRegisterField(control)) return field->variable;
  for (const auto& [ssc, variable] : kSscVariables) {
    if (ssc == control) return variable;
  }
  return nullptr;
}

}  // namespace

bool CommitIfChanged(int control, int value) {
  if (const int* held = HeldBy(control); held && *held == value) return true;
  return CommitCtrlVal(panelHandle, control, value) == UIE_NO_ERROR;
}

}  // namespace qv
