#pragma once
// What --version and --help tell about the program, as GNU's coding standards
// ask: the version, the copyright and the licence; where to report bugs.

#include <string>
#include <string_view>

namespace qv {

// "qv3380 1.0.0", the copyright line, the licence and that there is no warranty.
std::string VersionNotice(std::string_view program);

// "Report bugs to: ADDRESS", the last line of --help.
std::string BugReportLine();

}  // namespace qv
