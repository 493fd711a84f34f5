#include "base/trace.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <ctime>

#include "base/text_format.h"
#include "base/version.h"

namespace qv {

namespace trace_internal {
int descriptor = -1;
}  // namespace trace_internal

namespace {

void AppendTime(std::string& line) {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  std::tm utc{};
  ::gmtime_r(&now.tv_sec, &utc);
  AppendFormat(line, "%04d-%02d-%02dT%02d:%02d:%02d.%03ldZ", utc.tm_year + 1900, utc.tm_mon + 1,
               utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec, now.tv_nsec / 1000000);
}

// Messages and paths may hold line ends; a reader counts on one event a line.
void AppendEscaped(std::string& line, std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F) {
      line += c;
    } else if (c == '\n') {
      line += "\\n";
    } else if (c == '\r') {
      line += "\\r";
    } else if (c == '\t') {
      line += "\\t";
    } else {
      AppendFormat(line, "\\x%02X", byte);
    }
  }
}

}  // namespace

void TraceLine(std::string_view category, std::string_view text) {
  const int descriptor = trace_internal::descriptor;
  if (descriptor < 0) return;
  std::string line;
  AppendTime(line);
  line += ' ';
  line += category;
  line += ' ';
  AppendEscaped(line, text);
  line += '\n';
  // O_APPEND puts each write at the end whoever else appends; a failed write
  // is dropped, since the trace must never stop the program.
  // The caller may still look at errno.
  const int error = errno;
  for (std::string_view rest = line; !rest.empty();) {
    const ssize_t written = ::write(descriptor, rest.data(), rest.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) break;
    rest.remove_prefix(static_cast<std::size_t>(written));
  }
  errno = error;
}

void Trace(const char* category, const char* format, ...) {
  if (!TraceOn()) return;
  std::string text;
  std::va_list args;
  va_start(args, format);
  AppendFormatV(text, format, args);
  va_end(args);
  TraceLine(category, text);
}

TraceFile::TraceFile(const std::string& path, std::string_view program)
    : previous_(trace_internal::descriptor) {
  descriptor_ = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (descriptor_ < 0) {
    complaint_ =
        std::string(program) + ": " + path + ": trace not written: " + std::strerror(errno);
    return;
  }
  trace_internal::descriptor = descriptor_;
  const std::string version(kToolVersion);
  Trace(TRACE_PROGRAM, "%.*s %s, pid %ld, trace opened", static_cast<int>(program.size()),
        program.data(), version.c_str(), static_cast<long>(::getpid()));
}

TraceFile::~TraceFile() {
  if (descriptor_ < 0) return;
  trace_internal::descriptor = previous_;
  ::close(descriptor_);
}

}  // namespace qv
