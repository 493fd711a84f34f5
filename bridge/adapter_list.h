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
};

// In enumeration order, the order in which the bridge tries them.
std::vector<AdapterFacts> ListAdapters();

// Whether an adapter present is the one `wanted` names (any adapter for empty).
bool AdapterPresent(std::string_view wanted);

}  // namespace qv::bridge
