#pragma once
// Which adapter a transfer goes through: the one QV3380_ADAPTER names by serial
// number or hidraw path, or else the first one found. No I/O here, so the
// bridge and the adapter listing share the rule.

#include <optional>
#include <string>
#include <string_view>

namespace qv::bridge {

inline constexpr char ADAPTER_VARIABLE[] = "QV3380_ADAPTER";

// The variable's value; empty when it is unset or empty (the first adapter will do).
std::string WantedAdapter();

// Whether the adapter at `path` with serial number `serial` is the one `wanted`
// names: the same hidraw path, or the same serial number. An empty `wanted`
// takes any adapter; an adapter without a serial number is named by its path.
bool IsWantedAdapter(std::string_view wanted, std::string_view path, std::string_view serial);

// Names the adapter for as long as it lives (nothing named: as before), then
// puts the variable back as it was. For one thread at a time: the environment
// is the process's.
class ScopedAdapterChoice {
 public:
  explicit ScopedAdapterChoice(const std::string& wanted);
  ~ScopedAdapterChoice();
  ScopedAdapterChoice(const ScopedAdapterChoice&) = delete;
  ScopedAdapterChoice& operator=(const ScopedAdapterChoice&) = delete;

 private:
  bool changed_ = false;
  std::optional<std::string> before_;
};

// hidapi's wide strings (serial number, product) as text; hidapi only gets
// ASCII right from udev, so anything else is a "?". Empty for null.
std::string Narrow(const wchar_t* text);

}  // namespace qv::bridge
