/* The library's header as a C program sees it: compiled, never run. */
#include "bridge/hidbridge.h"

int (*const readRegister)(unsigned char, unsigned char) = readi2c;
int (*const writeRegister)(unsigned char, unsigned char, unsigned short) = writei2c;

const char* describe(int result) {
  switch (result) {
    case HIDBRIDGE_DONE: return "done";
    case HIDBRIDGE_NO_REPLY: return "no reply";
    case HIDBRIDGE_NO_ADAPTER: return "no adapter";
    case HIDBRIDGE_ADAPTER_ERROR: return "adapter error";
    default: return "register value";
  }
}
