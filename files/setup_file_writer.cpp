#include "files/setup_file_writer.h"

#include "files/baseline.h"
#include "files/replace_file.h"
#include "files/setup_file_format.h"
#include "files/setup_image.h"
#include "model/text_format.h"
#include "model/program_state.h"
#include "model/registers.h"
#include "plan/frequency_engine.h"
#include "ui/toolkit.h"

namespace qv {
namespace {

void AppendRegisterLine(std::string& out, const RegisterRow& row, int image) {
  const unsigned value = static_cast<unsigned>(image) & 0xFF;
  AppendFormat(out, "&h%02X,&b", row.address);
  for (int bit = 7; bit >= 0; --bit) out += ((value >> bit) & 1) != 0 ? '1' : '0';
  AppendFormat(out, "   ;%02X Hex, %03u Dec", value, value);
  if (value == row.defaultValue) out += " (default)";
  out += '\n';
}

}  // namespace

std::string FormatSetupFile() {
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
    AppendRegisterLine(out, RegisterTable[index], SetupImage[index]);
  }
  out += "</RegisterMap>\n\n";

  out += "<PinStates>\n";
  for (const SetupPin& pin : kSetupPins) {
    AppendFormat(out, "%.*s=&h%X\n", static_cast<int>(pin.key.size()), pin.key.data(),
                 static_cast<unsigned>(pin.read()));
  }
  out += "</PinStates>\n\n";

  int crystal = 0;
  GetCtrlVal(panelHandle, CrystalFreq, &crystal);
  out += "<SoftwareSettings>\n";
  AppendFormat(out,
               "CrystalIndex=%u            ; External crystal being used (0=19.44MHz, "
               "1=25MHz, 2=27MHz)\n",
               static_cast<unsigned>(crystal));
  AppendFormat(out, "ExternalRefclk=%2.5f   ; External REFCLK frequency in MHz\n",
               GetExternalRefclkFrequency() / 1000000.0);
  out += "</SoftwareSettings>\n";
  return out;
}

int SaveSetupFile(const std::string& path, std::string* failure) {
  CaptureSetupImage();
  std::string reason;
  const bool written = ReplaceFileContents(path, FormatSetupFile(), reason);
  if (failure) *failure = reason;
  if (!written) return 0;
  SetBaselineToCurrent(BaselineOrigin::Saved, path);
  return 1;
}

}  // namespace qv
