#include "files/file_lock.h"

#include <sys/file.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>

namespace qv {

LockResult LockFile(int descriptor, LockKind kind) {
  using Clock = std::chrono::steady_clock;
  constexpr auto kLongestPause = std::chrono::milliseconds(20);
  // Polled, not blocking: a holder that never lets go costs a bounded wait.
  const auto giveUp = Clock::now() + std::chrono::duration<double>(LOCK_PATIENCE_SECONDS);
  const int operation = (kind == LockKind::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
  std::chrono::microseconds pause(100);
  while (::flock(descriptor, operation) != 0) {
    if (errno == EINTR) continue;
    if (errno != EWOULDBLOCK) return LockResult::Unsupported;
    if (Clock::now() >= giveUp) return LockResult::Busy;
    std::this_thread::sleep_for(pause);
    pause = std::min<std::chrono::microseconds>(pause * 2, kLongestPause);
  }
  return LockResult::Held;
}

}  // namespace qv
