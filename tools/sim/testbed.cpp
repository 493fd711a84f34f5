#include "tools/sim/testbed.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qv::sim {
namespace {

struct ErrorFree {
  void operator()(GError* error) const { g_error_free(error); }
};
struct GFree {
  void operator()(gchar* text) const { g_free(text); }
};

}  // namespace

Testbed::Testbed() : testbed_(umockdev_testbed_new()) {}

Testbed::~Testbed() { g_object_unref(testbed_); }

void Testbed::add(std::string_view description) {
  GError* raw = nullptr;
  const std::string text(description);
  if (!umockdev_testbed_add_from_string(testbed_, text.c_str(), &raw)) {
    const std::unique_ptr<GError, ErrorFree> error(raw);
    throw std::runtime_error(std::string("cannot add devices to the testbed: ") +
                             (error ? error->message : "unknown error"));
  }
}

void Testbed::setAttribute(std::string_view syspath, std::string_view name,
                           std::span<const std::uint8_t> value) {
  const std::string path(syspath);
  const std::string attribute(name);
  // umockdev takes the bytes as non-const but only copies them.
  std::vector<guint8> bytes(value.begin(), value.end());
  umockdev_testbed_set_attribute_binary(testbed_, path.c_str(), attribute.c_str(), bytes.data(),
                                        static_cast<gint>(bytes.size()));
}

std::filesystem::path Testbed::file(std::string_view path) const {
  const std::unique_ptr<gchar, GFree> root(umockdev_testbed_get_root_dir(testbed_));
  return std::filesystem::path(root.get()) / std::filesystem::path(path).relative_path();
}

// umockdev_in_mock_environment() answers false under umockdev-wrapper in 0.17;
// the preload's presence in LD_PRELOAD is what counts.
bool inMockEnvironment() {
  const char* preload = std::getenv("LD_PRELOAD");
  return preload != nullptr &&
         std::string_view(preload).find("libumockdev-preload") != std::string_view::npos;
}

void ensureMockEnvironment(char** argv) {
  if (inMockEnvironment()) return;
  // ASan insists on coming first in the library list, which the preload prevents.
  const char* asan = std::getenv("ASAN_OPTIONS");
  const std::string options =
      std::string(asan ? asan : "") + (asan && *asan ? ":" : "") + "verify_asan_link_order=0";
  setenv("ASAN_OPTIONS", options.c_str(), 1);

  std::vector<char*> args{const_cast<char*>("umockdev-wrapper")};
  for (char** arg = argv; *arg != nullptr; ++arg) args.push_back(*arg);
  args.push_back(nullptr);
  execvp(args[0], args.data());
  std::fprintf(stderr,
               "%s: needs umockdev's preload, but umockdev-wrapper cannot be started: ", argv[0]);
  std::perror(nullptr);
  std::exit(77);
}

}  // namespace qv::sim
