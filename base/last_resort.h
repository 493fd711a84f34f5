#pragma once
// What happens to an exception nothing else caught: words and an exit status,
// never a silent abort.

#include <exception>
#include <string>
#include <string_view>

namespace qv {

// EX_SOFTWARE: the program found a fault of its own.
inline constexpr int INTERNAL_ERROR_STATUS = 70;

// Its what() for a std::exception, else "unknown exception"; "no exception" for null.
std::string ExceptionText(const std::exception_ptr& exception);

// From here on std::terminate writes "PROGRAM: terminated: WHAT" on standard
// error and in the trace before it aborts.
void InstallTerminateHandler(std::string_view program);

}  // namespace qv
