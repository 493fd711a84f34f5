#include "plan/refclk_text.h"

#include <charconv>

#include "model/program_state.h"
#include "model/text_format.h"
#include "ui/panel_ids.h"
#include "ui/panel_store.h"

namespace qv {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<double> ParseRefclkMhz(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (text.starts_with('+')) text.remove_prefix(1);
  // from_chars also reads "inf" and "nan": a number starts with a digit or a point and a digit.
  const bool decimal = !text.empty() && (IsDigit(text[0]) || (text.size() > 1 && text[0] == '.' &&
                                                               IsDigit(text[1])));
  if (!decimal) return std::nullopt;
  double mhz = 0.0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, mhz);
  if (error != std::errc() || stop != end || !(mhz >= 0.0 && mhz <= REFCLK_MAX_MHZ)) {
    return std::nullopt;
  }
  return mhz;
}

std::string RefclkTextRule(std::string_view text) {
  if (ParseRefclkMhz(text)) return "";
  return FormatText("a decimal number of MHz from 0 to %g, such as 19.44", REFCLK_MAX_MHZ);
}

void InstallRefclkTextRule() { Store().SetTextRule(panelHandle, REFFREQ, RefclkTextRule); }

}  // namespace qv
