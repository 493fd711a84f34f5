#include "files/setup_file_reader.h"

#include <array>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <string_view>

#include "files/file_handle.h"
#include "files/setup_file_format.h"
#include "files/setup_text.h"
#include "model/text_format.h"
#include "model/program_state.h"
#include "model/registers.h"
#include "plan/register_decoding.h"
#include "ui/panel_ids.h"
#include "ui/toolkit.h"

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
// What REFFREQ shows of the loaded frequency.
constexpr std::size_t REFFREQ_TEXT_LENGTH = 14;

std::array<int, REGISTER_COUNT> RegisterDefaults() {
  std::array<int, REGISTER_COUNT> image{};
  for (int i = 0; i < REGISTER_COUNT; ++i) {
    image[i] = static_cast<int>(RegisterTable[i].defaultValue);
  }
  return image;
}

struct PendingSetup {
  // A register the file does not list keeps its power-on default.
  std::array<int, REGISTER_COUNT> registers = RegisterDefaults();
  std::string product;
  std::string fileVersion;
  std::array<int, kSetupPins.size()> pins{PIN_NOT_GIVEN, PIN_NOT_GIVEN, PIN_NOT_GIVEN,
                                          PIN_NOT_GIVEN};
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

const SectionTags& TagsOf(SetupSection section) {
  for (const SectionTags& tags : kSetupSections) {
    if (tags.section == section) return tags;
  }
  return kSetupSections.front();
}

class SetupParser {
 public:
  explicit SetupParser(std::span<char> message) : message_(message) {}

  bool failed() const { return section_ == SetupSection::Failed; }
  const PendingSetup& pending() const { return pending_; }

  void ReadLine(std::string_view raw) {
    ++lineNumber_;
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
      FormatInto(message_, "Product is incorrect. Expected: QV3380, Found: %s",
                 pending_.product.c_str());
      return Fail();
    }
    if (!EqualsIgnoringCase(pending_.fileVersion, SETUP_FILE_VERSION)) {
      FormatInto(message_,
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
    FormatInto(message_, "%s", text);
    return Fail();
  }
  bool FailOnLine(const char* format) {
    FormatInto(message_, format, lineNumber_);
    return Fail();
  }
  bool FailOnLine(const char* format, const char* detail) {
    FormatInto(message_, format, lineNumber_, detail);
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
    std::array<char, 9> digits{};
    if (std::sscanf(text.c_str(), "&h%X,&b%8s", &address, digits.data()) != 2) {
      FailOnLine(kMalformed);
      return;
    }
    const int index = RegisterIndexOfAddress(address);
    if (index < 0) {
      FormatInto(message_,
                 "Line %u invalid. Register address is not valid or is not configurable: %02X",
                 lineNumber_, address);
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
        FormatInto(message_, "Line %u invalid in %s section. Expected format is \"%s = Value\".",
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

  void PinSetting(const KeyValue& pair) {
    for (std::size_t i = 0; i < kSetupPins.size(); ++i) {
      if (!EqualsIgnoringCase(pair.key, kSetupPins[i].key)) continue;
      unsigned value = 0;
      if (std::sscanf(pair.value.c_str(), "&h%X", &value) == 1) {
        pending_.pins[i] = static_cast<int>(value);
      }
      return;
    }
    FailOnLine("Line %u invalid. Pin name is unexpected: %s.", pair.key.c_str());
  }

  void SoftwareSetting(const KeyValue& pair) {
    if (EqualsIgnoringCase(pair.key, SETUP_KEY_CRYSTAL_INDEX)) {
      unsigned index = 0;
      if (std::sscanf(pair.value.c_str(), "%u", &index) != 1) return;
      // The selector has three crystals; any other index would plan on 0 Hz.
      if (index > CRYSTAL_INDEX_MAX) {
        FailOnLine("Line %u invalid. Crystal index must be 0, 1 or 2.");
        return;
      }
      pending_.crystalIndex = index;
    } else if (EqualsIgnoringCase(pair.key, SETUP_KEY_EXTERNAL_REFCLK)) {
      double megahertz = 0.0;
      if (std::sscanf(pair.value.c_str(), "%lf", &megahertz) == 1) {
        pending_.externalRefclkMHz = megahertz;
      }
    } else {
      FailOnLine("Line %u invalid. Setting is unexpected: %s.", pair.key.c_str());
    }
  }

  std::span<char> message_;
  SetupSection section_ = SetupSection::Outside;
  unsigned lineNumber_ = 0;
  PendingSetup pending_;
};

// Pins and reference settings go first, so the recomputation at the end of
// ApplyRegistersToPanel already plans with them.
void ApplySetup(const PendingSetup& setup) {
  SetupImage = setup.registers;
  for (std::size_t i = 0; i < kSetupPins.size(); ++i) {
    SetCtrlVal(panelHandle, kSetupPins[i].control, setup.pins[i] != 0 ? 1 : 0);
  }
  SetCtrlVal(panelHandle, CrystalFreq, static_cast<int>(setup.crystalIndex));
  std::array<char, REFFREQ_TEXT_LENGTH + 1> refclk{};
  FormatInto(refclk, "%f", setup.externalRefclkMHz);
  SetCtrlVal(panelHandle, REFFREQ, refclk.data());
  ApplyRegistersToPanel();
  SetMenuBarAttribute(GetPanelMenuBar(panelHandle), menubar::RESETCFG, ATTR_DIMMED, 0);
}

}  // namespace

int LoadSetupFile(const std::string& path, std::span<char> message) {
  if (!message.empty()) message[0] = '\0';
  bool valid = false;
  FileHandle file = OpenFile(path.c_str(), "r");
  std::error_code error;
  // A folder opens for reading here but holds no lines.
  if (!file || std::filesystem::is_directory(path, error)) {
    FormatInto(message, "Unable to open file: %s", path.c_str());
  } else {
    SetupParser parser(message);
    std::array<char, LINE_BUFFER_SIZE> buffer{};
    while (!parser.failed() && std::fgets(buffer.data(), LINE_BUFFER_SIZE, file.get())) {
      parser.ReadLine(buffer.data());
    }
    const bool readError = std::ferror(file.get()) != 0;
    file.reset();
    valid = !readError && parser.Finish();
    if (valid) ApplySetup(parser.pending());
  }
  if (!valid && !message.empty() && message[0] == '\0') {
    FormatInto(message, "%s", "An unexpected error occurred.");
  }
  return valid ? 1 : 0;
}

void OnFileImportMenuClicked(int, int, void*, int) {
  std::string path;
  const int chosen = FileSelectPopup("", "*.stp", SETUP_FILE_FILTER, "Open Setup File",
                                     VAL_LOAD_BUTTON, 0, 0, 1, 0, &path);
  if (chosen != VAL_EXISTING_FILE_SELECTED && chosen != VAL_NEW_FILE_SELECTED) return;
  std::array<char, SETUP_MESSAGE_CAPACITY> message{};
  if (LoadSetupFile(path, message) == 0) MessagePopup("File Open Error", message.data());
}

void OnFileResetToCfgMenuClicked(int, int, void*, int) { ApplyRegistersToPanel(); }

}  // namespace qv
