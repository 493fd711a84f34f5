#include "files/panel/unsaved_changes.h"

#include <filesystem>
#include <string>

#include "base/text_format.h"
#include "files/panel/baseline.h"
#include "files/panel/setup_file_menu.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

const char* Before(Replacing what) {
  switch (what) {
    case Replacing::OpenFile: return "opening another setup file";
    case Replacing::Defaults: return "resetting to the defaults";
    case Replacing::LastSetupFile: return "returning to the last setup file";
    case Replacing::ImportRegisters: return "importing registers";
    case Replacing::Exit:
    default: return "closing";
  }
}

}  // namespace

bool MayReplaceConfiguration(Replacing what) {
  if (!HasUnsavedChanges()) return true;
  const std::string& file = OpenSetupFile();
  const std::string name = std::filesystem::path(file).filename().string();
  const std::string message =
      file.empty() ? FormatText(
                         "The setup has changes that are not saved in any file.\n\n"
                         "Save them before %s?",
                         Before(what))
                   : FormatText("%s has changes that are not saved.\n\nSave them before %s?",
                                name.c_str(), Before(what));
  // Saving without a file asks for one first.
  const int answer = GenericMessagePopup(
      "Unsaved Changes", message, file.empty() ? "__Save..." : "__Save", "__Discard", "Cancel");
  switch (answer) {
    case GENERIC_POPUP_NOT_ASKED:
    case UNSAVED_DISCARD: return true;
    case UNSAVED_SAVE: return SaveSetup();
    case UNSAVED_CANCEL:
    default: return false;
  }
}

}  // namespace qv
