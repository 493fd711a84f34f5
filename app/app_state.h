#pragma once
// State of the application shell.

#include <string>

namespace qv {

inline constexpr std::string_view TITLE_PREFIX = "QV3380 Customer GUI - ";

// The main window's title as last built.
inline std::string title;
// 1 once the connection check has shown its failure text.
inline int ConnCheck = 0;

}  // namespace qv
