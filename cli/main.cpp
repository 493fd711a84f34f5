#include <iostream>
#include <string_view>
#include <vector>

#include "cli/run_cli.h"

int main(int argc, char* argv[]) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  return qv::cli::RunCli(args, std::cout, std::cerr, qv::cli::SleepSeconds);
}
