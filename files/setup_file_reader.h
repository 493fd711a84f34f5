#pragma once
// Reading a setup file: checked line by line and as a whole; nothing is
// applied anywhere (files/panel/setup_file_loading.h applies what passed).

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

}  // namespace qv
