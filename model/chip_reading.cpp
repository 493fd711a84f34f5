#include "model/chip_reading.h"

#include "model/write_path.h"
#include "ui/toolkit.h"

namespace qv {

ChipRegisterReading ReadChipRegisters() {
  SetWaitCursor(1);  // one busy spell for all the transfers, not one each
  ChipRegisterReading reading;
  for (int index = 0; index < REGISTER_COUNT; ++index) {
    const int result = ReadChipByte(kRegisters[index].address);
    if (result < 0) {
      reading.failedIndex = index;
      reading.result = result;
      break;
    }
    reading.registers[index] = result;
  }
  SetWaitCursor(0);
  return reading;
}

}  // namespace qv
