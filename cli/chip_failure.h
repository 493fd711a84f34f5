#pragma once
// What qv3380 says when a transfer with the chip failed: which transfer, and
// which of absent, no permission, refused, no answer or late it was. The
// bridge only returns its codes; the finer cause is asked of the adapter
// listing after the failure (bridge/adapter_diagnosis.h).

#include <string>
#include <string_view>

#include "model/write_path.h"

namespace qv::cli {

struct ChipComplaint {
  std::string subject;  // the adapter: its node, the name asked for, or its USB ids
  std::string text;     // "the connection check's read of register 0x3F failed: ..."
};

// "the connection check's read of register 0x3F", "the write of 0x16 to register AF0 (0x18)".
std::string TransferText(const Transfer& transfer);

// The words for a failed transfer, the cause found now for the adapter
// QV3380_ADAPTER names; `lister` is how its user lists the adapters present
// ("qv3380 adapters"). A transfer that worked but read 0 at the connection
// check is a chip that is not there.
ChipComplaint DescribeChipFailure(const Transfer& failed, std::string_view lister);

}  // namespace qv::cli
