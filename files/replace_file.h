#pragma once
// Writing a whole file the way a careful editor does: a failure never costs
// the user the file that was there, and a success keeps everything about the
// file but its content.

#include <string>
#include <string_view>

namespace qv {

struct ReplaceOptions {
  // For the program's own files (its settings): a device, a pipe or a folder
  // at the path, or at the end of its links, is refused instead of written.
  bool regularFileOnly = false;
};

// How the content got there, for what the user should be told.
struct ReplaceReport {
  bool inPlace = false;
  // A crash during the write leaves the old content or the new, never a
  // mixture: always on the rename path; in place only when one write of at
  // most a page puts all of it there (no shorter than what it replaces).
  bool crashSafe = true;
  // Why it went in place: "it has other links", ...
  std::string why;
};

// Writes content to the file that path names, after following any chain of
// symbolic links (a dangling link gets its target created).
//  - An existing file the user may not write is refused, as opening it would be.
//  - A new file, or one whose owner, group, mode and extended attributes can
//    all be given to a fresh file, is written under a short temporary name in
//    the same folder, synced, and renamed over the target.
//  - Otherwise (other hard links, an owner or attribute that cannot be carried,
//    a folder that cannot take the new name) the file is written in place, with
//    its space reserved first, under an exclusive lock: in-place saves of the
//    tool never mix, and its readers (ReadRegularFile) never see half of one.
//  - A device or a pipe is opened without blocking: a pipe nobody reads fails
//    at once.
// False on failure, with `failure` set to "PATH: reason" and any temporary
// file removed.
bool ReplaceFileContents(const std::string& path, std::string_view content, std::string& failure);
bool ReplaceFileContents(const std::string& path, std::string_view content, std::string& failure,
                         const ReplaceOptions& options, ReplaceReport* report);

}  // namespace qv
