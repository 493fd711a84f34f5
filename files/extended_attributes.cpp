#include "files/extended_attributes.h"

#include <sys/xattr.h>

#include <algorithm>
#include <cerrno>
#include <string_view>

namespace qv {
namespace {

bool Unsupported() { return errno == ENOTSUP; }

// Asks for the size, then the data; again when it grew in between.
template <typename Query>
std::optional<std::string> Fetch(Query query) {
  for (;;) {
    const ssize_t size = query(nullptr, 0);
    if (size < 0) return std::nullopt;
    std::string data(static_cast<std::size_t>(size), '\0');
    const ssize_t got = query(data.data(), data.size());
    if (got >= 0) {
      data.resize(static_cast<std::size_t>(got));
      return data;
    }
    if (errno != ERANGE) return std::nullopt;
  }
}

std::vector<std::string> SplitNames(std::string_view list) {
  std::vector<std::string> names;
  while (!list.empty()) {
    const std::size_t end = list.find('\0');
    names.emplace_back(list.substr(0, end));
    list.remove_prefix(end == std::string_view::npos ? list.size() : end + 1);
  }
  return names;
}

std::optional<std::vector<std::string>> NamesOf(int descriptor) {
  const std::optional<std::string> list = Fetch(
      [descriptor](char* data, std::size_t size) { return ::flistxattr(descriptor, data, size); });
  if (!list) return Unsupported() ? std::optional(std::vector<std::string>{}) : std::nullopt;
  return SplitNames(*list);
}

}  // namespace

std::optional<ExtendedAttributes> ReadExtendedAttributes(const char* path) {
  const std::optional<std::string> list =
      Fetch([path](char* data, std::size_t size) { return ::listxattr(path, data, size); });
  if (!list) return Unsupported() ? std::optional(ExtendedAttributes{}) : std::nullopt;
  ExtendedAttributes attributes;
  for (std::string& name : SplitNames(*list)) {
    const std::optional<std::string> value = Fetch(
        [&](char* data, std::size_t size) { return ::getxattr(path, name.c_str(), data, size); });
    if (!value) return std::nullopt;
    attributes.push_back({std::move(name), *value});
  }
  return attributes;
}

bool SetExtendedAttributes(int descriptor, const ExtendedAttributes& wanted) {
  const std::optional<std::vector<std::string>> present = NamesOf(descriptor);
  if (!present) return false;
  for (const std::string& name : *present) {
    const bool kept = std::ranges::any_of(
        wanted, [&](const ExtendedAttribute& attribute) { return attribute.name == name; });
    if (!kept && ::fremovexattr(descriptor, name.c_str()) != 0) return false;
  }
  for (const ExtendedAttribute& attribute : wanted) {
    if (::fsetxattr(descriptor, attribute.name.c_str(), attribute.value.data(),
                    attribute.value.size(), 0) != 0) {
      return false;
    }
  }
  return true;
}

}  // namespace qv
