#pragma once
// qv3380's messages on standard error: "qv3380: FILE: what happened", so a
// script's log names the program, the file (or adapter, or option) and the
// cause on every line.

#include <string>
#include <string_view>

namespace qv::cli {

inline constexpr std::string_view kProgram = "qv3380";

// Every line of `message` after "qv3380: SUBJECT: " ("qv3380: " alone for an
// empty subject), each ended by a line end. A line that already begins with
// "SUBJECT: " (a save's "PATH: No space left on device") does not name it twice.
std::string Complaint(std::string_view subject, std::string_view message);

}  // namespace qv::cli
