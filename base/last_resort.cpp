#include "base/last_resort.h"

#include <cstdio>
#include <cstdlib>

#include "base/trace.h"

namespace qv {
namespace {

std::string g_program = "qv3380";

[[noreturn]] void SayAndAbort() {
  const std::string what = ExceptionText(std::current_exception());
  std::fprintf(stderr, "%s: terminated: %s\n", g_program.c_str(), what.c_str());
  Trace(TRACE_ERROR, "terminated: %s", what.c_str());
  std::abort();
}

}  // namespace

std::string ExceptionText(const std::exception_ptr& exception) {
  if (!exception) return "no exception";
  try {
    std::rethrow_exception(exception);
  } catch (const std::exception& error) {
    return error.what();
  } catch (...) {
    return "unknown exception";
  }
}

void InstallTerminateHandler(std::string_view program) {
  g_program = program;
  std::set_terminate(SayAndAbort);
}

}  // namespace qv
