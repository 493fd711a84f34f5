#include "python/script_trace.h"

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

#include "base/trace.h"
#include "python/workspace.h"

namespace qv::python {
namespace {

constexpr const char* kProgram = "qv3380 (Python)";

// One trace at a time: a TraceFile restores the one before it when it ends,
// which only holds for files ended in the reverse order of their opening.
struct ScriptTrace {
  std::unique_ptr<TraceFile> file;
  std::string path;
};
ScriptTrace g_scriptTrace;

}  // namespace

void TraceTo(const std::string& path) {
  const std::unique_lock<std::mutex> program = WaitForProgram();
  if (path.find('\0') != std::string::npos) {
    throw Refused(Refusal::File, "trace not written: the file name holds a NUL byte");
  }
  if (!path.empty()) {
    // Tried before the trace in use ends, so a file that cannot be opened leaves it running.
    const int probe = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (probe < 0)
      throw Refused(Refusal::File, path + ": trace not written: " + std::strerror(errno));
    ::close(probe);
  }
  g_scriptTrace = {};
  if (path.empty()) return;
  auto file = std::make_unique<TraceFile>(path, kProgram);
  if (!file->complaint().empty()) {
    throw Refused(Refusal::File, file->complaint().substr(std::strlen(kProgram) + 2));
  }
  g_scriptTrace = {std::move(file), path};
}

std::string TracePath() {
  const std::unique_lock<std::mutex> program = WaitForProgram();
  return g_scriptTrace.path;
}

void EndScriptTrace() {
  const std::unique_lock<std::mutex> program = WaitForProgram();
  g_scriptTrace = {};
}

}  // namespace qv::python
