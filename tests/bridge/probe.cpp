// Calls the bridge as told and prints each result on a line:
//   bridge_probe r REG | w REG VALUE ...   (device 0x80; numbers in C notation)

#include <cstdio>
#include <cstdlib>
#include <span>
#include <string_view>

#include "bridge/hidbridge.h"

namespace {

constexpr unsigned char device = 0x80;

bool number(const char* text, unsigned long max, unsigned long& value) {
  char* end = nullptr;
  value = std::strtoul(text, &end, 0);
  return end != text && *end == '\0' && value <= max;
}

}  // namespace

int main(int argc, char** argv) {
  const std::span<char*> args(argv + 1, static_cast<std::size_t>(argc - 1));
  for (std::size_t i = 0; i < args.size();) {
    const std::string_view op = args[i];
    unsigned long reg = 0;
    unsigned long value = 0;
    if (op == "r" && i + 1 < args.size() && number(args[i + 1], 0xFF, reg)) {
      std::printf("%d\n", readi2c(device, static_cast<unsigned char>(reg)));
      i += 2;
    } else if (op == "w" && i + 2 < args.size() && number(args[i + 1], 0xFF, reg) &&
               number(args[i + 2], 0xFFFF, value)) {
      std::printf("%d\n", writei2c(device, static_cast<unsigned char>(reg),
                                   static_cast<unsigned short>(value)));
      i += 3;
    } else {
      std::fprintf(stderr, "usage: bridge_probe r REG | w REG VALUE ...\n");
      return 2;
    }
  }
  return 0;
}
