#include "bridge/declared_lengths.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bridge/protocol.h"

namespace qv::bridge {

ReportLengths declaredLengths(std::string_view hidrawPath) {
  const std::size_t slash = hidrawPath.rfind('/');
  const std::string_view node =
      slash == std::string_view::npos ? hidrawPath : hidrawPath.substr(slash + 1);
  if (node.empty()) return fallbackLengths;

  std::ifstream file(
      std::string("/sys/class/hidraw/").append(node).append("/device/report_descriptor"),
      std::ios::binary);
  const std::vector<std::uint8_t> descriptor{std::istreambuf_iterator<char>(file),
                                             std::istreambuf_iterator<char>()};
  if (descriptor.empty()) return fallbackLengths;
  return parseReportDescriptor(descriptor).value_or(fallbackLengths);
}

}  // namespace qv::bridge
