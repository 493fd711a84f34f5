#include "files/panel/file_notes.h"

#include <filesystem>

#include "base/listeners.h"
#include "base/text_format.h"
#include "base/trace.h"
#include "files/replace_file.h"

namespace qv {
namespace {

Listeners<const std::string&>& NoteListeners() {
  static Listeners<const std::string&> listeners;
  return listeners;
}

}  // namespace

int AddFileNoteListener(FileNoteListener listener) {
  return NoteListeners().Add(std::move(listener));
}
void RemoveFileNoteListener(int id) { NoteListeners().Remove(id); }
void ClearFileNoteListeners() { NoteListeners().Clear(); }

void NoteAboutFile(const std::string& note) {
  Trace(TRACE_FILE, "note: %s", note.c_str());
  NoteListeners().Tell(note);
}

bool ReplaceFileNoting(const std::string& path, std::string_view content, std::string& failure) {
  ReplaceReport report;
  if (!ReplaceFileContents(path, content, failure, {}, &report)) return false;
  if (!report.crashSafe) {
    NoteAboutFile(
        FormatText("%s was written in place (%s): a crash during such a save could "
                   "leave it torn.",
                   std::filesystem::path(path).filename().c_str(), report.why.c_str()));
  }
  return true;
}

}  // namespace qv
