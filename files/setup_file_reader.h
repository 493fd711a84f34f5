#pragma once
// Reading a setup file: checked line by line and as a whole, and applied to
// the registers, the chip and the panel only when all of it is valid.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "files/setup_contents.h"

namespace qv {

// Size of the message buffer the menu passes.
inline constexpr std::size_t SETUP_MESSAGE_CAPACITY = 500;
// A setup file is about 2 KiB; anything this large is not one.
inline constexpr std::size_t SETUP_FILE_MAX_BYTES = 1024 * 1024;

// A setup file after every check: its contents, or the message naming its
// first problem (with its line where there is one).
struct SetupFileReading {
  std::optional<SetupContents> contents;
  std::string message;
};

// Reads and checks without changing anything in the program. Only a regular
// file of at most SETUP_FILE_MAX_BYTES is read; it is opened without blocking,
// so a device or a pipe is refused at once.
SetupFileReading ReadSetupFile(const std::string& path);
// The same checks on text already in memory.
SetupFileReading CheckSetupText(std::string_view text);

// The pins, the crystal and the REFCLK of checked contents on the panel; the
// registers and everything else stay.
void ApplyBoardSettings(const SetupContents& contents);

// Puts checked contents into SetupImage, the pin and reference controls, the
// registers, the chip (online) and the panel, and enables "Reset To Last Setup File".
void ApplySetupContents(const SetupContents& contents);

// ReadSetupFile, then ApplySetupContents. 1 when the file was valid and has
// been applied; 0 otherwise, with the message in `message` (cut to its size)
// and nothing changed anywhere.
int LoadSetupFile(const std::string& path, std::span<char> message);

}  // namespace qv
