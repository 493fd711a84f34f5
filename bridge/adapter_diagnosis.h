#pragma once
// Why a transfer through the adapter failed, in finer words than the bridge's
// result codes: the library keeps its two exports and its codes, and the
// program asks here, after a failure, through hidapi's enumeration and a look
// at the adapter's node. Outside libhidbridge, like the listing.

#include <string>

namespace qv::bridge {

// How long a transfer gives the adapter to answer, all told: the pause
// before the command and the wait for the reply.
inline constexpr int kAnswerWithinMs = 250;
// How long a diagnosis watches for a reply that comes after that.
inline constexpr int kLateReplyWatchMs = 300;

enum class LinkFault {
  Absent,        // no adapter present (none by the name asked for, when one is)
  NoPermission,  // present, but this user may not open its node
  CannotOpen,    // present, but its node does not open for another reason
  Refused,       // the adapter answered with its error flag set
  NoAnswer,      // no reply within kAnswerWithinMs, nor for a while after
  Late,          // a reply came after the transfer had given up
};

struct LinkDiagnosis {
  LinkFault fault = LinkFault::Absent;
  std::string node;    // the adapter's hidraw node; empty when none is present
  std::string reason;  // the system's words when the node does not open
};

// For a transfer that ended in the negative HidBridgeResult `result`, through
// the adapter QV3380_ADAPTER names (or the first that opens, as the bridge
// takes it). A time-out costs up to kLateReplyWatchMs more, watching the node
// for the reply; nothing is sent.
LinkDiagnosis DiagnoseFailure(int result);

// The node of the adapter the bridge would take now; empty when none opens.
std::string AdapterInUse();

}  // namespace qv::bridge
