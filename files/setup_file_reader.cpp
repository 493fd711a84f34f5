#include "files/setup_file_reader.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <string_view>

#include "base/text_format.h"
#include "base/trace.h"
#include "files/regular_file.h"
#include "files/setup_file_format.h"
#include "files/setup_text.h"
#include "plan/refclk.h"

namespace qv {
namespace {

// Each read takes at most 149 characters; the rest of a longer line comes
// with the next read, as a line of its own.
constexpr int LINE_BUFFER_SIZE = 150;
constexpr std::size_t PRODUCT_LENGTH = 20;
constexpr std::size_t FILE_VERSION_LENGTH = 8;
// A setting that holds these was not given, even when a file states them.
constexpr int PIN_NOT_GIVEN = -1;
constexpr unsigned CRYSTAL_NOT_GIVEN = UINT_MAX;
constexpr double REFCLK_NOT_GIVEN = -1.0;
constexpr unsigned CRYSTAL_INDEX_MAX = 2;

struct PendingSetup {
  // A register the file does not list keeps its power-on default.
  RegisterImage registers = DefaultRegisterImage();
  std::string product;
  std::string fileVersion;
  std::array<int, SETUP_PIN_COUNT> pins{PIN_NOT_GIVEN, PIN_NOT_GIVEN, PIN_NOT_GIVEN, PIN_NOT_GIVEN};
  unsigned crystalIndex = CRYSTAL_NOT_GIVEN;
  double externalRefclkMHz = REFCLK_NOT_GIVEN;
};

// How a key-value section names itself in its format message.
struct KeyedSection {
  SetupSection section;
  const char* name;
  const char* keyWord;
};

constexpr std::array<KeyedSection, 3> kKeyedSections{{
    {SetupSection::Header, "Header", "Key"},
    {SetupSection::PinStates, "PinStates", "Pin"},
    {SetupSection::SoftwareSettings, "SoftwareSettings", "Setting"},
}};

constexpr std::string_view kDecimalDigits = "0123456789";
constexpr std::string_view kHexadecimalDigits = "0123456789abcdefABCDEF";

bool IsAllOf(std::string_view text, std::string_view characters) {
  return text.find_first_not_of(characters) == std::string_view::npos;
}

const SectionTags& TagsOf(SetupSection section) {
  for (const SectionTags& tags : kSetupSections) {
    if (tags.section == section) return tags;
  }
  return kSetupSections.front();
}

class SetupParser {
 public:
  bool failed() const { return section_ == SetupSection::Failed; }
  const PendingSetup& pending() const { return pending_; }
  const std::string& message() const { return message_; }

  void ReadLine(std::string_view raw) {
    ++lineNumber_;
    // Everything after a NUL would be invisible to the checks below.
    if (raw.find('\0') != std::string_view::npos) {
      FailOnLine("Line %u invalid. The line contains a NUL character.");
      return;
    }
    const std::string_view line = TrimBlanks(StripComment(raw));
    if (line.empty()) return;
    if (section_ == SetupSection::Outside) {
      OpenSection(line);
    } else if (EqualsIgnoringCase(line, TagsOf(section_).close)) {
      section_ = SetupSection::Outside;
    } else if (section_ == SetupSection::RegisterMap) {
      RegisterLine(line);
    } else {
      KeyValueLine(line);
    }
  }

  // The checks that need the whole file; true when it may be applied.
  bool Finish() {
    if (failed()) return false;
    if (section_ != SetupSection::Outside) {
      return Fail("End of file reached without finding section closing tag.");
    }
    if (!EqualsIgnoringCase(pending_.product, SETUP_PRODUCT)) {
      AppendFormat(message_, "Product is incorrect. Expected: QV3380, Found: %s",
                   pending_.product.c_str());
      return Fail();
    }
    if (!EqualsIgnoringCase(pending_.fileVersion, SETUP_FILE_VERSION)) {
      AppendFormat(message_,
                   "Setup file is not compatible with this version of the software. Updated "
                   "software required to process file of version %s.  Max file version: 1.0.",
                   pending_.fileVersion.c_str());
      return Fail();
    }
    for (int pin : pending_.pins) {
      if (pin == PIN_NOT_GIVEN) {
        return Fail("One or more input pin state is missing: REFSEL, MARGIN, SSCG, MAX_BW.");
      }
    }
    if (pending_.crystalIndex == CRYSTAL_NOT_GIVEN ||
        pending_.externalRefclkMHz == REFCLK_NOT_GIVEN) {
      return Fail(
          "The selected crystal index and the external REFCLK frequency must both be "
          "specified.");
    }
    return true;
  }

