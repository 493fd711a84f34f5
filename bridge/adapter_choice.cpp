#include "bridge/adapter_choice.h"

#include <stdlib.h>

#include <cstdlib>

namespace qv::bridge {

std::string WantedAdapter() {
  const char* value = std::getenv(ADAPTER_VARIABLE);
  return value != nullptr ? value : "";
}

ScopedAdapterChoice::ScopedAdapterChoice(const std::string& wanted) {
  if (wanted.empty()) return;
  if (const char* value = std::getenv(ADAPTER_VARIABLE)) before_ = value;
  setenv(ADAPTER_VARIABLE, wanted.c_str(), 1);
  changed_ = true;
}

ScopedAdapterChoice::~ScopedAdapterChoice() {
  if (!changed_) return;
  if (before_) {
    setenv(ADAPTER_VARIABLE, before_->c_str(), 1);
  } else {
    unsetenv(ADAPTER_VARIABLE);
  }
}

bool IsWantedAdapter(std::string_view wanted, std::string_view path, std::string_view serial) {
  if (wanted.empty()) return true;
  return wanted == path || (!serial.empty() && wanted == serial);
}

std::string Narrow(const wchar_t* text) {
  std::string out;
  for (; text != nullptr && *text != L'\0'; ++text) {
    out += *text > 0 && *text < 0x80 ? static_cast<char>(*text) : '?';
  }
  return out;
}

}  // namespace qv::bridge
