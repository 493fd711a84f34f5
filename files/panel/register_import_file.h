#pragma once
// File > Import Registers... and qv3380 import: a register dump read into the
// program as a plan no setup file holds yet.

#include <string>

#include "files/register_import.h"

namespace qv {

// The dump at path, read and parsed; nothing in the program changes. A file
// that cannot be read is refused like one that holds no register.
RegisterImport ReadRegisterDumpFile(const std::string& path);

// The imported registers on the panel and, online, the chip, as a setup file's
// are (the same transfers); the pins and reference settings stay, the setup
// image too. The plan then counts as unsaved and no setup file is open.
void ApplyRegisterImport(const RegisterImport& import, const std::string& path);

}  // namespace qv
