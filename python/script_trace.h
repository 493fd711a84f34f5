#pragma once
// The diagnostic trace of a script: the same lines as QV3380_TRACE gives the
// programs, in a file the script names and may change while it runs.

#include <string>

namespace qv::python {

// From now on the trace goes to `path` (appended to), instead of where it
// went; empty ends it. Throws a file Refused when `path` cannot be opened,
// and the trace goes on where it went.
void TraceTo(const std::string& path);

// Where the trace goes; empty while it is off.
std::string TracePath();

// The trace ended, as at the interpreter's exit.
void EndScriptTrace();

}  // namespace qv::python
