#pragma once
// Writing a whole file so that a failure never costs the user the file that
// was there before.

#include <string>
#include <string_view>

namespace qv {

// Writes content to path. A regular file (or a new one) is written under a
// temporary name in the same folder and renamed over the target; anything
// else (a device, a pipe) is written directly, as there is nothing to keep.
// False on any failure while creating, writing, flushing, closing or renaming;
// the temporary file is then removed.
bool ReplaceFileContents(const std::string& path, std::string_view content);

}  // namespace qv
