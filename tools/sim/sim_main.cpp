// qv3380-sim: runs a command with the simulated adapter and chip present, then
// prints the chip's transfer log. Started through tools/qv3380-sim.

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tools/sim/chip.h"
#include "tools/sim/fake_adapter.h"
#include "tools/sim/fixtures.h"
#include "tools/sim/testbed.h"
#include "tools/sim/transfer_log.h"

extern char** environ;

namespace {

using namespace qv::sim;

constexpr int exitUsage = 2;
constexpr int exitCannotRun = 127;

constexpr std::string_view usage =
    "usage: qv3380-sim [--mode MODE] [--unplug-after N] [--adapters N] [--log FILE] -- COMMAND "
    "[ARG...]\n"
    "Runs COMMAND with a simulated QV3380 adapter (USB HID 04d8:feaa, serial\n"
    "MOCK0001, behind a keyboard that enumerates first) and chip at 0x80, then\n"
    "prints the chip's transfer log to stderr or FILE. COMMAND's exit status is\n"
    "passed on.\n"
    "MODE: answer (default), silent, error, late, absent (no adapter), refuse\n"
    "      (Permission denied on opening; umockdev stops a program after 50 such opens).\n"
    "--unplug-after N: the adapter answers N commands, then is unplugged (no longer found).\n"
    "--adapters 2: a second adapter, serial MOCK0002, with a chip of its own; MODE\n"
    "      and --unplug-after apply to both, and each chip's log is printed.\n";

struct ModeName {
  std::string_view name;
  std::optional<AdapterMode> mode;  // nullopt: no adapter at all
};

constexpr std::array<ModeName, 6> modeNames{{
    {"answer", AdapterMode::answer},
    {"silent", AdapterMode::silent},
    {"error", AdapterMode::errorFlag},
    {"late", AdapterMode::late},
    {"refuse", AdapterMode::refuseOpen},
    {"absent", std::nullopt},
}};

struct Options {
  std::optional<AdapterMode> mode = AdapterMode::answer;
  std::string logFile;
  std::size_t unplugAfter = 0;
  std::size_t adapters = 1;
  std::vector<char*> command;
};

std::optional<Options> parse(std::span<char*> args) {
  Options options;
  std::size_t i = 0;
  for (; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--") {
      ++i;
      break;
    }
    if (arg == "-h" || arg == "--help") {
      std::fputs(usage.data(), stdout);
      std::exit(0);
    }
    if ((arg == "--mode" || arg == "--log" || arg == "--unplug-after" || arg == "--adapters") &&
        i + 1 < args.size()) {
      const std::string_view value = args[++i];
      if (arg == "--log") {
        options.logFile = value;
        continue;
      }
      if (arg == "--adapters") {
        if (value != "1" && value != "2") {
          std::fprintf(stderr, "qv3380-sim: --adapters takes 1 or 2\n");
          return std::nullopt;
        }
        options.adapters = value == "1" ? 1 : 2;
        continue;
      }
      if (arg == "--unplug-after") {
        const std::string digits(value);
        char* end = nullptr;
        const unsigned long count = std::strtoul(digits.c_str(), &end, 10);
        if (digits.empty() || *end != '\0' || count == 0) {
          std::fprintf(stderr, "qv3380-sim: --unplug-after takes a number of commands\n");
          return std::nullopt;
        }
        options.unplugAfter = count;
        continue;
      }
      const auto* found = std::find_if(modeNames.begin(), modeNames.end(),
                                       [&](const ModeName& m) { return m.name == value; });
      if (found == modeNames.end()) {
        std::fprintf(stderr, "qv3380-sim: unknown mode '%.*s'\n", static_cast<int>(value.size()),
                     value.data());
        return std::nullopt;
      }
      options.mode = found->mode;
      continue;
    }
    if (arg.starts_with("-")) {
      std::fprintf(stderr, "qv3380-sim: unknown option '%.*s'\n", static_cast<int>(arg.size()),
                   arg.data());
      return std::nullopt;
    }
    break;
  }
  options.command.assign(args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
  if (options.command.empty()) {
    std::fputs("qv3380-sim: no command given\n", stderr);
    return std::nullopt;
  }
  return options;
}

// The terminal's ^C reaches the command directly; a termination request sent to
// the simulator is handed on so that it can still print the log and clean up.
std::atomic<pid_t> runningChild{0};

void forwardSignal(int signal) {
  if (const pid_t child = runningChild.load(); child > 0) kill(child, signal);
}

void installSignalHandling() {
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGINT, &ignore, nullptr);
  sigaction(SIGQUIT, &ignore, nullptr);
  struct sigaction forward {};
  forward.sa_handler = forwardSignal;
  sigaction(SIGTERM, &forward, nullptr);
  sigaction(SIGHUP, &forward, nullptr);
}

