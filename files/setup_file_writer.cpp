#include "files/setup_file_writer.h"

#include "base/text_format.h"
#include "files/setup_file_format.h"

namespace qv {
namespace {

void AppendRegisterLine(std::string& out, const RegisterFacts& row, int image) {
  const unsigned value = static_cast<unsigned>(image) & 0xFF;
  AppendFormat(out, "&h%02X,&b", row.address);
  for (int bit = 7; bit >= 0; --bit) out += ((value >> bit) & 1) != 0 ? '1' : '0';
  AppendFormat(out, "   ;%02X Hex, %03u Dec", value, value);
  if (value == row.defaultValue) out += " (default)";
  out += '\n';
}

}  // namespace

std::string FormatSetupText(const SetupContents& setup) {
  std::string out;
  out += ";Header contains information about the setup file and revision\n";
  out += "<Header>\n";
  AppendFormat(out, "Product = %.*s\n", static_cast<int>(SETUP_PRODUCT.size()),
               SETUP_PRODUCT.data());
  AppendFormat(out, "FileVersion = %.*s\n", static_cast<int>(SETUP_FILE_VERSION.size()),
               SETUP_FILE_VERSION.data());
  out += "DecimalSeparator=.    ; Used for internationalization\n";
  out += "</Header>\n\n";

  out += "<RegisterMap>\n";
  for (int index = 0; index < REGISTER_COUNT; ++index) {
    AppendRegisterLine(out, kRegisters[index], setup.registers[index]);
  }
  out += "</RegisterMap>\n\n";

  out += "<PinStates>\n";
  for (std::size_t i = 0; i < SETUP_PIN_COUNT; ++i) {
    const std::string_view key = kSetupPinKeys[i];
    AppendFormat(out, "%.*s=&h%X\n", static_cast<int>(key.size()), key.data(),
                 static_cast<unsigned>(setup.pins[i]));
  }
  out += "</PinStates>\n\n";

  out += "<SoftwareSettings>\n";
  AppendFormat(out,
               "CrystalIndex=%u            ; External crystal being used (0=19.44MHz, "
               "1=25MHz, 2=27MHz)\n",
               setup.crystalIndex);
  AppendFormat(out, "ExternalRefclk=%2.5f   ; External REFCLK frequency in MHz\n",
               setup.externalRefclkMHz);
  out += "</SoftwareSettings>\n";
  return out;
}

}  // namespace qv
