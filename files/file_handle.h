#pragma once
// An open C stream that closes itself.

#include <cstdio>
#include <memory>

namespace qv {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

inline FileHandle OpenFile(const char* path, const char* mode) {
  return FileHandle(std::fopen(path, mode));
}

// Closes at once; false when buffered data could not be written out.
inline bool CloseChecked(FileHandle& file) { return std::fclose(file.release()) == 0; }

}  // namespace qv
