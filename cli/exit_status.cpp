#include "cli/exit_status.h"

#include "base/text_format.h"

namespace qv::cli {

std::string ExitStatusHelp() {
  std::string text = "Exit status:\n";
  // The meanings line up after the widest status.
  for (const ExitStatusMeaning& row : kExitStatuses) {
    AppendFormat(text, "  %-2d %.*s\n", row.status, static_cast<int>(row.meaning.size()),
                 row.meaning.data());
  }
  return text;
}

}  // namespace qv::cli
