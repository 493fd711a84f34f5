#include "base/version_notice.h"

#include "base/version.h"

namespace qv {

std::string VersionNotice(std::string_view program) {
  return std::string(program) + " " + std::string(kToolVersion) + "\n" + std::string(kCopyright) +
         "\nLicense " + std::string(kToolLicence) +
         ": the terms in the file LICENSE that comes with the program.\n"
         "This is free software: you are free to change and redistribute it.\n"
         "There is NO WARRANTY, to the extent permitted by law.";
}

std::string BugReportLine() { return "Report bugs to: " + std::string(kBugReportAddress); }

}  // namespace qv
