#pragma once
// File > Compare With Setup File...: what differs between the panel and a
// setup file, field by field, with what each difference does to the outputs.

#include <string_view>

#include "plan/configuration_diff.h"
#include "ui/toolkit.h"

namespace qv {

// Register, setting and both values: one row per field or pin that differs,
// each followed by the output frequencies it moves; then, where the changes
// together move them otherwise, every output frequency that differs.
TableContents ComparisonTable(const ConfigurationDiff& diff, std::string_view before,
                              std::string_view after);

void OnFileCompareMenuClicked(int menuBar, int menuItem, void* callbackData, int panel);

}  // namespace qv
