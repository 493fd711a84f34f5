#pragma once
// A file's extended attributes (user.*, security.*, the ACLs in system.*), so
// a replacement file can be given exactly those of the file it replaces.

#include <optional>
#include <string>
#include <vector>

namespace qv {

struct ExtendedAttribute {
  std::string name;
  std::string value;
  bool operator==(const ExtendedAttribute&) const = default;
};
using ExtendedAttributes = std::vector<ExtendedAttribute>;

// Every attribute of the file at path, following links; nothing (errno set)
// when they cannot all be read. A file system without attributes has none.
std::optional<ExtendedAttributes> ReadExtendedAttributes(const char* path);

// Gives the open file exactly `wanted`: sets each one and removes any other
// (such as an ACL inherited from the folder). False (errno set) when the
// system refuses one.
bool SetExtendedAttributes(int descriptor, const ExtendedAttributes& wanted);

}  // namespace qv
