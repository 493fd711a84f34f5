#include "python/workspace.h"

#include <utility>

#include "cli/run_cli.h"
#include "files/panel/current_setup.h"
#include "files/panel/setup_file_loading.h"
#include "files/setup_file_reader.h"
#include "files/setup_file_writer.h"

namespace qv::python {
namespace {

// Held only while a call has the program; nothing else is kept in it.
std::mutex& ProgramMutex() {
  static std::mutex mutex;
  return mutex;
}

// Set only while the call that routes to it holds the program.
sim::Chip* g_simulated = nullptr;

// The chip needs real time to settle; a simulated one does not.
std::function<void(double)> PauseFor(const ChipRoute& route) {
  if (route.simulated) return [](double) {};
  return cli::SleepSeconds;
}

}  // namespace

sim::Chip* SimulatedChipInUse() { return g_simulated; }

void RefuseChip(std::string said) {
  if (said.ends_with('\n')) said.pop_back();
  throw Refused(Refusal::Chip, said);
}

std::unique_lock<std::mutex> WaitForProgram() {
  return std::unique_lock<std::mutex>(ProgramMutex());
}

Workspace::RouteScope::RouteScope(const ChipRoute& route) {
  g_simulated = route.simulated;
  if (std::vector<Transfer>* log = route.log) {
    logObserver_ =
        AddTransferObserver([log](const Transfer& transfer) { log->push_back(transfer); });
  }
}

Workspace::RouteScope::~RouteScope() {
  RemoveTransferObserver(logObserver_);
  g_simulated = nullptr;
}

Workspace::Workspace(Link link, const ChipRoute& route)
    : lock_(WaitForProgram()),
      adapter_(route.simulated ? std::string() : route.adapter),
      route_(route),
      session_(messages_, PauseFor(route), cli::CliSession::Voice::Python) {
  const bool started =
      link == Link::ReadOnly ? session_.StartReadingChip() : session_.Start(link == Link::Online);
  if (started) return;
  if (link == Link::Offline) throw std::runtime_error("the program's user interface did not start");
  RefuseChip(session_.StartFailureText());
}

Workspace::~Workspace() = default;

void Workspace::Hold(const SetupState& setup) {
  ApplySetupContents(setup.contents);
  RestoreBaselineRecord(setup.origin);
}

SetupState Workspace::Held() const {
  // The REFCLK as the file keeps it (five decimals of MHz), so a configuration
  // is always what its setup file reads back as.
  const SetupFileReading file = CheckSetupText(FormatSetupText(CurrentSetup()));
  return {file.contents.value_or(CurrentSetup()), CurrentBaselineRecord()};
}

std::string Workspace::Messages() const {
  std::string text = messages_.str();
  if (text.ends_with('\n')) text.pop_back();
  return text;
}

}  // namespace qv::python