 private:
  bool Fail() {
    section_ = SetupSection::Failed;
    return false;
  }
  bool Fail(const char* text) {
    message_ = text;
    return Fail();
  }
  bool FailOnLine(const char* format) {
    AppendFormat(message_, format, lineNumber_);
    return Fail();
  }
  bool FailOnLine(const char* format, const char* detail) {
    AppendFormat(message_, format, lineNumber_, detail);
    return Fail();
  }

  void OpenSection(std::string_view line) {
    for (const SectionTags& tags : kSetupSections) {
      if (EqualsIgnoringCase(line, tags.open)) {
        section_ = tags.section;
        return;
      }
    }
    FailOnLine(
        "Line %u invalid. Expected <Header>, <RegisterMap>, <PinStates>, or "
        "<SoftwareSettings>.");
  }

  void RegisterLine(std::string_view line) {
    constexpr const char* kMalformed =
        "Line %u invalid. Expected register address/value pair like \"&h1D,&b11010000\".";
    const std::string text(line);
    unsigned address = 0;
    int addressStart = 0;
    int addressEnd = 0;
    std::array<char, 9> digits{};
    if (std::sscanf(text.c_str(), "&h%n%X%n,&b%8s", &addressStart, &address, &addressEnd,
                    digits.data()) != 2) {
      FailOnLine(kMalformed);
      return;
    }
    // scanf keeps only the low 32 bits: &h100000018 must not pass for 0x18.
    const std::string_view written =
        TrimBlanks(line.substr(addressStart, static_cast<std::size_t>(addressEnd - addressStart)));
    const std::optional<unsigned long long> exact = ExactValue(written, 16);
    const int index = exact && *exact <= 0xFF ? RegisterIndexOfAddress(address) : -1;
    if (index < 0) {
      if (exact && *exact <= UINT_MAX) {
        AppendFormat(message_,
                     "Line %u invalid. Register address is not valid or is not configurable: %02X",
                     lineNumber_, address);
      } else {
        // A negative number or one beyond 32 bits is shown as the file writes it.
        AppendFormat(message_,
                     "Line %u invalid. Register address is not valid or is not configurable: %.*s",
                     lineNumber_, static_cast<int>(written.size()), written.data());
      }
      Fail();
      return;
    }
    const std::optional<int> value = ParseBinaryDigits(digits.data());
    if (!value) {
      FailOnLine(kMalformed);
      return;
    }
    pending_.registers[index] = *value;
  }

  void KeyValueLine(std::string_view line) {
    const std::optional<KeyValue> pair = SplitKeyValue(line);
    if (!pair) {
      for (const KeyedSection& keyed : kKeyedSections) {
        if (keyed.section != section_) continue;
        AppendFormat(message_, "Line %u invalid in %s section. Expected format is \"%s = Value\".",
                     lineNumber_, keyed.name, keyed.keyWord);
      }
      Fail();
      return;
    }
    switch (section_) {
      case SetupSection::Header: HeaderSetting(*pair); break;
      case SetupSection::PinStates: PinSetting(*pair); break;
      default: SoftwareSetting(*pair); break;
    }
  }

  void HeaderSetting(const KeyValue& pair) {
    // Other keys, such as DecimalSeparator, carry nothing the reader needs.
    if (EqualsIgnoringCase(pair.key, SETUP_KEY_PRODUCT)) {
      pending_.product = pair.value.substr(0, PRODUCT_LENGTH);
    } else if (EqualsIgnoringCase(pair.key, SETUP_KEY_FILE_VERSION)) {
      pending_.fileVersion = pair.value.substr(0, FILE_VERSION_LENGTH);
    }
  }

  // "&h" and hexadecimal digits, exactly: scanf would also take a sign, a
  // "0x" and anything after the digits, and change the value silently.
  void PinSetting(const KeyValue& pair) {
    for (std::size_t i = 0; i < SETUP_PIN_COUNT; ++i) {
      if (!EqualsIgnoringCase(pair.key, kSetupPinKeys[i])) continue;
      const std::string_view value = pair.value;
      // A bare number ("REFSEL=1") has always left the pin not given.
      if (!value.empty() && IsAllOf(value, kDecimalDigits)) return;
      const std::string_view digits =
          value.starts_with("&h") ? TrimBlanks(value.substr(2)) : std::string_view();
      if (digits.empty() || !IsAllOf(digits, kHexadecimalDigits)) {
        AppendFormat(message_,
                     "Line %u invalid. %s must be &h followed by hexadecimal digits, such as "
                     "&h0 (low) or &h1 (high).",
                     lineNumber_, std::string(kSetupPinKeys[i]).c_str());
        Fail();
        return;
      }
      // A number beyond 32 bits is not zero, whatever its low bits are; one of
      // exactly 32 set bits states nothing, as scanf's -1 did.
      const std::optional<unsigned long long> exact = ExactValue(digits, 16);
      pending_.pins[i] = !exact || *exact > UINT_MAX ? 1 : static_cast<int>(*exact);
      return;
    }
    FailOnLine("Line %u invalid. Pin name is unexpected: %s.", pair.key.c_str());
  }

