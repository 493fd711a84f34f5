#include "files/panel/file_notes.h"

#include <filesystem>

#include "base/listeners.h"
#include "base/text_format.h"
#include "base/trace.h"
#include "files/replace_file.h"

namespace qv {
namespace {

Listeners<const FileNote&>& NoteListeners() {
  static Listeners<const FileNote&> listeners;
  return listeners;
}

}  // namespace

int AddFileNoteListener(FileNoteListener listener) {
  return NoteListeners().Add(std::move(listener));
}
void RemoveFileNoteListener(int id) { NoteListeners().Remove(id); }
void ClearFileNoteListeners() { NoteListeners().Clear(); }

void NoteAboutFile(const FileNote& note) {
  Trace(TRACE_FILE, "note: %s", note.text.c_str());
  NoteListeners().Tell(note);
}

bool ReplaceFileNoting(const std::string& path, std::string_view content, std::string& failure) {
  ReplaceReport report;
  if (!ReplaceFileContents(path, content, failure, {}, &report)) return false;
  if (!report.crashSafe) {
    const std::string fact =
        FormatText("written in place (%s): a crash during such a save could leave it torn.",
                   report.why.c_str());
    NoteAboutFile({path, std::filesystem::path(path).filename().string() + " was " + fact, fact});
  }
  return true;
}

}  // namespace qv
