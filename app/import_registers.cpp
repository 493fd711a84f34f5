#include "app/import_registers.h"

#include <filesystem>
#include <string>

#include "app/findings_dialog.h"
#include "files/panel/file_dialog_start.h"
#include "files/panel/register_import_file.h"
#include "files/panel/unsaved_changes.h"

namespace qv {
namespace {

constexpr std::string_view kTitle = "Import Registers";

}  // namespace

TableContents ImportNotesTable(const RegisterImport& import) {
  TableContents table{{"Not placed"}, {}, {}};
  for (const std::string& note : import.notes) {
    table.rows.push_back({note});
    table.rowColors.push_back(TABLE_NO_COLOR);
  }
  return table;
}

void OnFileImportRegistersMenuClicked(int, int, void*, int) {
  if (!MayReplaceConfiguration(Replacing::ImportRegisters)) return;
  const std::optional<std::string> chosen = ChooseFileToOpen("", REGISTER_DUMP_FILTER, kTitle);
  if (!chosen) return;
  const std::string& path = *chosen;
  const RegisterImport import = ReadRegisterDumpFile(path);
  if (!import.format) {
    MessagePopup("Register Import Error", import.refusal + "\nNothing was changed.");
    return;
  }
  ApplyRegisterImport(import, path);
  const std::string name = std::filesystem::path(path).filename().string();
  ShowFindings(kTitle, ImportSummary(import, name) + " The pins and reference settings stay.",
               ImportNotesTable(import));
}

}  // namespace qv
