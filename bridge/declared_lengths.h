#pragma once
// The report lengths an open adapter declares.

#include <string_view>

#include "bridge/report_descriptor.h"

namespace qv::bridge {

// From the hidraw node's report descriptor in sysfs (world-readable, so no
// second open of the device); fallbackLengths when it cannot be read or parsed.
ReportLengths declaredLengths(std::string_view hidrawPath);

}  // namespace qv::bridge
