#pragma once
// qv3380 run in the test's process, over the recording bridge, with files in a
// folder of the test's own.

#include <initializer_list>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/run_cli.h"
#include "tests/files/expected_files.h"
#include "tests/files/temp_folder.h"
#include "tests/support/program_fixture.h"

namespace qv::test {

struct CliResult {
  int status;
  std::string out;
  std::string err;
};

class CliTest : public ProgramTest {
 protected:
  CliResult Run(const std::vector<std::string>& args) {
    const std::vector<std::string_view> views(args.begin(), args.end());
    std::ostringstream out, err;
    const int status =
        cli::RunCli(views, out, err, [](double seconds) { Bridge().RecordDelay(seconds); });
    return {status, out.str(), err.str()};
  }
  // A setup file in the test's folder; the default file unless told otherwise.
  std::string File(const std::string& name, const std::string& text = DefaultSetupFile()) {
    const std::string path = folder.Path(name);
    WriteText(path, text);
    return path;
  }
  static std::string Replaced(std::string text, std::string_view from, std::string_view to) {
    return text.replace(text.find(from), from.size(), to);
  }
  // Several lines replaced at once, in order.
  static std::string Replaced(
      std::string text,
      std::initializer_list<std::pair<std::string_view, std::string_view>> edits) {
    for (auto [from, to] : edits) text = Replaced(std::move(text), from, to);
    return text;
  }

  TempFolder folder;
};

}  // namespace qv::test
