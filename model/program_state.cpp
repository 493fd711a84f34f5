#include "model/program_state.h"

#include "model/registers.h"
#include "model/value_variables.h"
#include "model/write_path.h"

namespace qv {

void ResetModelState() {
  for (const RegisterRow& row : RegisterTable) *row.variable = 0;
  for (const ValueVariable& entry : ValueVariables) *entry.variable = 0;
  SetupImage.fill(0);
  OpMode = OPMODE_UNCHOSEN;
  panelHandle = 0;
  startupPanelHandle = 0;
  ClearTransferObservers();
}

}  // namespace qv
