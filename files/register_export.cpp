#include "files/register_export.h"

#include <zlib.h>

#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <limits>

#include "base/text_format.h"
#include "base/version.h"
#include "chip/i2c_interface.h"
#include "plan/plan_evaluation.h"
#include "plan/whole_set_sequence.h"

namespace qv {
namespace {

using Step = SequenceStep;

// clang-format off
constexpr std::array<ExportFormatFacts, 7> kFormats{{
    {ExportFormat::C, "c", "a C header: the write sequence as register/value pairs",
     "qv3380_registers.h", "C Header (*.h)"},
    {ExportFormat::Csv, "csv", "a CSV table: one row per register", "qv3380_registers.csv",
     "CSV Table (*.csv)"},
    {ExportFormat::Hex, "hex", "hex pairs: address and value per line, in write order",
     "qv3380_registers.hex", "Hex Pairs (*.hex)"},
    {ExportFormat::I2c, "i2c", "a shell script of i2cset commands for a Linux host",
     "qv3380_registers.sh", "Shell Script (*.sh)"},
    {ExportFormat::Dts, "dts", "a device-tree overlay: a fixed clock per powered output",
     "qv3380_clocks.dtso", "Device-Tree Overlay (*.dtso)"},
    {ExportFormat::Uboot, "uboot", "a U-Boot script of i2c mw commands",
     "qv3380_registers.cmd", "U-Boot Script (*.cmd)"},
    {ExportFormat::LinuxFirmware, "linux-firmware",
     "a firmware file of address/value records for a Linux driver", "qv3380.bin",
     "Firmware File (*.bin)"},
}};
// clang-format on

constexpr int kSevenBitAddress = QV3380_I2C_ADDRESS >> 1;
static_assert(RegisterIndexOfAddress(SEQUENCE_DELAY_MARKER) < 0);
constexpr int kPauseMs = ACQUIRE_SETTLE_MS;
static_assert(kPauseMs <= 0xFF, "the pause must fit a record's value byte");

// Everything a format is written from.
struct Context {
  const SetupContents& setup;
  const ExportProvenance& provenance;
  const ExportOptions& options;
  PlanEvaluation plan;
  std::vector<std::string> failures;
  std::vector<Step> steps;
};

// A shell's sleep and U-Boot's take whole seconds everywhere: at least the pause.
int WholeSeconds(const Step& step) { return static_cast<int>(std::ceil(step.seconds)); }

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

std::string WholeSecondsNote() {
  return FormatText("wait at least %d ms for the acquisition (sleep takes whole seconds)",
                    kPauseMs);
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

struct CommentStyle {
  std::string_view open;
  std::string_view line;  // before each line
  std::string_view close;
};

constexpr CommentStyle kBlockComment{"/*\n", " *", " */\n"};
constexpr CommentStyle kHashComment{"", "#", ""};
// xxd -r -p reads every hex digit it meets until three that are not follow one
// it took: the 0 and the three hashes make it pass over the rest of the line.
constexpr CommentStyle kHexComment{"", "#0###", ""};

void AppendComment(std::string& out, const CommentStyle& style,
                   const std::vector<std::string>& lines) {
  out += style.open;
  for (const std::string& line : lines) {
    out += style.line;
    if (!line.empty()) out += " " + CommentSafe(line);
    out += "\n";
  }
  out += style.close;
}

std::string InBothMaps(const PlanEvaluation& plan, const auto& value, double unitHz,
                       const char* unit) {
  std::string text;
  for (int m = 0; m < MAP_COUNT; ++m) {
    if (m > 0) text += ", ";
    text += FrequencyText(value(plan.maps[m]), unitHz, 5, unit) + FormatText(" in map %d", m);
  }
  return text;
}

std::vector<std::string> PlanLines(const PlanEvaluation& plan) {
  const MapEvaluation& used = plan.InUse();
  std::vector<std::string> lines{"Plan, with " + MapTitle(plan.mapInUse) + " in use:",
                                 "  PFD: " + FrequencyText(plan.pfdHz, 1e6, 5, "MHz")};
  for (int pll = 0; pll < PLL_COUNT; ++pll) {
    std::string line = FormatText("  VCO%d: ", pll + 1);
    if (!used.active.pll[pll]) {
      lines.push_back(line + "powered down");
      continue;
    }
    lines.push_back(
        line + InBothMaps(
                   plan, [pll](const MapEvaluation& map) { return map.vco[pll]; }, 1e9, "GHz"));
  }
  for (int k = 0; k < OUTPUT_COUNT; ++k) {
    std::string line = "  " + std::string(kOutputs[k].name) + ": ";
    if (!used.active.output[k]) {
      lines.push_back(line + "powered down");
      continue;
    }
    lines.push_back(line +
                    InBothMaps(
                        plan, [k](const MapEvaluation& map) { return map.out[k]; }, 1e6, "MHz") +
                    ", " + std::string(kFamilyNames[used.family[k]]));
  }
  return lines;
}

std::vector<std::string> FailureLines(const std::vector<std::string>& failures) {
  if (failures.empty()) return {};
  std::vector<std::string> lines{FormatText(
      "WARNING: exported all the same, although the plan fails %zu check%s:", failures.size(),
      failures.size() == 1 ? "" : "s")};
  for (const std::string& failure : failures) lines.push_back("  " + failure);
  return lines;
}

// The provenance, the plan and the failures, then what only this format says.
std::vector<std::string> HeaderLines(const Context& context, std::string_view title,
                                     std::initializer_list<std::string_view> notes) {
  std::vector<std::string> lines = ProvenanceLines(title, context.provenance);
  for (std::string& line : PlanLines(context.plan)) lines.push_back(std::move(line));
  for (std::string& line : FailureLines(context.failures)) lines.push_back(std::move(line));
  for (std::string_view note : notes) lines.emplace_back(note);
  return lines;
}

std::string RenderC(const Context& context) {
  std::string out;
  AppendComment(out, kBlockComment,
                HeaderLines(context, "QV3380 programming sequence",
                            {"The 32 registers, the look-ahead enable, one acquisition and its "
                             "pause, then DR1 again:",
                             "what the tool sends for a whole setup. A QV3380_DELAY entry is a "
                             "pause, not a write."}));
  out += "\n#ifndef QV3380_REGISTERS_H\n#define QV3380_REGISTERS_H\n\n#include <stdint.h>\n\n";
  AppendFormat(out, "#define QV3380_I2C_ADDRESS 0x%02X      /* 8-bit form */\n",
               QV3380_I2C_ADDRESS);
  AppendFormat(out, "#define QV3380_I2C_ADDRESS_7BIT 0x%02X /* 7-bit form */\n", kSevenBitAddress);
  out += "/* Not a register address: an entry with it waits `value` milliseconds. */\n";
  AppendFormat(out, "#define QV3380_DELAY 0x%02X\n", SEQUENCE_DELAY_MARKER);
  AppendFormat(out, "#define QV3380_SEQUENCE_LENGTH %zu\n\n", context.steps.size());
  out +=
      "static const struct { uint8_t reg, value; } qv3380_sequence[QV3380_SEQUENCE_LENGTH] = {\n";
  for (const Step& step : context.steps) {
    if (step.kind == Step::Kind::Pause) {
      AppendFormat(out, "    {QV3380_DELAY, %d}, /* %s */\n", kPauseMs, StepNote(step).c_str());
    } else {
      AppendFormat(out, "    {0x%02X, 0x%02X}, /* %s */\n", step.address, step.value,
                   StepNote(step).c_str());
    }
  }
  out += "};\n\n#endif /* QV3380_REGISTERS_H */\n";
  return out;
}

std::string BinaryDigits(int value) {
  std::string digits;
  for (int bit = 7; bit >= 0; --bit) digits += ((value >> bit) & 1) != 0 ? '1' : '0';
  return digits;
}

// RFC 4180: quoted when it holds a separator, a quote or a line end; or always.
std::string CsvField(std::string_view text, bool quote = false) {
  quote = quote || text.find_first_of(",\"\r\n") != std::string_view::npos;
  if (!quote) return std::string(text);
  std::string field = "\"";
  for (char c : text) {
    if (c == '"') field += '"';
    field += c;
  }
  return field + "\"";
}

std::string RenderCsv(const Context& context) {
  constexpr std::string_view kLineEnd = "\r\n";
  // A forced export never loses what it fails.
  const bool provenance = context.options.provenanceColumns || !context.failures.empty();
  std::string out = "index,address,name,value_hex,value_bin,default";
  std::string columns;
  if (provenance) {
    out += ",written_by,written_on,source,failed_checks";
    std::string failures;
    for (const std::string& failure : context.failures) {
      if (!failures.empty()) failures += "; ";
      failures += failure;
    }
    columns = "," + CsvField(context.provenance.tool) + "," + CsvField(context.provenance.date) +
              "," + CsvField(context.provenance.source) + "," + CsvField(failures);
  }
  out += kLineEnd;
  for (int index = 0; index < REGISTER_COUNT; ++index) {
    const RegisterFacts& facts = kRegisters[index];
    const int value = context.setup.registers[index] & 0xFF;
    // Quoted, so a spreadsheet keeps the leading zeros.
    AppendFormat(out, "%d,0x%02X,%s,0x%02X,%s,%s", index, facts.address,
                 std::string(facts.name).c_str(), value,
                 CsvField(BinaryDigits(value), true).c_str(),
                 value == static_cast<int>(facts.defaultValue) ? "yes" : "no");
    out += columns;
    out += kLineEnd;
  }
  return out;
}

std::string RenderHex(const Context& context) {
  std::string out;
  AppendComment(out, kHexComment,
                HeaderLines(context, "QV3380 programming sequence",
                            {"One register address and value per line, in the order the tool "
                             "writes them. Lines that",
                             "begin with #0### are notes, the pause after the acquisition among "
                             "them: xxd -r -p passes",
                             "over them and makes the file the bytes address, value, address, "
                             "value, ... without the pause."}));
  out += "\n";
  for (const Step& step : context.steps) {
    if (step.kind == Step::Kind::Pause) {
      AppendComment(out, kHexComment, {StepNote(step)});
    } else {
      AppendFormat(out, "%02X %02X\n", step.address, step.value);
    }
  }
  return out;
}

// A shell's or U-Boot's writes: COMMAND CHIP REGISTER VALUE, and the pause in whole seconds.
void AppendScriptSteps(std::string& out, const Context& context, const char* command) {
  for (const Step& step : context.steps) {
    if (step.kind == Step::Kind::Pause) {
      AppendComment(out, kHashComment, {WholeSecondsNote()});
      AppendFormat(out, "sleep %d\n", WholeSeconds(step));
    } else {
      AppendFormat(out, "%s 0x%02X 0x%02X 0x%02X\n", command, kSevenBitAddress, step.address,
                   step.value);
    }
  }
}

std::string RenderI2c(const Context& context) {
  std::string out = "#!/bin/sh\n";
  AppendComment(out, kHashComment,
                HeaderLines(context, "QV3380 programming sequence for i2c-tools",
                            {"Usage: sh THIS-FILE BUS, where BUS is the I2C bus number of the "
                             "QV3380",
                             "(i2cdetect -l lists them). Writes what the tool sends for a whole "
                             "setup."}));
  out += "\nset -e\n";
  out += "BUS=${1:?\"usage: sh $0 I2C-BUS-NUMBER\"}\n";
  AppendScriptSteps(out, context, "i2cset -y \"$BUS\"");
  return out;
}

std::string RenderUboot(const Context& context) {
  std::string out;
  AppendComment(out, kHashComment,
                HeaderLines(context, "QV3380 programming sequence for U-Boot",
                            {"Make it a script image, load it and run it at the U-Boot prompt:",
                             "  mkimage -T script -C none -d qv3380_registers.cmd "
                             "qv3380_registers.scr",
                             "  => source ${loadaddr}    (after loading the .scr there)",
                             "Writes what the tool sends for a whole setup."}));
  AppendFormat(out, "\ni2c dev %d\n", context.options.ubootBus);
  AppendScriptSteps(out, context, "i2c mw");
  return out;
}

std::string OutputLabel(int output) {
  std::string name(kOutputs[output].name);
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return "qv3380_" + name;
}

void AppendClockNode(std::string& out, const Context& context, int output) {
  const double hz = context.plan.InUse().out[output];
  const std::string label = OutputLabel(output);
  std::string node = label;
  for (char& c : node) c = c == '_' ? '-' : c;
  const std::string name(kOutputs[output].name);
  if (!std::isfinite(hz) || hz < 0.0 ||
      std::llround(hz) > std::numeric_limits<std::uint32_t>::max()) {
    AppendFormat(out, "\t/* %s: no node; its frequency is %s */\n", name.c_str(),
                 std::isfinite(hz) ? "above what clock-frequency holds" : FREQUENCY_NOT_DEFINED);
    return;
  }
  AppendFormat(out, "\t%s: clock-%s {\n", label.c_str(), node.c_str());
  out += "\t\tcompatible = \"fixed-clock\";\n";
  out += "\t\t#clock-cells = <0>;\n";
  AppendFormat(out, "\t\tclock-frequency = <%lld>; /* %s */\n", std::llround(hz),
               FrequencyText(hz, 1e6, 6, "MHz").c_str());
  AppendFormat(out, "\t\tclock-output-names = \"%s\";\n", node.c_str());
  out += "\t};\n";
}

std::string RenderDts(const Context& context) {
  const std::string& bus = context.options.i2cBusLabel;
  std::string out;
  AppendComment(
      out, kBlockComment,
      HeaderLines(context, "QV3380 output clocks as a device-tree overlay",
                  {"One fixed clock per powered output, at its frequency in the map in use;",
                   "a consumer takes one with clocks = <&qv3380_out0>. Compile it with",
                   "  dtc -@ -I dts -O dtb -o qv3380_clocks.dtbo qv3380_clocks.dtso"}));
  out += "\n/dts-v1/;\n/plugin/;\n\n&{/} {\n";
  bool first = true;
  for (int k = 0; k < OUTPUT_COUNT; ++k) {
    if (!context.plan.InUse().active.output[k]) continue;
    if (!first) out += "\n";
    first = false;
    AppendClockNode(out, context, k);
  }
  out += "};\n";
  if (bus.empty()) return out;
  AppendFormat(out, "\n&%s {\n", bus.c_str());
  out += "\t#address-cells = <1>;\n\t#size-cells = <0>;\n\n";
  AppendFormat(out, "\tqv3380: clock-generator@%x {\n", kSevenBitAddress);
  AppendFormat(out, "\t\treg = <0x%02x>;\n", kSevenBitAddress);
  out +=
      "\t\t/*\n"
      "\t\t * A board-support property of this tool, not an upstream binding:\n"
      "\t\t * what the tool sends for a whole setup, as (register, value) byte\n";
  AppendFormat(out,
               "\t\t * pairs in write order; a pair with register 0x%02X waits value\n"
               "\t\t * milliseconds.\n"
               "\t\t */\n",
               SEQUENCE_DELAY_MARKER);
  out += "\t\tqv3380,register-init = /bits/ 8 <\n";
  for (const Step& step : context.steps) {
    const bool pause = step.kind == Step::Kind::Pause;
    AppendFormat(out, "\t\t\t0x%02X 0x%02X /* %s */\n",
                 pause ? SEQUENCE_DELAY_MARKER : static_cast<int>(step.address),
                 pause ? kPauseMs : step.value, StepNote(step).c_str());
  }
  out += "\t\t>;\n\t};\n};\n";
  return out;
}

void AppendLittleEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string RenderFirmware(const Context& context) {
  std::string records;
  for (const Step& step : context.steps) {
    const bool pause = step.kind == Step::Kind::Pause;
    records += static_cast<char>(pause ? SEQUENCE_DELAY_MARKER : static_cast<int>(step.address));
    records += static_cast<char>(pause ? kPauseMs : step.value);
  }
  std::string out(FIRMWARE_MAGIC);
  AppendLittleEndian(out, FIRMWARE_VERSION, 2);
  AppendLittleEndian(out, static_cast<std::uint32_t>(context.steps.size()), 2);
  AppendLittleEndian(out, FirmwareRecordsCrc(records), 4);
  AppendLittleEndian(out, context.failures.empty() ? 0 : FIRMWARE_FLAG_CHECKS_FAIL, 4);
  return out + records;
}

using Renderer = std::string (*)(const Context&);
// In the order of ExportFormat.
constexpr std::array<Renderer, 7> kRenderers{RenderC,   RenderCsv,   RenderHex,     RenderI2c,
                                             RenderDts, RenderUboot, RenderFirmware};
static_assert(kRenderers.size() == kFormats.size());

bool IsLabel(std::string_view text) {
  const auto letter = [](char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
  };
  if (text.empty() || !letter(text.front())) return false;
  for (char c : text) {
    if (!letter(c) && !std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

}  // namespace

std::span<const ExportFormatFacts> ExportFormats() { return kFormats; }

const ExportFormatFacts& FormatFacts(ExportFormat format) {
  return kFormats[static_cast<int>(format)];
}

std::string ExportOptionsProblem(ExportFormat format, const ExportOptions& options) {
  if (format == ExportFormat::Dts && !options.i2cBusLabel.empty() &&
      !IsLabel(options.i2cBusLabel)) {
    return "\"" + options.i2cBusLabel +
           "\" is not a device-tree label: letters, digits and _, not starting with a digit "
           "(such as i2c1)";
  }
  if (format == ExportFormat::Uboot && (options.ubootBus < 0 || options.ubootBus > UBOOT_BUS_MAX)) {
    return FormatText("I2C bus %d is not a bus number from 0 to %d", options.ubootBus,
                      UBOOT_BUS_MAX);
  }
  return "";
}

ExportProvenance ProvenanceNow(std::string source) {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  std::array<char, 32> date{};
  std::strftime(date.data(), date.size(), "%Y-%m-%d %H:%M:%S UTC", &utc);
  return {"qv3380 " + std::string(kToolVersion), std::move(source), date.data()};
}

std::vector<std::string> FailedChecks(const SetupContents& setup) {
  return FailedCheckLines(EvaluatePlan(PlanInputsFromRegisters(setup.registers, BoardOf(setup))));
}

std::vector<std::string> ProvenanceLines(std::string_view title, const ExportProvenance& made) {
  return {std::string(title), "Written by " + made.tool + " on " + made.date,
          "Source: " + made.source,
          FormatText("Device address: 0x%02X (8-bit), 0x%02X (7-bit)", QV3380_I2C_ADDRESS,
                     kSevenBitAddress)};
}

std::uint32_t FirmwareRecordsCrc(std::string_view records) {
  const auto* bytes = reinterpret_cast<const Bytef*>(records.data());
  return static_cast<std::uint32_t>(
      crc32(crc32(0L, Z_NULL, 0), bytes, static_cast<uInt>(records.size())));
}

std::string FailedChecksText(const std::vector<std::string>& failures) {
  std::string text =
      FormatText("The plan fails %zu check%s:", failures.size(), failures.size() == 1 ? "" : "s");
  for (const std::string& failure : failures) text += "\n  " + failure;
  return text;
}

std::string RenderRegisterExport(ExportFormat format, const SetupContents& setup,
                                 const ExportProvenance& provenance, const ExportOptions& options) {
  const PlanInputs inputs = PlanInputsFromRegisters(setup.registers, BoardOf(setup));
  Context context{setup, provenance, options, EvaluatePlan(inputs), {}, {}};
  context.failures = FailedCheckLines(context.plan);
  context.steps = WholeSetSequence(setup.registers);
  return kRenderers[static_cast<int>(format)](context);
}

}  // namespace qv
