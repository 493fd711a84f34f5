#pragma once
// Reading a setup file: checked line by line and as a whole, and applied to
// the registers, the chip and the panel only when all of it is valid.

#include <span>
#include <string>

namespace qv {

// Size of the message buffer the menu passes.
inline constexpr std::size_t SETUP_MESSAGE_CAPACITY = 500;

// 1 when the file was valid and has been applied; 0 otherwise, with the
// message naming the first problem in `message` (cut to its size) and nothing
// changed anywhere.
int LoadSetupFile(const std::string& path, std::span<char> message);

// File > Open Setup...
void OnFileImportMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);
// File > Reset To Last Setup File: the setup image back on the chip and the panel.
void OnFileResetToCfgMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);

}  // namespace qv
