#pragma once
// Advisory locks between the tool's own readers and in-place writers, so a
// reader never sees half of a file written in place and two in-place saves
// never mix.

namespace qv {

enum class LockKind { Shared, Exclusive };
enum class LockResult {
  Held,         // until the descriptor is closed
  Unsupported,  // the file system keeps no locks: nothing to wait for
  Busy,         // another holder kept it for longer than LOCK_PATIENCE_SECONDS
};

// A writer holds the lock for milliseconds; one that keeps it longer is stuck.
inline constexpr double LOCK_PATIENCE_SECONDS = 10.0;

// Waits for the lock on an open file, at most LOCK_PATIENCE_SECONDS.
LockResult LockFile(int descriptor, LockKind kind);

}  // namespace qv
