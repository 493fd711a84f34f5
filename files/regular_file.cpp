#include "files/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "base/trace.h"
#include "files/file_descriptor.h"
#include "files/file_lock.h"

namespace qv {
namespace {

std::optional<std::string> Read(const std::string& path, std::size_t limit,
                                std::string_view tooLarge, std::string& reason) {
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct stat info {};
  if (!file.valid() || ::fstat(file.get(), &info) != 0) {
    reason = std::strerror(errno);
    return std::nullopt;
  }
  if (!S_ISREG(info.st_mode)) {
    reason = "not a regular file";
    return std::nullopt;
  }
  // An in-place save of the tool's holds the file exclusively until it is whole.
  if (LockFile(file.get(), LockKind::Shared) == LockResult::Busy) {
    reason = "another program keeps it locked";
    return std::nullopt;
  }
  if (static_cast<std::size_t>(info.st_size) > limit) {
    reason = tooLarge;
    return std::nullopt;
  }
  std::string text;
  std::array<char, 64 * 1024> chunk{};
  for (;;) {
    const ssize_t got = ::read(file.get(), chunk.data(), chunk.size());
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      reason = std::strerror(errno);
      return std::nullopt;
    }
    text.append(chunk.data(), static_cast<std::size_t>(got));
    // It may have grown since fstat.
    if (text.size() > limit) {
      reason = tooLarge;
      return std::nullopt;
    }
  }
  return text;
}

}  // namespace

std::optional<std::string> ReadRegularFile(const std::string& path, std::size_t limit,
                                           std::string_view tooLarge, std::string& reason) {
  std::optional<std::string> text = Read(path, limit, tooLarge, reason);
  if (text) {
    Trace(TRACE_FILE, "read %s (%zu bytes)", path.c_str(), text->size());
  } else {
    Trace(TRACE_FILE, "not read %s: %s", path.c_str(), reason.c_str());
  }
  return text;
}

}  // namespace qv
