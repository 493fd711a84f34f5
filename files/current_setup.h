#pragma once
// The program's configuration as a setup file states it, and as the plan and
// the comparisons read one.

#include "files/setup_contents.h"
#include "plan/configuration_diff.h"

namespace qv {

// The register variables (their low bytes), the panel's pins and reference settings.
SetupContents CurrentSetup();

BoardInputs BoardOf(const SetupContents& setup);
Configuration ConfigurationOf(const SetupContents& setup);

}  // namespace qv
