#pragma once
// The setup file's text: the register image, the pin states and the
// reference settings, each line as the reader takes it back.

#include <string>

#include "files/setup_contents.h"

namespace qv {

std::string FormatSetupText(const SetupContents& setup);

}  // namespace qv
