#pragma once
// The JSON definition file: a chip configuration decoded from its registers,
// for both frequency maps.

#include <string>

#include "chip/registers.h"

namespace qv {

inline constexpr const char* JSON_DEFAULT_NAME = "qv3380_def.json";

// BS1 is written as the image holds it: negative after an edit, a byte after a load.
std::string FormatJsonDefinition(const RegisterImage& registers);

}  // namespace qv
