#include "base/text_format.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace qv {

namespace {

// The quick path formats %%, and %s, %d, %u, %f and %g with an optional width,
// and %f and %g with an optional precision, itself: std::to_chars gives exactly
// what printf gives in the "C" locale, at a fraction of the cost (the panel's
// figures are formatted on every change). Anything else, flags included, goes
// to vsnprintf.
constexpr int kQuickMaxPrecision = 40;
constexpr int kQuickMaxWidth = 40;

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

bool QuickPathTakes(const char* format) {
  for (const char* p = format; *p != '\0'; ++p) {
    if (*p != '%') continue;
    if (*++p == '%') continue;
    if (*p == '0') return false;  // a flag, not a width
    for (int width = 0; IsDigit(*p); ++p) {
      width = width * 10 + (*p - '0');
      if (width > kQuickMaxWidth) return false;
    }
    if (*p == '.') {
      int precision = 0;
      for (++p; IsDigit(*p); ++p) {
        precision = precision * 10 + (*p - '0');
        if (precision > kQuickMaxPrecision) return false;
      }
      if (*p != 'f' && *p != 'g') return false;
    } else if (*p == '\0' || std::strchr("sdufg", *p) == nullptr) {
      return false;
    }
  }
  return true;
}

template <typename... Options>
void AppendNumber(std::string& out, auto value, Options... options) {
  // %f of the largest double: 309 digits, the point, the precision and a sign.
  std::array<char, 320 + kQuickMaxPrecision> text;
  const auto result = std::to_chars(text.data(), text.data() + text.size(), value, options...);
  out.append(text.data(), result.ptr);
}

void AppendQuick(std::string& out, const char* format, std::va_list args) {
  out.reserve(out.size() + std::strlen(format) + 32);
  for (const char* p = format; *p != '\0'; ++p) {
    if (*p != '%') {
      const char* literal = p;
      while (p[1] != '\0' && p[1] != '%') ++p;
      out.append(literal, p + 1);
      continue;
    }
    int width = 0;
    for (++p; IsDigit(*p); ++p) width = width * 10 + (*p - '0');
    int precision = 6;
    if (*p == '.') {
      precision = 0;
      for (++p; IsDigit(*p); ++p) precision = precision * 10 + (*p - '0');
    }
    const std::size_t start = out.size();
    switch (*p) {
      case 's': {
        const char* text = va_arg(args, const char*);
        out.append(text != nullptr ? text : "(null)");
        break;
      }
      case 'd': AppendNumber(out, va_arg(args, int)); break;
      case 'u': AppendNumber(out, va_arg(args, unsigned)); break;
      case 'f': AppendNumber(out, va_arg(args, double), std::chars_format::fixed, precision); break;
      case 'g':
        AppendNumber(out, va_arg(args, double), std::chars_format::general, precision);
        break;
      default: out.push_back('%'); break;
    }
    const std::size_t shown = out.size() - start;
    if (shown < static_cast<std::size_t>(width)) out.insert(start, width - shown, ' ');
  }
}

}  // namespace

void AppendFormatV(std::string& out, const char* format, std::va_list args) {
  if (QuickPathTakes(format)) {
    AppendQuick(out, format, args);
    return;
  }
  // Most texts fit on the stack: formatted once, not measured first.
  std::array<char, 256> buffer;
  std::va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(buffer.data(), buffer.size(), format, args);
  if (length > 0 && static_cast<std::size_t>(length) < buffer.size()) {
    out.append(buffer.data(), static_cast<std::size_t>(length));
  } else if (length > 0) {
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(length) + 1);
    std::vsnprintf(out.data() + start, static_cast<std::size_t>(length) + 1, format, again);
    out.pop_back();  // the terminator vsnprintf needs room for
  }
  va_end(again);
}

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

std::string FrequencyText(double hz, double unitHz, int decimals, const char* unit) {
  const double shown = hz / unitHz;
  if (!std::isfinite(shown)) return FREQUENCY_NOT_DEFINED;
  return FormatText("%.*f %s", decimals, shown, unit);
}

}  // namespace qv
