#include <iostream>
#include <string_view>
#include <vector>

#include "cli/painter.h"
#include "cli/run_cli.h"

int main(int argc, char* argv[]) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  // Made before the run and ended after it, so Qt, once started, ends in order.
  const std::unique_ptr<qv::PictureRenderer> painter = qv::cli::MakePainter();
  qv::InstallPictureRenderer(painter.get());
  const int status = qv::cli::RunCli(args, std::cout, std::cerr, qv::cli::SleepSeconds);
  qv::InstallPictureRenderer(nullptr);
  return status;
}
