#include "bridge/adapter_choice.h"

#include <cstdlib>

namespace qv::bridge {

std::string WantedAdapter() {
  const char* value = std::getenv(ADAPTER_VARIABLE);
  return value != nullptr ? value : "";
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
