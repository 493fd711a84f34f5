#include "files/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>

#include "base/trace.h"
#include "files/extended_attributes.h"
#include "files/file_descriptor.h"
#include "files/file_lock.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

// As many links as the kernel follows before it gives up.
constexpr int MAX_LINKS_FOLLOWED = 40;

bool Fail(const fs::path& path, int error, std::string& failure) {
  failure = path.string() + ": " + std::strerror(error);
  return false;
}

// The file a chain of symbolic links finally names; it need not exist.
std::optional<fs::path> FinalTarget(fs::path path) {
  for (int followed = 0; followed <= MAX_LINKS_FOLLOWED; ++followed) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(path, error))) return path;
    const fs::path link = fs::read_symlink(path, error);
    if (error) return path;
    path = link.is_absolute() ? link : path.parent_path() / link;
  }
  errno = ELOOP;
  return std::nullopt;
}

fs::path FolderOf(const fs::path& file) {
  return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

bool Accessible(const fs::path& path, int mode) {
  return ::faccessat(AT_FDCWD, path.c_str(), mode, AT_EACCESS) == 0;
}

bool WriteAll(int descriptor, std::string_view content, off_t offset) {
  while (!content.empty()) {
    const ssize_t written = ::pwrite(descriptor, content.data(), content.size(), offset);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    content.remove_prefix(static_cast<std::size_t>(written));
    offset += written;
  }
  return true;
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Gives the fresh file the owner, group, mode and attributes of the one it is
// to replace; false when any of them cannot be carried over.
bool CarryOver(int descriptor, const fs::path& target, const struct stat& existing) {
  struct stat fresh {};
  if (::fstat(descriptor, &fresh) != 0) return false;
  // Changing the owner clears set-id bits, so it comes before the mode.
  if ((fresh.st_uid != existing.st_uid || fresh.st_gid != existing.st_gid) &&
      ::fchown(descriptor, existing.st_uid, existing.st_gid) != 0) {
    return false;
  }
  const mode_t mode = existing.st_mode & 07777;
  // The system may drop a set-group-id bit silently: check what it kept.
  if (::fchmod(descriptor, mode) != 0 || ::fstat(descriptor, &fresh) != 0 ||
      (fresh.st_mode & 07777) != mode) {
    return false;
  }
  const std::optional<ExtendedAttributes> attributes = ReadExtendedAttributes(target.c_str());
  return attributes && SetExtendedAttributes(descriptor, *attributes);
}

enum class Renamed { Done, Failed, WouldLoseSomething };

// Written under a temporary name beside the target and renamed over it.
// `existing` is the file being replaced, null for a new one.
Renamed WriteThroughTemporary(const fs::path& target, const struct stat* existing,
                              std::string_view content, std::string& failure) {
  const fs::path folder = FolderOf(target);
  // Short, so that a target whose name is already at the limit still saves.
  std::string temporary = (folder / ".qv3380-XXXXXX").string();
  FileDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
  if (!file.valid()) {
    Fail(target, errno, failure);
    return Renamed::Failed;
  }
  const auto discard = [&](Renamed outcome) {
    const int error = errno;
    ::unlink(temporary.c_str());
    if (outcome == Renamed::Failed) Fail(target, error, failure);
    return outcome;
  };
  if (existing ? !CarryOver(file.get(), target, *existing)
               : ::fchmod(file.get(), NewFileMode()) != 0) {
    return discard(existing ? Renamed::WouldLoseSomething : Renamed::Failed);
  }
  // The data must be on disk before the rename makes it the target.
  if (!WriteAll(file.get(), content, 0) || ::fsync(file.get()) != 0 || !file.Close()) {
    return discard(Renamed::Failed);
  }
  // A device, a pipe or a link took the target's place meanwhile: the rename
  // would replace what was never looked at. (Another save's file may.)
  if (struct stat now{}; ::lstat(target.c_str(), &now) == 0 && !S_ISREG(now.st_mode)) {
    errno = EBUSY;
    return discard(Renamed::Failed);
  }
  if (std::rename(temporary.c_str(), target.c_str()) != 0) return discard(Renamed::Failed);
  // Makes the new name last too. Not every file system syncs a folder, and
  // the file is in place by now either way.
  if (const FileDescriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
      directory.valid()) {
    ::fsync(directory.get());
  }
  return Renamed::Done;
}

// The same file, new content: its links, owner, mode and attributes stay.
// Its space is reserved first, so a full disk fails before a byte changes.
// The exclusive lock makes overlapping in-place saves take turns; the new
// content is whole in memory before the first byte of the old one changes.
bool WriteInPlace(const fs::path& target, std::string_view content, std::string& failure,
                  ReplaceReport& report) {
  // Not blocking, in case a pipe took its place since it was looked at.
  FileDescriptor file(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct stat opened {};
  if (!file.valid() || ::fstat(file.get(), &opened) != 0) return Fail(target, errno, failure);
  if (!S_ISREG(opened.st_mode)) return Fail(target, EBUSY, failure);
  if (LockFile(file.get(), LockKind::Exclusive) == LockResult::Busy) {
    failure = target.string() + ": another program keeps it locked";
    return false;
  }
  // Under the lock, the size that is replaced is the one another save left.
  if (::fstat(file.get(), &opened) != 0) return Fail(target, errno, failure);
  const off_t size = static_cast<off_t>(content.size());
  // One write of one page cannot be cut by a kill; a shorter content needs
  // the truncation after it, and a crash between the two leaves the old tail.
  static const long kPage = ::sysconf(_SC_PAGESIZE);
  report.crashSafe = size >= opened.st_size && kPage > 0 && size <= kPage;
  if (::fallocate(file.get(), FALLOC_FL_KEEP_SIZE, 0, size) != 0 && errno != EOPNOTSUPP) {
    return Fail(target, errno, failure);
  }
  if (!WriteAll(file.get(), content, 0) || ::ftruncate(file.get(), size) != 0 ||
      ::fsync(file.get()) != 0 || !file.Close()) {
    return Fail(target, errno, failure);
  }
  return true;
}

// A device or a pipe: nothing to keep, but no waiting for a reader either.
bool WriteToSpecialFile(const fs::path& target, std::string_view content, std::string& failure) {
  FileDescriptor file(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!file.valid()) return Fail(target, errno, failure);
  // Someone reads: from here on, write as a blocking writer would.
  const int flags = ::fcntl(file.get(), F_GETFL);
  if (flags < 0 || ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
    return Fail(target, errno, failure);
  }
  for (std::string_view rest = content; !rest.empty();) {
    const ssize_t written = ::write(file.get(), rest.data(), rest.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return Fail(target, written < 0 ? errno : EIO, failure);
    rest.remove_prefix(static_cast<std::size_t>(written));
  }
  return file.Close() || Fail(target, errno, failure);
}

bool Replace(const std::string& path, std::string_view content, std::string& failure,
             const ReplaceOptions& options, ReplaceReport& report) {
  if (path.empty()) return Fail(path, ENOENT, failure);
  const std::optional<fs::path> target = FinalTarget(path);
  if (!target) return Fail(path, errno, failure);
  struct stat existing {};
  if (::stat(target->c_str(), &existing) != 0) {
    if (errno != ENOENT) return Fail(*target, errno, failure);
    return WriteThroughTemporary(*target, nullptr, content, failure) == Renamed::Done;
  }
  if (!S_ISREG(existing.st_mode)) {
    if (options.regularFileOnly) {
      failure = target->string() + ": not a regular file";
      return false;
    }
    return WriteToSpecialFile(*target, content, failure);
  }
  // Root may write any regular file; anyone else needs the file's permission.
  if (!Accessible(*target, W_OK)) return Fail(*target, errno, failure);
  const bool folderTakesANewName = Accessible(FolderOf(*target), W_OK | X_OK);
  if (existing.st_nlink == 1 && folderTakesANewName) {
    switch (WriteThroughTemporary(*target, &existing, content, failure)) {
      case Renamed::Done: return true;
      case Renamed::Failed: return false;
      case Renamed::WouldLoseSomething: break;
    }
  }
  report.inPlace = true;
  report.why = existing.st_nlink > 1  ? "it has other links"
               : !folderTakesANewName ? "its folder takes no new file"
                                      : "its owner or attributes would not carry over";
  return WriteInPlace(*target, content, failure, report);
}

}  // namespace

bool ReplaceFileContents(const std::string& path, std::string_view content, std::string& failure) {
  return ReplaceFileContents(path, content, failure, {}, nullptr);
}

bool ReplaceFileContents(const std::string& path, std::string_view content, std::string& failure,
                         const ReplaceOptions& options, ReplaceReport* report) {
  ReplaceReport told;
  const bool written = Replace(path, content, failure, options, told);
  if (report) *report = told;
  if (written && told.inPlace) {
    Trace(TRACE_FILE, "wrote %s (%zu bytes) in place, as %s%s", path.c_str(), content.size(),
          told.why.c_str(), told.crashSafe ? "" : "; a crash during it could have torn it");
  } else if (written) {
    Trace(TRACE_FILE, "wrote %s (%zu bytes)", path.c_str(), content.size());
  } else {
    Trace(TRACE_FILE, "not written: %s", failure.c_str());
  }
  return written;
}

}  // namespace qv
