#include "files/panel/register_export_file.h"

#include "base/trace.h"
#include "files/panel/baseline.h"
#include "files/panel/current_setup.h"
#include "files/panel/file_notes.h"

namespace qv {

std::string RegisterExportText(ExportFormat format, const ExportOptions& options) {
  return RenderRegisterExport(format, CurrentSetup(), ProvenanceNow(ConfigurationSource()),
                              options);
}

std::vector<std::string> CurrentPlanFailures() { return FailedChecks(CurrentSetup()); }

int ExportRegisters(const std::string& path, ExportFormat format, const ExportOptions& options,
                    std::string* failure) {
  std::string reason;
  const bool written = ReplaceFileNoting(path, RegisterExportText(format, options), reason);
  if (failure) *failure = reason;
  if (!written) return 0;
  const std::string name(FormatFacts(format).name);
  Trace(TRACE_FILE, "exported registers (%s) %s", name.c_str(), path.c_str());
  return 1;
}

}  // namespace qv
