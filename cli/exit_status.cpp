#include "cli/exit_status.h"

namespace qv::cli {

std::string ExitStatusHelp() {
  std::string text = "Exit status:\n";
  for (const ExitStatusMeaning& row : kExitStatuses) {
    text += "  " + std::to_string(row.status) + "  " + std::string(row.meaning) + "\n";
  }
  return text;
}

}  // namespace qv::cli
