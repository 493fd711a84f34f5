#include "cli/complaint.h"

namespace qv::cli {

std::string Complaint(std::string_view subject, std::string_view message) {
  const std::string named = subject.empty() ? std::string() : std::string(subject) + ": ";
  std::string text;
  while (!message.empty()) {
    const std::size_t end = message.find('\n');
    const std::string_view line = message.substr(0, end);
    text.append(kProgram).append(": ");
    if (named.empty() || !line.starts_with(named)) text += named;
    text.append(line).append("\n");
    if (end == std::string_view::npos) break;
    message.remove_prefix(end + 1);
  }
  return text;
}

}  // namespace qv::cli
