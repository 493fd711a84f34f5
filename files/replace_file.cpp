#include "files/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "files/file_handle.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

bool WriteAll(FileHandle& file, std::string_view content) {
  return std::fwrite(content.data(), 1, content.size(), file.get()) == content.size();
}

bool WriteDirectly(const std::string& path, std::string_view content) {
  FileHandle file = OpenFile(path.c_str(), "w");
  if (!file) return false;
  const bool written = WriteAll(file, content);
  return CloseChecked(file) && written;
}

// The permissions the new file should get: those of the file it replaces, or
// what creating it afresh would give.
mode_t PermissionsFor(const fs::path& target) {
  struct stat existing {};
  if (::stat(target.c_str(), &existing) == 0) return existing.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

bool WriteThroughTemporary(const fs::path& target, std::string_view content) {
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  const int descriptor = ::mkstemp(temporary.data());
  if (descriptor < 0) return false;

  FileHandle file(::fdopen(descriptor, "w"));
  if (!file) {
    ::close(descriptor);
    ::unlink(temporary.c_str());
    return false;
  }
  // The data must be on disk before the rename makes it the target.
  const bool ok = ::fchmod(descriptor, PermissionsFor(target)) == 0 && WriteAll(file, content) &&
                  std::fflush(file.get()) == 0 && ::fsync(descriptor) == 0;
  const bool closed = CloseChecked(file);
  if (ok && closed && std::rename(temporary.c_str(), target.c_str()) == 0) return true;
  ::unlink(temporary.c_str());
  return false;
}

}  // namespace

bool ReplaceFileContents(const std::string& path, std::string_view content) {
  if (path.empty()) return false;
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (fs::exists(status) && !fs::is_regular_file(status)) return WriteDirectly(path, content);

  // Replace the file a link points to, not the link.
  fs::path target = path;
  if (fs::is_symlink(fs::symlink_status(target, error))) {
    target = fs::weakly_canonical(target, error);
    if (error) return false;
  }
  return WriteThroughTemporary(target, content);
}

}  // namespace qv
