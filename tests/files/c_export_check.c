/* The exported header as firmware uses it: walk the sequence, honour the pauses. */
#include "board.h"

int main(void) {
  unsigned writes = 0;
  unsigned waited_ms = 0;
  int i;
  for (i = 0; i < QV3380_SEQUENCE_LENGTH; ++i) {
    if (qv3380_sequence[i].reg == QV3380_DELAY) {
      waited_ms += qv3380_sequence[i].value;
    } else {
      ++writes;
    }
  }
  return !(writes == 42 && waited_ms == 250 &&
           QV3380_I2C_ADDRESS == (QV3380_I2C_ADDRESS_7BIT << 1));
}