// The command's own exit status, or 128 + signal as a shell reports it.
int run(const std::vector<char*>& command) {
  std::vector<char*> argv{const_cast<char*>("umockdev-wrapper")};
  argv.insert(argv.end(), command.begin(), command.end());
  argv.push_back(nullptr);

  // The command gets the default reaction to ^C back.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGINT);
  sigaddset(&defaults, SIGQUIT);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

  pid_t child = 0;
  const int failed = posix_spawnp(&child, argv[0], nullptr, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  if (failed != 0) {
    std::fprintf(stderr, "qv3380-sim: cannot start umockdev-wrapper: %s (is umockdev installed?)\n",
                 std::strerror(failed));
    return exitCannotRun;
  }
  runningChild = child;

  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return exitCannotRun;
  }
  runningChild = 0;
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return WEXITSTATUS(status);
}

// `serial` is named only when there are two adapters.
std::string summary(std::string_view serial, const std::optional<AdapterMode>& mode,
                    std::size_t commands, std::size_t transfers) {
  const auto* found = std::find_if(modeNames.begin(), modeNames.end(),
                                   [&](const ModeName& m) { return m.mode == mode; });
  std::array<char, 160> line{};
  std::snprintf(line.data(), line.size(),
                "qv3380-sim: adapter %.*s%s%.*s, %zu command(s), %zu transfer(s)\n",
                static_cast<int>(serial.size()), serial.data(), serial.empty() ? "" : " ",
                static_cast<int>(found->name.size()), found->name.data(), commands, transfers);
  return line.data();
}

// One simulated adapter and the chip behind it.
struct Board {
  Board(std::string_view fixture, std::string_view node, std::string_view serial)
      : fixture(fixture), node(node), serial(serial) {}
  std::string_view fixture;
  std::string_view node;
  std::string_view serial;
  Chip chip;
  std::optional<FakeAdapter> adapter;
};

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Options> options =
      parse(std::span(argv + 1, static_cast<std::size_t>(argc - 1)));
  if (!options) {
    std::fputs(usage.data(), stderr);
    return exitUsage;
  }

  try {
    Testbed testbed;
    testbed.add(fixtures::otherHid);
    std::array<Board, 2> boards{{
        {fixtures::adapter, fixtures::adapterNode, fixtures::adapterSerial},
        {fixtures::secondAdapter, fixtures::secondAdapterNode, fixtures::secondAdapterSerial},
    }};
    const std::span<Board> present(boards.data(), options->adapters);
    for (Board& board : present) {
      if (!options->mode) break;
      testbed.add(board.fixture);
      board.adapter.emplace(testbed, board.chip, std::string(board.node));
      board.adapter->setMode(*options->mode);
      if (options->unplugAfter != 0) board.adapter->unplugAfter(options->unplugAfter);
    }

    installSignalHandling();
    const int status = run(options->command);

    std::string report;
    for (const Board& board : present) {
      const std::vector<Transfer> log = board.chip.log();
      report += summary(present.size() > 1 ? board.serial : "", options->mode,
                        board.adapter ? board.adapter->commands().size() : 0, log.size()) +
                formatLog(log);
    }
    if (options->logFile.empty()) {
      std::fputs(report.c_str(), stderr);
    } else if (std::ofstream file(options->logFile); !(file << report)) {
      std::fprintf(stderr, "qv3380-sim: cannot write the log to %s\n", options->logFile.c_str());
      return status != 0 ? status : 1;
    }
    return status;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "qv3380-sim: %s\n", error.what());
    return exitCannotRun;
  }
}
