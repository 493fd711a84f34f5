#include "files/panel/register_import_file.h"

#include "base/trace.h"
#include "files/panel/baseline.h"
#include "files/regular_file.h"
#include "plan/panel/register_decoding.h"

namespace qv {

RegisterImport ReadRegisterDumpFile(const std::string& path) {
  std::string reason;
  const std::optional<std::string> bytes =
      ReadRegularFile(path, DUMP_MAX_BYTES, "too large for a register dump", reason);
  RegisterImport import;
  if (!bytes) {
    import.refusal = "Unable to read " + path + ": " + reason + ".";
  } else {
    import = ParseRegisterDump(*bytes);
  }
  if (!import.format)
    Trace(TRACE_REFUSED, "register dump %s: %s", path.c_str(), import.refusal.c_str());
  return import;
}

void ApplyRegisterImport(const RegisterImport& import, const std::string& path) {
  ApplyRegisterImage(import.registers);
  SetBaselineToCurrent(BaselineOrigin::Imported, path);
  Trace(TRACE_FILE, "imported registers %s", path.c_str());
}

}  // namespace qv
