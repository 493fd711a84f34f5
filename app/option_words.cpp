#include "app/option_words.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <regex>
#include <utility>

#include "files/setup_text.h"

namespace qv {
namespace {

struct Rewording {
  std::regex pattern;
  std::string ours;  // std::regex_replace format: $1, $2 ...
};

// clang-format off
const std::array<Rewording, 7>& Rewordings() {
  static const std::array<Rewording, 7> kRewordings{{
      // A check of ours names its option itself.
      {std::regex(R"(^(\S+): \1 (.*)$)"), "$1 $2"},
      {std::regex(R"(^(\S+): 1 required (\S+) missing$)"), "$1 needs a value ($2)"},
      {std::regex(R"(^(\S+): At Most 1 required but received \d+$)"), "$1 may be given only once"},
      {std::regex(R"(^(\S+): At Most (\d+) required but received \d+$)"), "$1 may be given at most $2 times"},
      {std::regex(R"(^(\S+) excludes (\S+)$)"), "$2 and $1 cannot be given together"},
      {std::regex(R"(^(\S+) requires (\S+)$)"), "$1 needs $2"},
      {std::regex(R"(^Could not convert: (\S+) = (.*)$)"), "$1: \"$2\" is not a number"},
  }};
  return kRewordings;
}
// clang-format on

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

// CLI11 names what was left over last first, as it reads the arguments.
std::string UnexpectedArguments(const std::string& listed) {
  std::vector<std::string> words;
  for (std::size_t at = 0; at <= listed.size();) {
    const std::size_t end = std::min(listed.find(' ', at), listed.size());
    words.push_back(listed.substr(at, end - at));
    at = end + 1;
  }
  std::ranges::reverse(words);
  std::string text = words.size() > 1 ? "unexpected arguments:" : "unexpected argument:";
  for (const std::string& word : words) text += " " + word;
  return text;
}

}  // namespace

CLI::Validator OneOf(std::string option, std::vector<std::string> names, bool ignoreCase) {
  return {[option = std::move(option), names = std::move(names), ignoreCase](std::string& text) {
            const bool member = std::ranges::any_of(names, [&](const std::string& name) {
              return ignoreCase ? EqualsIgnoringCase(name, text) : name == text;
            });
            return member ? std::string() : option + " must be one of " + Joined(names);
          },
          ""};
}

std::string ParseErrorInOurWords(const CLI::ParseError& error, const CLI::App* command) {
  std::string said = error.what();
  static const std::regex kExtras(R"(^The following arguments? w(?:as|ere) not expected: (.*)$)");
  if (std::smatch extras; std::regex_match(said, extras, kExtras)) {
    return UnexpectedArguments(extras[1].str());
  }
  static const std::regex kConversion(R"(^Could not convert: (\S+) = .*$)");
  if (std::smatch conversion; command && std::regex_match(said, conversion, kConversion)) {
    const CLI::Option* option = command->get_option_no_throw(conversion[1].str());
    if (option && option->get_expected_min() == 0) return conversion[1].str() + " takes no value";
  }
  for (const Rewording& rewording : Rewordings()) {
    if (std::regex_match(said, rewording.pattern)) {
      return std::regex_replace(said, rewording.pattern, rewording.ours);
    }
  }
  return said;
}

bool StandardOutputWritten(std::ostream& out, std::ostream& err, std::string_view program) {
  // A write that failed has left its errno; a stream that never worked has none.
  const bool good = out.good();
  if (good) errno = 0;
  if (good && out.flush()) return true;
  const int error = errno;
  const bool known =
      error == ENOSPC || error == EDQUOT || error == EFBIG || error == EIO || error == EPIPE;
  err << program << ": standard output: " << (known ? std::strerror(error) : "could not be written")
      << '\n';
  return false;
}

}  // namespace qv
