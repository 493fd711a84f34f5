#include "files/settings_file.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "base/text_format.h"
#include "files/regular_file.h"
#include "files/replace_file.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kSection = "Files";
// Where the program kept them before, through Qt's settings.
constexpr std::string_view kOldSection = "General";
constexpr std::string_view kBlanks = " \t";

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The length of the well-formed UTF-8 sequence at `at`, 0 when there is none.
std::size_t Utf8Length(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the second byte's range
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  if (byte(at + 1) < low || byte(at + 1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
  }
  return length;
}

std::string Encoded(std::string_view value) {
  std::string text;
  for (std::size_t i = 0; i < value.size();) {
    const auto c = static_cast<unsigned char>(value[i]);
    const bool edge = (i == 0 || i + 1 == value.size()) && (c == ' ' || c == '\t');
    if (c >= 0x80) {
      if (const std::size_t length = Utf8Length(value, i); length > 0) {
        text.append(value.substr(i, length));
        i += length;
        continue;
      }
    }
    if (c < 0x20 || c >= 0x7F || c == '%' || edge) {
      AppendFormat(text, "%%%02X", c);
    } else {
      text.push_back(static_cast<char>(c));
    }
    ++i;
  }
  return text;
}

std::optional<std::string> Decoded(std::string_view text) {
  std::string value;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      value.push_back(text[i]);
      continue;
    }
    const int high = i + 2 < text.size() ? HexDigit(text[i + 1]) : -1;
    const int low = high >= 0 ? HexDigit(text[i + 2]) : -1;
    if (low < 0) return std::nullopt;
    value.push_back(static_cast<char>(high * 16 + low));
    i += 2;
  }
  return value;
}