  void SoftwareSetting(const KeyValue& pair) {
    if (EqualsIgnoringCase(pair.key, SETUP_KEY_CRYSTAL_INDEX)) {
      CrystalIndexSetting(pair.value);
    } else if (EqualsIgnoringCase(pair.key, SETUP_KEY_EXTERNAL_REFCLK)) {
      ExternalRefclkSetting(pair.value);
    } else {
      FailOnLine("Line %u invalid. Setting is unexpected: %s.", pair.key.c_str());
    }
  }

  void CrystalIndexSetting(const std::string& text) {
    // The selector has three crystals; any other index would plan on 0 Hz.
    // Only the digits count: "0x1", "1.9", "+1" and "two" are no index.
    const std::optional<unsigned long long> exact =
        IsAllOf(text, kDecimalDigits) ? ExactValue(text, 10) : std::nullopt;
    if (!exact || *exact > CRYSTAL_INDEX_MAX) {
      FailOnLine("Line %u invalid. Crystal index must be 0, 1 or 2.");
      return;
    }
    pending_.crystalIndex = static_cast<unsigned>(*exact);
  }

  void ExternalRefclkSetting(const std::string& text) {
    // The writer's "%2.5f" never writes a plus.
    const RefclkReading reading = text.starts_with('+')
                                      ? RefclkReading{0.0, RefclkProblem::NotADecimalNumber}
                                      : ReadRefclkMhz(text);
    // -1 stands for "not given" and is judged with the whole file.
    if (reading.problem == RefclkProblem::OutOfRange && reading.mhz == REFCLK_NOT_GIVEN) {
      pending_.externalRefclkMHz = REFCLK_NOT_GIVEN;
      return;
    }
    switch (reading.problem) {
      case RefclkProblem::None: pending_.externalRefclkMHz = reading.mhz; return;
      case RefclkProblem::NotADecimalNumber:
        FailOnLine("Line %u invalid. ExternalRefclk must be a decimal number of MHz.");
        return;
      case RefclkProblem::OutOfRange:
        AppendFormat(message_, "Line %u invalid. ExternalRefclk must be from 0 to %g MHz.",
                     lineNumber_, REFCLK_MAX_MHZ);
        Fail();
        return;
      case RefclkProblem::TooManyDecimals:
        AppendFormat(message_,
                     "Line %u invalid. ExternalRefclk has more than the %d decimals a setup "
                     "file holds.",
                     lineNumber_, REFCLK_FILE_DECIMALS);
        Fail();
        return;
    }
  }

  std::string message_;
  SetupSection section_ = SetupSection::Outside;
  unsigned lineNumber_ = 0;
  PendingSetup pending_;
};

SetupContents ContentsOf(const PendingSetup& pending) {
  SetupContents contents;
  contents.registers = pending.registers;
  for (std::size_t i = 0; i < SETUP_PIN_COUNT; ++i) contents.pins[i] = pending.pins[i] != 0 ? 1 : 0;
  contents.crystalIndex = pending.crystalIndex;
  contents.externalRefclkMHz = pending.externalRefclkMHz;
  return contents;
}

}  // namespace

SetupFileReading CheckSetupText(std::string_view text) {
  SetupParser parser;
  // Each read takes at most 149 characters, up to and with its line end.
  while (!text.empty() && !parser.failed()) {
    std::size_t length = std::min<std::size_t>(text.size(), LINE_BUFFER_SIZE - 1);
    if (const std::size_t end = text.substr(0, length).find('\n'); end != std::string_view::npos) {
      length = end + 1;
    }
    parser.ReadLine(text.substr(0, length));
    text.remove_prefix(length);
  }
  if (!parser.Finish()) return {std::nullopt, parser.message()};
  return {ContentsOf(parser.pending()), ""};
}

SetupFileReading ReadSetupFile(const std::string& path) {
  std::string reason;
  const std::optional<std::string> text =
      ReadRegularFile(path, SETUP_FILE_MAX_BYTES, "larger than 1 MiB", reason);
  SetupFileReading reading;
  if (text) {
    reading = CheckSetupText(*text);
  } else {
    AppendFormat(reading.message, "Unable to open file: %s\n%s", path.c_str(), reason.c_str());
  }
  if (!reading.contents) {
    Trace(TRACE_REFUSED, "setup file %s: %s", path.c_str(), reading.message.c_str());
  }
  return reading;
}

}  // namespace qv
