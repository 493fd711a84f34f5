// The bridge as the module sees it: the module is linked with
// --wrap=readi2c,writei2c, so the write path's transfers come here first and
// go to the simulated chip of the call ("sim") or on to libhidbridge.

#include <optional>

#include "bridge/hidbridge.h"
#include "python/workspace.h"
#include "tools/sim/chip.h"

// NOLINTBEGIN(bugprone-reserved-identifier,readability-identifier-naming): the linker's names.
extern "C" {

int __real_readi2c(unsigned char deviceAddress, unsigned char registerAddress);
int __real_writei2c(unsigned char deviceAddress, unsigned char registerAddress,
                    unsigned short value);

// A device other than the chip does not acknowledge; the adapter reports that as an error.
int __wrap_readi2c(unsigned char deviceAddress, unsigned char registerAddress) {
  qv::sim::Chip* chip = qv::python::SimulatedChipInUse();
  if (!chip) return __real_readi2c(deviceAddress, registerAddress);
  const std::optional<std::uint8_t> value = chip->read(deviceAddress, registerAddress);
  return value ? int{*value} : int{HIDBRIDGE_ADAPTER_ERROR};
}

int __wrap_writei2c(unsigned char deviceAddress, unsigned char registerAddress,
                    unsigned short value) {
  qv::sim::Chip* chip = qv::python::SimulatedChipInUse();
  if (!chip) return __real_writei2c(deviceAddress, registerAddress, value);
  const bool acknowledged =
      chip->write(deviceAddress, registerAddress, static_cast<std::uint8_t>(value & 0xFF));
  return acknowledged ? HIDBRIDGE_DONE : HIDBRIDGE_ADAPTER_ERROR;
}
}
// NOLINTEND(bugprone-reserved-identifier,readability-identifier-naming)
