#pragma once
// Loading a setup file into the program: only contents that passed every
// check reach the registers, the chip and the panel.

#include <span>
#include <string>

#include "files/setup_contents.h"

namespace qv {

// Puts checked contents into SetupImage, the pin and reference controls, the
// registers, the chip (online) and the panel, and enables "Reset To Last Setup File".
void ApplySetupContents(const SetupContents& contents);

// ReadSetupFile, then ApplySetupContents. 1 when the file was valid and has
// been applied; 0 otherwise, with the message in `message` (cut to its size)
// and nothing changed anywhere.
int LoadSetupFile(const std::string& path, std::span<char> message);

}  // namespace qv