void AppendUtf8(std::string& text, unsigned code) {
  if (code < 0x80) {
    text.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    text.push_back(static_cast<char>(0xC0 | code >> 6));
    text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    text.push_back(static_cast<char>(0xE0 | code >> 12));
    text.push_back(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
    text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

// A value as Qt's settings wrote it: quotes, backslash escapes, UTF-8.
std::string OldValue(std::string_view text) {
  std::string value;
  bool quoted = false;
  text = Trimmed(text);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      quoted = !quoted;
      continue;
    }
    if (c != '\\' || i + 1 == text.size()) {
      value.push_back(c);
      continue;
    }
    const char e = text[++i];
    switch (e) {
      case 'n': value.push_back('\n'); break;
      case 'r': value.push_back('\r'); break;
      case 't': value.push_back('\t'); break;
      case 'x': {
        unsigned code = 0;
        while (i + 1 < text.size() && HexDigit(text[i + 1]) >= 0) {
          code = code * 16 + static_cast<unsigned>(HexDigit(text[++i]));
        }
        AppendUtf8(value, code & 0xFFFF);
        break;
      }
      default: value.push_back(e); break;
    }
  }
  return value;
}

std::vector<std::string> OldLines(std::string_view text) {
  std::vector<std::string> lines;
  const std::string value = OldValue(text);
  for (std::size_t start = 0; start < value.size();) {
    const std::size_t end = std::min(value.find('\n', start), value.size());
    if (end > start) lines.push_back(value.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// Entries no system path or menu takes are left out, and said.
void Bound(SettingsDocument& document) {
  for (auto it = document.values.begin(); it != document.values.end();) {
    std::vector<std::string>& list = it->second;
    const auto oversize = std::erase_if(
        list, [](const std::string& value) { return value.size() > SETTING_VALUE_MAX_BYTES; });
    if (oversize > 0) {
      document.leftOut.push_back(
          FormatText("a value of %s over %zu bytes", it->first.c_str(), SETTING_VALUE_MAX_BYTES));
    }
    if (list.size() > SETTING_LIST_MAX_ENTRIES) {
      document.leftOut.push_back(FormatText("%s, a list of more than %zu entries",
                                            it->first.c_str(), SETTING_LIST_MAX_ENTRIES));
      it = document.values.erase(it);
      continue;
    }
    ++it;
  }
}

std::string KeptNot(const std::string& path, std::string_view why) {
  std::error_code error;
  if (fs::is_symlink(fs::symlink_status(path, error))) {
    const fs::path target = fs::read_symlink(path, error);
    return FormatText("Settings are not kept: %s is a link to %s, which %.*s.", path.c_str(),
                      target.c_str(), static_cast<int>(why.size()), why.data());
  }
  return FormatText("Settings are not kept: %s %.*s.", path.c_str(), static_cast<int>(why.size()),
                    why.data());
}

}  // namespace

SettingsDocument ParseSettings(std::string_view text) {
  SettingsDocument document;
  std::map<std::string, std::string, std::less<>> old;
  std::string section;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const std::string_view raw = text.substr(start, end - start);
    start = end + 1;
    std::string_view line = raw;
    if (line.ends_with('\r')) line.remove_suffix(1);
    const std::string_view trimmed = Trimmed(line);
    if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
      section = std::string(trimmed.substr(1, trimmed.size() - 2));
      if (section != kSection) document.others.append(raw).push_back('\n');
      continue;
    }
    const std::size_t equals = line.find('=');
    const std::string_view key = Trimmed(line.substr(0, equals));
    if (section == kSection) {
      if (equals == std::string_view::npos || trimmed.starts_with(';') ||
          trimmed.starts_with('#')) {
        continue;
      }
      if (std::optional<std::string> value = Decoded(line.substr(equals + 1))) {
        document.values[std::string(key)].push_back(std::move(*value));
      } else {
        document.leftOut.push_back(FormatText("a value of %.*s with a broken %%XX",
                                              static_cast<int>(key.size()), key.data()));
      }
      continue;
    }
    if (section == kOldSection && equals != std::string_view::npos &&
        (key == "recentFiles" || key == "lastFolder")) {
      old[std::string(key)] = std::string(line.substr(equals + 1));
      continue;
    }
    document.others.append(raw).push_back('\n');
  }
  for (const auto& [key, value] : old) {
    if (!document.values.contains(key)) document.values[key] = OldLines(value);
  }
  Bound(document);
  return document;
}

std::string FormatSettings(const SettingsDocument& document) {
  std::string text = document.others;
  if (!text.empty() && text.back() != '\n') text.push_back('\n');
  text += "[Files]\n; Values are bytes; %XX stands for one a line cannot hold.\n";
  for (const auto& [key, values] : document.values) {
    for (const std::string& value : values) text += key + "=" + Encoded(value) + "\n";
  }
  return text;
}

SettingsFileReading ReadSettingsFile(const std::string& path) {
  // Looked at before anything is opened: a device is never opened at all.
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT) return {SettingsDocument{}, ""};
    return {std::nullopt, KeptNot(path, FormatText("cannot be read (%s)", std::strerror(errno)))};
  }
  if (!S_ISREG(info.st_mode)) return {std::nullopt, KeptNot(path, "is not a regular file")};
  std::string reason;
  const std::optional<std::string> text =
      ReadRegularFile(path, SETTINGS_FILE_MAX_BYTES, "is larger than 16 MiB", reason);
  if (!text) {
    return {std::nullopt,
            KeptNot(path, reason.starts_with("is ") ? reason : "cannot be read (" + reason + ")")};
  }
  return {ParseSettings(*text), ""};
}

bool WriteSettingsFile(const std::string& path, const SettingsDocument& document,
                       std::string& problem) {
  std::error_code error;
  const fs::path folder = fs::path(path).parent_path();
  if (!folder.empty() && !fs::exists(fs::symlink_status(folder, error))) {
    fs::create_directories(folder, error);
  }
  std::string failure;
  ReplaceOptions options;
  options.regularFileOnly = true;
  if (ReplaceFileContents(path, FormatSettings(document), failure, options, nullptr)) return true;
  const std::string reason = failure.substr(failure.rfind(": ") + 2);
  const bool dangling =
      fs::is_symlink(fs::symlink_status(path, error)) && !fs::exists(fs::status(path, error));
  if (dangling) {
    problem = KeptNot(path, "does not exist and cannot be created (" + reason + ")");
  } else if (reason == "not a regular file") {
    problem = KeptNot(path, "is not a regular file");
  } else {
    problem = "Settings are not kept: " + failure + ".";
  }
  return false;
}

std::string DefaultSettingsPath() {
  fs::path base;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/') {
    base = config;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = fs::path(home) / ".config";
  } else if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir) {
    base = fs::path(user->pw_dir) / ".config";
  }
  return (base / "qv3380" / "qv3380_gui.conf").string();
}

}  // namespace qv
