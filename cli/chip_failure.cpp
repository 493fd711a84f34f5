#include "cli/chip_failure.h"

#include "base/text_format.h"
#include "bridge/adapter_choice.h"
#include "bridge/adapter_diagnosis.h"
#include "chip/i2c_interface.h"
#include "chip/registers.h"

namespace qv::cli {
namespace {

constexpr std::string_view kAdapterIds = "USB 04d8:feaa";

std::string RegisterText(unsigned address) {
  const int index = RegisterIndexOfAddress(address);
  if (index < 0) return FormatText("register 0x%02X", address);
  return FormatText("register %s (0x%02X)", std::string(kRegisters[index].name).c_str(), address);
}

std::string Cause(const bridge::LinkDiagnosis& why, std::string_view wanted,
                  std::string_view lister) {
  using bridge::LinkFault;
  switch (why.fault) {
    case LinkFault::Absent:
      if (wanted.empty()) return "no adapter is plugged in";
      return "no adapter present has this serial number or path; " + std::string(lister) +
             " lists those present";
    case LinkFault::NoPermission:
      return why.reason +
             ": this user may not open the adapter; see \"Adapter access on Linux\" in the "
             "README (the udev rule)";
    case LinkFault::CannotOpen:
      return "the adapter could not be opened" + (why.reason.empty() ? "" : ": " + why.reason);
    case LinkFault::Refused: return "the adapter refused it (its reply flagged an error)";
    case LinkFault::NoAnswer:
      return FormatText("no answer from the adapter within %d ms", bridge::kAnswerWithinMs);
    default:
      return FormatText("the adapter answered too late, after the %d ms a transfer waits",
                        bridge::kAnswerWithinMs);
  }
}

std::string Subject(const std::string& node, std::string_view wanted) {
  if (!node.empty()) return node;
  return std::string(wanted.empty() ? kAdapterIds : wanted);
}

}  // namespace

std::string TransferText(const Transfer& transfer) {
  if (transfer.kind == Transfer::Kind::Write) {
    return FormatText("the write of 0x%02X to %s", static_cast<unsigned>(transfer.value) & 0xFFu,
                      RegisterText(transfer.address).c_str());
  }
  const char* what =
      transfer.address == CONNECTION_PROBE_REGISTER ? "the connection check's read" : "the read";
  return std::string(what) + " of " + RegisterText(transfer.address);
}

ChipComplaint DescribeChipFailure(const Transfer& failed, std::string_view lister) {
  const std::string wanted = bridge::WantedAdapter();
  if (!failed.Failed()) {
    return {Subject(bridge::AdapterInUse(), wanted),
            TransferText(failed) +
                FormatText(" gave %d: no QV3380 answers at 0x%02X behind the adapter", failed.value,
                           QV3380_I2C_ADDRESS)};
  }
  const bridge::LinkDiagnosis why = bridge::DiagnoseFailure(failed.result);
  return {Subject(why.node, wanted),
          TransferText(failed) + " failed: " + Cause(why, wanted, lister)};
}

}  // namespace qv::cli
