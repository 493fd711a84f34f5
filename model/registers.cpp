#include "model/registers.h"

#include "model/value_variables.h"

namespace qv {

RegisterImage CurrentRegisters() {
  RegisterImage image{};
  for (int i = 0; i < REGISTER_COUNT; ++i) image[i] = *RegisterTable[i].variable;
  return image;
}

void SetRegisters(const RegisterImage& image) {
  for (int i = 0; i < REGISTER_COUNT; ++i) *RegisterTable[i].variable = image[i];
}

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
