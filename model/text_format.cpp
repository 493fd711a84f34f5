#include "model/text_format.h"

#include <cstdarg>
#include <cstdio>

namespace qv {

namespace {

void AppendFormatV(std::string& out, const char* format, std::va_list args) {
  std::va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(nullptr, 0, format, args);
  if (length > 0) {
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(length) + 1);
    std::vsnprintf(out.data() + start, static_cast<std::size_t>(length) + 1, format, again);
    out.pop_back();  // the terminator vsnprintf needs room for
  }
  va_end(again);
}

}  // namespace

std::string FormatText(const char* format, ...) {
  std::string out;
  std::va_list args;
  va_start(args, format);
  AppendFormatV(out, format, args);
  va_end(args);
  return out;
}

void AppendFormat(std::string& out, const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  AppendFormatV(out, format, args);
  va_end(args);
}

void FormatInto(std::span<char> buffer, const char* format, ...) {
  if (buffer.empty()) return;
  std::va_list args;
  va_start(args, format);
  std::vsnprintf(buffer.data(), buffer.size(), format, args);
  va_end(args);
}

}  // namespace qv
