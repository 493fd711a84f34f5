#pragma once
// A umockdev testbed: a private /sys and /dev that processes running under
// umockdev's preload see instead of the real ones.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

#include <umockdev.h>

namespace qv::sim {

class Testbed {
 public:
  // Sets UMOCKDEV_DIR for this process; children inherit it.
  Testbed();
  ~Testbed();
  Testbed(const Testbed&) = delete;
  Testbed& operator=(const Testbed&) = delete;

  // Adds the devices of a umockdev description; std::runtime_error if it does not parse.
  void add(std::string_view description);
  void setAttribute(std::string_view syspath, std::string_view name,
                    std::span<const std::uint8_t> value);

  // Where the testbed keeps what its processes see at `path` ("/dev/hidraw1", "/sys/...").
  std::filesystem::path file(std::string_view path) const;

  UMockdevTestbed* get() const { return testbed_; }

 private:
  UMockdevTestbed* testbed_;
};

// True when umockdev's preload is active in this process.
bool inMockEnvironment();

// Re-executes the program under umockdev-wrapper unless the preload is active;
// returns only when it is. argv as main received it.
void ensureMockEnvironment(char** argv);

}  // namespace qv::sim
