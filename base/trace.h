#pragma once
// The diagnostic trace: one line per event (a chip transfer, a file read or
// written, a refusal) appended to the file QV3380_TRACE or --trace names.
// Silent unless asked for; a trace that cannot be written never changes what
// the program does.

#include <string>
#include <string_view>

namespace qv {

namespace trace_internal {
extern int descriptor;  // -1 while no trace is open
}  // namespace trace_internal

inline bool TraceOn() { return trace_internal::descriptor >= 0; }

// Categories of the lines, the second word of each.
inline constexpr const char* TRACE_PROGRAM = "program";
inline constexpr const char* TRACE_TRANSFER = "transfer";
inline constexpr const char* TRACE_FILE = "file";
inline constexpr const char* TRACE_REFUSED = "refused";
inline constexpr const char* TRACE_ERROR = "error";

// "2024-05-17T09:41:07.250Z transfer write register 0x1C ...": the time in UTC,
// the category, the text with its control characters escaped, so every event
// is one line. Written with one call, straight to the file. Nothing when off.
void TraceLine(std::string_view category, std::string_view text);
[[gnu::format(printf, 2, 3)]] void Trace(const char* category, const char* format, ...);

// The trace while it lives: the file opened for appending, and the trace
// before it back when it ends. A file that cannot be opened leaves the trace
// as it was.
class TraceFile {
 public:
  TraceFile(const std::string& path, std::string_view program);
  ~TraceFile();
  TraceFile(const TraceFile&) = delete;
  TraceFile& operator=(const TraceFile&) = delete;

  // "PROGRAM: PATH: trace not written: reason" when the file could not be
  // opened, for standard error; empty otherwise.
  const std::string& complaint() const { return complaint_; }

 private:
  int previous_;
  int descriptor_ = -1;
  std::string complaint_;
};

// The variable that names a trace file for either program.
inline constexpr const char* TRACE_VARIABLE = "QV3380_TRACE";

}  // namespace qv
