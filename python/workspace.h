#pragma once
// The program as the scratch space of one call from Python. The program keeps
// one configuration in its program-wide variables; the module keeps as many as
// a script likes, each a SetupState. A call waits for the one before to end,
// starts the program as qv3380 does for a command, puts its configuration in,
// runs the same code as the command and reads the configuration back out.

#include <functional>
#include <mutex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bridge/adapter_choice.h"
#include "cli/cli_session.h"
#include "files/panel/baseline.h"
#include "files/setup_contents.h"
#include "model/write_path.h"

namespace qv::sim {
class Chip;
}

namespace qv::python {

// One configuration: what a setup file of it states, and where it came from
// (the file it was loaded from or saved to, for an export's header and for
// "changed since").
struct SetupState {
  SetupContents contents;
  BaselineRecord origin;
};

// What a call refuses, as the exception Python sees: SettingError,
// FileError, PlanError, ChipError.
enum class Refusal { Setting, File, Plan, Chip };

class Refused : public std::runtime_error {
 public:
  Refused(Refusal kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}
  Refusal kind() const { return kind_; }

 private:
  Refusal kind_;
};

// A chip refusal with what the session said of it, without its line end.
[[noreturn]] void RefuseChip(std::string said);

// Where a call's transfers go, and who hears of them.
struct ChipRoute {
  std::string adapter;                   // serial or path; empty: QV3380_ADAPTER or the first
  sim::Chip* simulated = nullptr;        // set: this chip in the process instead of any adapter
  std::vector<Transfer>* log = nullptr;  // every transfer of the call is added here
};

// The simulated chip of the call in progress; null when the call goes to an adapter.
sim::Chip* SimulatedChipInUse();

// The program to this thread alone, as a call has it while its Workspace
// lives; for what touches the program outside a call (the trace).
std::unique_lock<std::mutex> WaitForProgram();

class Workspace {
 public:
  // Offline: nothing reaches the chip. ReadOnly: offline once the chip has
  // answered the connection check's read. Online: the connection check
  // passed, every change goes to the chip.
  enum class Link { Offline, ReadOnly, Online };

  // Waits for any other call, then starts the program with the chip reached
  // through `route`. Throws a chip Refused when the chip does not answer.
  explicit Workspace(Link link = Link::Offline, const ChipRoute& route = {});
  ~Workspace();
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  // The configuration into the program, as a load puts a file's in, offline.
  void Hold(const SetupState& setup);
  // The configuration the program holds, as the setup file saved now states it.
  SetupState Held() const;

  cli::CliSession& Session() { return session_; }
  // What the program's popups said since the start, a line each, without the last line end.
  std::string Messages() const;

 private:
  // The pointer SimulatedChipInUse gives, and the route's log, for as long as
  // the call lasts, also when the program does not start.
  class RouteScope {
   public:
    explicit RouteScope(const ChipRoute& route);
    ~RouteScope();
    RouteScope(const RouteScope&) = delete;
    RouteScope& operator=(const RouteScope&) = delete;

   private:
    int logObserver_ = 0;
  };

  std::unique_lock<std::mutex> lock_;
  bridge::ScopedAdapterChoice adapter_;
  RouteScope route_;
  std::ostringstream messages_;
  cli::CliSession session_;
};

}  // namespace qv::python
