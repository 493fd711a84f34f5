#pragma once
// The adapters present, for people and scripts choosing one (`qv3380 adapters`,
// `qv3380.adapters()`). Outside libhidbridge, which keeps its two exports.

#include <string>
#include <string_view>
#include <vector>

#include "bridge/adapter_choice.h"

namespace qv::bridge {

struct AdapterFacts {
  std::string path;      // the hidraw node, "/dev/hidraw1"
  std::string serial;    // empty when the adapter reports none
  std::string product;   // the USB product string
  bool mayOpen = false;  // this user may open it for reading and writing now
  std::string whyNot;    // when not: the system's reason, "Permission denied"
  int openError = 0;     // and its errno
};

// In enumeration order, the order in which the bridge tries them. Without
// `checkAccess` no node is opened and mayOpen stays false.
std::vector<AdapterFacts> ListAdapters(bool checkAccess = true);

// Opens the adapter's node for reading and writing without blocking, as the
// bridge would; -1 with whyNot and openError set when it does not open.
// Nothing is sent, so the adapter does not notice.
int OpenNode(AdapterFacts& facts);

}  // namespace qv::bridge
