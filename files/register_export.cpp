#include "files/register_export.h"

#include <array>
#include <cmath>
#include <ctime>
#include <vector>

#include "base/text_format.h"
#include "base/version.h"
#include "chip/i2c_interface.h"
#include "plan/plan_evaluation.h"
#include "plan/whole_set_sequence.h"

namespace qv {
namespace {

using Step = SequenceStep;

constexpr std::array<ExportFormatFacts, 4> kFormats{{
    {ExportFormat::C, "c", "a C header: the write sequence as register/value pairs",
     "qv3380_registers.h", "C Header (*.h)"},
    {ExportFormat::Csv, "csv", "a CSV table: one row per register", "qv3380_registers.csv",
     "CSV Table (*.csv)"},
    {ExportFormat::Hex, "hex", "hex pairs: address and value per line, in write order",
     "qv3380_registers.hex", "Hex Pairs (*.hex)"},
    {ExportFormat::I2c, "i2c", "a shell script of i2cset commands for a Linux host",
     "qv3380_registers.sh", "Shell Script (*.sh)"},
}};

constexpr int kSevenBitAddress = QV3380_I2C_ADDRESS >> 1;
// The C array's pause entry: an address the chip does not have.
constexpr int kDelayMarker = 0xFF;
static_assert(RegisterIndexOfAddress(kDelayMarker) < 0);
constexpr int kPauseMs = ACQUIRE_SETTLE_MS;
static_assert(kPauseMs <= 0xFF, "the pause must fit the array's value byte");

std::string StepNote(const Step& step) {
  switch (step.kind) {
    case Step::Kind::Register: return std::string(kRegisters[step.reg].name);
    case Step::Kind::LookAhead: return "C0 with the look-ahead enable set";
    case Step::Kind::Acquire: return "acquisition";
    case Step::Kind::Pause: return FormatText("wait %d ms for the acquisition", kPauseMs);
    case Step::Kind::Formats: return "DR1 once more: the output formats";
  }
  return "";
}

void CBody(std::string& out, const SetupContents& setup) {
  const std::vector<Step> steps = WholeSetSequence(setup.registers);
  out += "#ifndef QV3380_REGISTERS_H\n#define QV3380_REGISTERS_H\n\n#include <stdint.h>\n\n";
  AppendFormat(out, "#define QV3380_I2C_ADDRESS 0x%02X      /* 8-bit form */\n",
               QV3380_I2C_ADDRESS);
  AppendFormat(out, "#define QV3380_I2C_ADDRESS_7BIT 0x%02X /* 7-bit form */\n", kSevenBitAddress);
  out += "/* Not a register address: an entry with it waits `value` milliseconds. */\n";
  AppendFormat(out, "#define QV3380_DELAY 0x%02X\n", kDelayMarker);
  AppendFormat(out, "#define QV3380_SEQUENCE_LENGTH %zu\n\n", steps.size());
  out +=
      "static const struct { uint8_t reg, value; } qv3380_sequence[QV3380_SEQUENCE_LENGTH] = {\n";
  for (const Step& step : steps) {
    if (step.kind == Step::Kind::Pause) {
      AppendFormat(out, "    {QV3380_DELAY, %d}, /* %s */\n", kPauseMs, StepNote(step).c_str());
    } else {
      AppendFormat(out, "    {0x%02X, 0x%02X}, /* %s */\n", step.address, step.value,
                   StepNote(step).c_str());
    }
  }
  out += "};\n\n#endif /* QV3380_REGISTERS_H */\n";
}

std::string BinaryDigits(int value) {
  std::string digits;
  for (int bit = 7; bit >= 0; --bit) digits += ((value >> bit) & 1) != 0 ? '1' : '0';
  return digits;
}

void CsvBody(std::string& out, const SetupContents& setup) {
  out += "index,address,name,value_hex,value_bin,default\n";
  for (int index = 0; index < REGISTER_COUNT; ++index) {
    const RegisterFacts& facts = kRegisters[index];
    const int value = setup.registers[index] & 0xFF;
    AppendFormat(out, "%d,0x%02X,%s,0x%02X,%s,%s\n", index, facts.address,
                 std::string(facts.name).c_str(), value, BinaryDigits(value).c_str(),
                 value == static_cast<int>(facts.defaultValue) ? "yes" : "no");
  }
}

void HexBody(std::string& out, const SetupContents& setup) {
  for (const Step& step : WholeSetSequence(setup.registers)) {
    if (step.kind == Step::Kind::Pause) {
      out += "# " + StepNote(step) + "\n";
    } else {
      AppendFormat(out, "%02X %02X\n", step.address, step.value);
    }
  }
}

void I2cBody(std::string& out, const SetupContents& setup) {
  out += "set -e\n";
  out += "BUS=${1:?\"usage: sh $0 I2C-BUS-NUMBER\"}\n";
  for (const Step& step : WholeSetSequence(setup.registers)) {
    if (step.kind == Step::Kind::Pause) {
      AppendFormat(out, "sleep %g\n", step.seconds);
    } else {
      AppendFormat(out, "i2cset -y $BUS 0x%02X 0x%02X 0x%02X\n", kSevenBitAddress, step.address,
                   step.value);
    }
  }
}

struct CommentStyle {
  std::string_view open;
  std::string_view line;  // before each line of the header
  std::string_view close;
};

constexpr CommentStyle kBlockComment{"/*\n", " *", " */\n"};
constexpr CommentStyle kHashComment{"", "#", ""};

// What each format is, how it comments, and what only it says in its header.
struct Renderer {
  std::string_view preamble;
  CommentStyle comment;
  std::string_view title;
  std::array<std::string_view, 2> notes;
  void (*body)(std::string& out, const SetupContents& setup);
};

// In the order of ExportFormat.
const std::array<Renderer, 4> kRenderers{{
    {"",
     kBlockComment,
     "QV3380 programming sequence",
     {"The 32 registers, the look-ahead enable, one acquisition and its pause, then DR1 again:",
      "what the tool sends for a whole setup. A QV3380_DELAY entry is a pause, not a write."},
     CBody},
    {"",
     kHashComment,
     "QV3380 register table",
     {"One row per register in table order; default: the register holds its power-on value.", ""},
     CsvBody},
    {"",
     kHashComment,
     "QV3380 programming sequence",
     {"One register address and value per line, in the order the tool writes them;",
      "the comment line marks the pause after the acquisition."},
     HexBody},
    {"#!/bin/sh\n",
     kHashComment,
     "QV3380 programming sequence for i2c-tools",
     {"Usage: sh THIS-FILE BUS, where BUS is the I2C bus number of the QV3380",
      "(i2cdetect -l lists them). Writes what the tool sends for a whole setup."},
     I2cBody},
}};

std::vector<std::string> PlanLines(const SetupContents& setup) {
  const PlanEvaluation plan =
      EvaluatePlan(PlanInputsFromRegisters(setup.registers, BoardOf(setup)));
  std::vector<std::string> lines{"Plan, with " + MapTitle(plan.mapInUse) + " in use:"};
  for (int k = 0; k < OUTPUT_COUNT; ++k) {
    std::string line = "  " + std::string(kOutputs[k].name) + ": ";
    if (!plan.InUse().active.output[k]) {
      lines.push_back(line + "powered down");
      continue;
    }
    for (int m = 0; m < MAP_COUNT; ++m) {
      AppendFormat(line, "%.5f MHz in map %d, ", plan.maps[m].out[k] / 1e6, m);
    }
    lines.push_back(line + std::string(kFamilyNames[plan.InUse().family[k]]));
  }
  return lines;
}

// A file name may hold anything: no line end or comment end of its own.
std::string CommentSafe(std::string line) {
  for (char& c : line) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  for (std::size_t at = line.find("*/"); at != std::string::npos; at = line.find("*/", at)) {
    line.insert(at + 1, " ");
  }
  return line;
}

void AppendHeader(std::string& out, const Renderer& renderer, const SetupContents& setup,
                  const ExportProvenance& provenance) {
  std::vector<std::string> lines{
      std::string(renderer.title),
      "Written by " + provenance.tool + " on " + provenance.date,
      "Source: " + provenance.source,
      FormatText("Device address: 0x%02X (8-bit), 0x%02X (7-bit)", QV3380_I2C_ADDRESS,
                 kSevenBitAddress),
  };
  for (std::string& line : PlanLines(setup)) lines.push_back(std::move(line));
  for (std::string_view note : renderer.notes) {
    if (!note.empty()) lines.emplace_back(note);
  }
  out += renderer.preamble;
  out += renderer.comment.open;
  for (const std::string& line : lines) {
    out += renderer.comment.line;
    if (!line.empty()) out += " " + CommentSafe(line);
    out += "\n";
  }
  out += renderer.comment.close;
  out += "\n";
}

}  // namespace

std::span<const ExportFormatFacts> ExportFormats() { return kFormats; }

const ExportFormatFacts& FormatFacts(ExportFormat format) {
  return kFormats[static_cast<int>(format)];
}

ExportProvenance ProvenanceNow(std::string source) {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  std::array<char, 32> date{};
  std::strftime(date.data(), date.size(), "%Y-%m-%d %H:%M:%S UTC", &utc);
  return {"qv3380 " + std::string(kToolVersion), std::move(source), date.data()};
}

std::string RenderRegisterExport(ExportFormat format, const SetupContents& setup,
                                 const ExportProvenance& provenance) {
  const Renderer& renderer = kRenderers[static_cast<int>(format)];
  std::string out;
  AppendHeader(out, renderer, setup, provenance);
  renderer.body(out, setup);
  return out;
}

}  // namespace qv
