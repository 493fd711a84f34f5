#include <cstdlib>
#include <exception>
#include <iostream>
#include <optional>
#include <string_view>
#include <vector>

#include "base/last_resort.h"
#include "base/trace.h"
#include "cli/painter.h"
#include "cli/run_cli.h"

int main(int argc, char* argv[]) {
  qv::InstallTerminateHandler("qv3380");
  std::optional<qv::TraceFile> trace;
  if (const char* path = std::getenv(qv::TRACE_VARIABLE); path && *path) {
    trace.emplace(path, "qv3380");
    if (!trace->complaint().empty()) std::cerr << trace->complaint() << '\n';
  }
  try {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    // Made before the run and ended after it, so Qt, once started, ends in order.
    const std::unique_ptr<qv::PictureRenderer> painter = qv::cli::MakePainter();
    qv::InstallPictureRenderer(painter.get());
    const int status = qv::cli::RunCli(args, std::cout, std::cerr, qv::cli::SleepSeconds);
    qv::InstallPictureRenderer(nullptr);
    return status;
  } catch (...) {
    return qv::cli::InternalError(std::cerr, qv::ExceptionText(std::current_exception()));
  }
}
