#pragma once
// What the user should know about a file the program wrote or keeps, without
// being interrupted: a save that a crash could have torn, a settings file the
// program refuses to touch. The GUI's status line shows each note; the command
// line prints it.

#include <functional>
#include <string>
#include <string_view>

namespace qv {

struct FileNote {
  std::string path;  // the file, as it was named
  std::string text;  // the whole note, naming the file, as the status line shows it
  std::string fact;  // what happened to the file, to follow "qv3380: PATH: " on a command line
};

using FileNoteListener = std::function<void(const FileNote& note)>;
int AddFileNoteListener(FileNoteListener listener);
void RemoveFileNoteListener(int id);
void ClearFileNoteListeners();

// Tells every listener, and the trace.
void NoteAboutFile(const FileNote& note);

// ReplaceFileContents (files/replace_file.h), noting a write in place that a
// crash could have torn.
bool ReplaceFileNoting(const std::string& path, std::string_view content, std::string& failure);

}  // namespace qv
