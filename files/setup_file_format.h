#pragma once
// What the setup file writer and reader agree on: product, version, section
// tags and the pin keys.

#include <array>
#include <string_view>

#include "files/setup_contents.h"

namespace qv {

inline constexpr std::string_view SETUP_PRODUCT = "QV3380";
inline constexpr std::string_view SETUP_FILE_VERSION = "1.0";

inline constexpr std::string_view SETUP_FILE_DEFAULT_NAME = "qv3380_setup.stp";
inline constexpr std::string_view SETUP_FILE_FILTER = "Setup File (*.stp)";

enum class SetupSection { Outside, Header, RegisterMap, PinStates, SoftwareSettings, Failed };

struct SectionTags {
  SetupSection section;
  std::string_view open;
  std::string_view close;
};

inline constexpr std::array<SectionTags, 4> kSetupSections{{
    {SetupSection::Header, "<Header>", "</Header>"},
    {SetupSection::RegisterMap, "<RegisterMap>", "</RegisterMap>"},
    {SetupSection::PinStates, "<PinStates>", "</PinStates>"},
    {SetupSection::SoftwareSettings, "<SoftwareSettings>", "</SoftwareSettings>"},
}};

// The four input pins in file order.
inline constexpr std::array<std::string_view, SETUP_PIN_COUNT> kSetupPinKeys{"REFSEL", "MARGIN",
                                                                             "SSCG", "MAX_BW"};

inline constexpr std::string_view SETUP_KEY_PRODUCT = "Product";
inline constexpr std::string_view SETUP_KEY_FILE_VERSION = "FileVersion";
inline constexpr std::string_view SETUP_KEY_CRYSTAL_INDEX = "CrystalIndex";
inline constexpr std::string_view SETUP_KEY_EXTERNAL_REFCLK = "ExternalRefclk";

}  // namespace qv
