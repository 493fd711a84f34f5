#include "model/registers.h"

#include "model/value_variables.h"

namespace qv {

void LoadRegisterDefaults() {
  for (const RegisterRow& row : RegisterTable) *row.variable = static_cast<int>(row.defaultValue);
}

void SetValueVariablesToStartValues() {
  for (const ValueVariable& entry : ValueVariables) {
    if (!entry.keptAtStart) *entry.variable = entry.startValue;
  }
}

void InitVariables() {
  SetValueVariablesToStartValues();
  LoadRegisterDefaults();
}

}  // namespace qv
