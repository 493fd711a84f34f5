#pragma once
// Reading a whole file that must be an ordinary one of modest size, without
// ever waiting on a device or a pipe.

#include <optional>
#include <string>
#include <string_view>

namespace qv {

// The bytes of the regular file at path when it holds at most `limit` of them.
// It is opened without blocking and checked before any read, so a FIFO nobody
// writes to or an endless device is refused at once; it is read under a
// shared lock, so an in-place save of the tool's is seen whole or not at all. Nothing on failure,
// with `reason` set to the system's error text, "not a regular file", or `tooLarge`.
std::optional<std::string> ReadRegularFile(const std::string& path, std::size_t limit,
                                           std::string_view tooLarge, std::string& reason);

}  // namespace qv
