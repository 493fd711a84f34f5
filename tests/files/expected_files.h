#pragma once
// The files the program writes for the register defaults right after an
// offline start, line by line.

#include <array>
#include <string>
#include <string_view>

namespace qv::test {

inline constexpr std::array<std::string_view, 53> kDefaultSetupLines{
    ";Header contains information about the setup file and revision",
    "<Header>",
    "Product = QV3380",
    "FileVersion = 1.0",
    "DecimalSeparator=.    ; Used for internationalization",
    "</Header>",
    "",
    "<RegisterMap>",
    "&h11,&b00000000   ;00 Hex, 000 Dec (default)",
    "&h18,&b00010100   ;14 Hex, 020 Dec (default)",
    "&h19,&b00000000   ;00 Hex, 000 Dec (default)",
    "&h1A,&b00000000   ;00 Hex, 000 Dec (default)",
    "&h1B,&b00000000   ;00 Hex, 000 Dec (default)",
    "&h1C,&b00010000   ;10 Hex, 016 Dec (default)",
    "&h1D,&b11010000   ;D0 Hex, 208 Dec (default)",
    "&h1F,&b00000000   ;00 Hex, 000 Dec (default)",
    "&h22,&b10000100   ;84 Hex, 132 Dec (default)",
    "&h23,&b10000101   ;85 Hex, 133 Dec (default)",
    "&h24,&b00000000   ;00 Hex, 000 Dec (default)",
    "&h25,&b10000110   ;86 Hex, 134 Dec (default)",
    "&h26,&b10010010   ;92 Hex, 146 Dec (default)",
    "&h27,&b00000000   ;00 Hex, 000 Dec (default)",
    "&h29,&b10000000   ;80 Hex, 128 Dec (default)",
    "&h2A,&b00000000   ;00 Hex, 000 Dec (default)",
    "&h2B,&b00000000   ;00 Hex, 000 Dec (default)",
    "&h2C,&b00000000   ;00 Hex, 000 Dec (default)",
    "&h30,&b00010100   ;14 Hex, 020 Dec (default)",
    "&h31,&b10000100   ;84 Hex, 132 Dec (default)",
    "&h32,&b10000101   ;85 Hex, 133 Dec (default)",
    "&h33,&b00010110   ;16 Hex, 022 Dec (default)",
    "&h34,&b00000000   ;00 Hex, 000 Dec (default)",
    "&h35,&b00000000   ;00 Hex, 000 Dec (default)",
    "&h36,&b00000000   ;00 Hex, 000 Dec (default)",
    "&h37,&b10000110   ;86 Hex, 134 Dec (default)",
    "&h38,&b01000110   ;46 Hex, 070 Dec (default)",
    "&h39,&b01110101   ;75 Hex, 117 Dec (default)",
    "&h3A,&b00000000   ;00 Hex, 000 Dec (default)",
    "&h3B,&b00000000   ;00 Hex, 000 Dec (default)",
    "&h3D,&b00000000   ;00 Hex, 000 Dec (default)",
    "&h40,&b00000000   ;00 Hex, 000 Dec (default)",
    "</RegisterMap>",
    "",
    "<PinStates>",
    "REFSEL=&h1",
    "MARGIN=&h0",
    "SSCG=&h0",
    "MAX_BW=&h0",
    "</PinStates>",
    "",
    "<SoftwareSettings>",
    "CrystalIndex=1            ; External crystal being used (0=19.44MHz, 1=25MHz, 2=27MHz)",
    "ExternalRefclk=25.00000   ; External REFCLK frequency in MHz",
    "</SoftwareSettings>",
};

struct JsonLine {
  int tabs;
  std::string_view text;
};

inline constexpr std::array<JsonLine, 76> kDefaultJsonLines{{
    {0, R"({)"},
    {1, R"("ProductID": 0,)"},
    {1, R"("RefDivEnabled": false,)"},
    {1, R"("RefOutPowered": true,)"},
    {1, R"("Pll1Config":)"},
    {1, R"({)"},
    {2, R"("PllPowered": true,)"},
    {2, R"("SyncChannels": false,)"},
    {2, R"("OutFormatCode": 0,)"},
    {2, R"("Out0Powered": true,)"},
    {2, R"("Out1Powered": true)"},
    {1, R"(},)"},
    {1, R"("Pll2Config":)"},
    {1, R"({)"},
    {2, R"("PllPowered": true,)"},
    {2, R"("SyncChannels": false,)"},
    {2, R"("OutFormatCode": 0,)"},
    {2, R"("Out2Powered": true,)"},
    {2, R"("Out3Powered": true,)"},
    {2, R"("FracNConfig":)"},
    {2, R"({)"},
    {3, R"("BleedOn": false,)"},
    {3, R"("SdmPowered": false,)"},
    {3, R"("DitherEnabled": false,)"},
    {3, R"("SSOvershootCompEnabled": true,)"},
    {3, R"("SSOvershootCompBoostEnabled": false,)"},
    {3, R"("SSFracWordStepSize": 0,)"},
    {3, R"("SSNumSteps": 0,)"},
    {3, R"("SSCkDiv": 0)"},
    {2, R"(})"},
    {1, R"(},)"},
    {1, R"("FreqMap0":)"},
    {1, R"({)"},
    {2, R"("Frefclk": "auto",)"},
    {2, R"("Pll1FreqConfig":)"},
    {2, R"({)"},
    {3, R"("N": 100,)"},
    {3, R"("V0": 4,)"},
    {3, R"("D0": 4,)"},
    {3, R"("V1": 4,)"},
    {3, R"("D1": 5)"},
    {2, R"(},)"},
    {2, R"("Pll2FreqConfig":)"},
    {2, R"({)"},
    {3, R"("N": 96,)"},
    {3, R"("V2": 4,)"},
    {3, R"("D2": 6,)"},
    {3, R"("V3": 4,)"},
    {3, R"("D3": 18,)"},
    {3, R"("Frac": 0,)"},
    {3, R"("Mod": 0)"},
    {2, R"(})"},
    {1, R"(},)"},
    {1, R"("FreqMap1":)"},
    {1, R"({)"},
    {2, R"("Frefclk": "auto",)"},
    {2, R"("Pll1FreqConfig":)"},
    {2, R"({)"},
    {3, R"("N": 100,)"},
    {3, R"("V0": 4,)"},
    {3, R"("D0": 4,)"},
    {3, R"("V1": 4,)"},
    {3, R"("D1": 5)"},
    {2, R"(},)"},
    {2, R"("Pll2FreqConfig":)"},
    {2, R"({)"},
    {3, R"("N": 102,)"},
    {3, R"("V2": 2,)"},
    {3, R"("D2": 6,)"},
    {3, R"("V3": 4,)"},
    {3, R"("D3": 6,)"},
    {3, R"("Frac": 0,)"},
    {3, R"("Mod": 0)"},
    {2, R"(})"},
    {1, R"(})"},
    {0, R"(})"},
}};

inline std::string Joined(auto lines) {
  std::string text;
  for (const auto& line : lines) {
    if constexpr (requires { line.tabs; }) {
      text.append(static_cast<std::size_t>(line.tabs), '\t');
      text += line.text;
    } else {
      text += line;
    }
    text += '\n';
  }
  return text;
}

inline std::string DefaultSetupFile() { return Joined(kDefaultSetupLines); }
inline std::string DefaultJsonDocument() { return Joined(kDefaultJsonLines); }

}  // namespace qv::test
