#include "files/register_import.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <span>

#include "base/text_format.h"
#include "chip/i2c_interface.h"
#include "files/register_export.h"
#include "files/setup_text.h"

namespace qv {
namespace {

constexpr unsigned kSevenBitAddress = QV3380_I2C_ADDRESS >> 1;

// One write of the input, or one cell of a dump, with where it stands.
struct Write {
  long address;  // may be no chip address at all
  long value;    // may not fit a register: said, not placed
  int line;
};

// What a reader made of the input.
struct Parsed {
  explicit Parsed(DumpFormat kind) : format(kind) {}
  DumpFormat format;
  std::vector<Write> writes;
  // A dump holds each address once, as the chip held it: nothing to recognise.
  bool snapshot = false;
  std::vector<unsigned> unreadable;  // dump cells that could not be read (XX)
  std::vector<std::string> notes;
  int pauses = 0;
  const char* where = "line";  // how a write's position is named
};

// A reader: nothing when the input is not of its kind; or a refusal.
struct Reading {
  std::optional<Parsed> parsed;
  std::string refusal;
};
using Reader = std::function<std::optional<Reading>(std::string_view)>;

// ---- Text helpers ----

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::vector<std::string_view> Tokens(std::string_view text, std::string_view separators) {
  std::vector<std::string_view> tokens;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t begin = text.find_first_not_of(separators, at);
    if (begin == std::string_view::npos) break;
    const std::size_t end = text.find_first_of(separators, begin);
    tokens.push_back(text.substr(begin, end - begin));
    at = end == std::string_view::npos ? text.size() : end;
  }
  return tokens;
}

std::optional<long> Digits(std::string_view text, int base) {
  if (text.empty() || text.size() > 12) return std::nullopt;
  long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
  return value;
}

// 0x1F, 0b101, 017 (octal, as C and strtol read it), 31; C's suffixes u and l.
std::optional<long> CNumber(std::string_view text) {
  while (!text.empty() && std::strchr("uUlL", text.back()) != nullptr) text.remove_suffix(1);
  const std::string lower = Lower(text);
  if (lower.starts_with("0x")) return Digits(std::string_view(lower).substr(2), 16);
  if (lower.starts_with("0b")) return Digits(std::string_view(lower).substr(2), 2);
  if (lower.size() > 1 && lower.front() == '0') return Digits(lower, 8);
  return Digits(lower, 10);
}

long NumberOr(std::optional<long> number) { return number.value_or(-1); }

// U-Boot reads numbers as hexadecimal, with or without 0x.
std::optional<long> HexNumber(std::string_view text) {
  const std::string lower = Lower(text);
  return Digits(lower.starts_with("0x") ? std::string_view(lower).substr(2) : lower, 16);
}

// The text with comments blanked out, line ends kept, so positions keep their lines.
std::string WithoutCComments(std::string_view text) {
  std::string out(text);
  for (std::size_t i = 0; i + 1 < out.size(); ++i) {
    if (out[i] == '/' && out[i + 1] == '*') {
      const std::size_t end = out.find("*/", i + 2);
      const std::size_t stop = end == std::string::npos ? out.size() : end + 2;
      for (std::size_t j = i; j < stop; ++j) {
        if (out[j] != '\n') out[j] = ' ';
      }
      i = stop - 1;
    } else if (out[i] == '/' && out[i + 1] == '/') {
      for (; i < out.size() && out[i] != '\n'; ++i) out[i] = ' ';
    }
  }
  return out;
}

int LineAt(std::string_view text, std::size_t offset) {
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + offset, '\n'));
}

// A script's line without its comment and cut at its command separators.
std::vector<std::string_view> ShellCommands(std::string_view line) {
  if (const std::size_t hash = line.find('#'); hash != std::string_view::npos) {
    line = line.substr(0, hash);
  }
  std::vector<std::string_view> commands;
  for (std::string_view piece : Tokens(line, ";&|")) commands.push_back(TrimBlanks(piece));
  return commands;
}

// Each command of a script, split into its words, with its line.
void ForEachCommand(
    std::string_view text,
    const std::function<void(int, std::string_view, const std::vector<std::string_view>&)>& take) {
  const std::vector<std::string_view> lines = Lines(text);
  for (std::size_t n = 0; n < lines.size(); ++n) {
    for (std::string_view command : ShellCommands(lines[n])) {
      const std::vector<std::string_view> args = Tokens(command, " \t");
      if (!args.empty()) take(static_cast<int>(n + 1), command, args);
    }
  }
}

Reading Refused(std::string refusal) { return Reading{std::nullopt, std::move(refusal)}; }

// ---- The firmware blob and the U-Boot script image ----

std::uint32_t LittleEndian(std::string_view bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  }
  return value;
}

std::uint32_t BigEndian(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

std::optional<Reading> ReadFirmware(std::string_view bytes) {
  if (!bytes.starts_with(FIRMWARE_MAGIC)) return std::nullopt;
  if (bytes.size() < FIRMWARE_HEADER_BYTES) {
    return Refused("The firmware file ends inside its header.");
  }
  const std::uint32_t version = LittleEndian(bytes, 4, 2);
  const std::uint32_t count = LittleEndian(bytes, 6, 2);
  const std::uint32_t crc = LittleEndian(bytes, 8, 4);
  if (version != FIRMWARE_VERSION) {
    return Refused(FormatText("The firmware file is of version %u; this tool reads version %d.",
                              version, FIRMWARE_VERSION));
  }
  const std::string_view records = bytes.substr(FIRMWARE_HEADER_BYTES);
  if (records.size() != 2 * static_cast<std::size_t>(count)) {
    return Refused(FormatText("The firmware file's header counts %u records, but %zu bytes follow.",
                              count, records.size()));
  }
  if (const std::uint32_t actual = FirmwareRecordsCrc(records); actual != crc) {
    return Refused(
        FormatText("The firmware file is damaged: its records' CRC-32 is 0x%08X, "
                   "the header says 0x%08X.",
                   actual, crc));
  }
  Parsed parsed(DumpFormat::LinuxFirmware);
  parsed.where = "record";
  for (std::uint32_t i = 0; i < count; ++i) {
    const auto reg = static_cast<unsigned char>(records[2 * i]);
    const auto value = static_cast<unsigned char>(records[2 * i + 1]);
    if (reg == SEQUENCE_DELAY_MARKER) {
      ++parsed.pauses;
    } else {
      parsed.writes.push_back({reg, value, static_cast<int>(i + 1)});
    }
  }
  return Reading{std::move(parsed), ""};
}

constexpr std::uint32_t kUbootImageMagic = 0x27051956;
constexpr std::size_t kUbootHeaderBytes = 64;
constexpr unsigned char kUbootTypeScript = 6;
constexpr unsigned char kUbootCompressionNone = 0;

// The script inside a legacy U-Boot image (mkimage -T script -C none).
std::optional<std::string_view> UbootImageScript(std::string_view bytes, std::string& refusal) {
  if (bytes.size() < 4 || BigEndian(bytes, 0) != kUbootImageMagic) return std::nullopt;
  if (bytes.size() < kUbootHeaderBytes + 8) {
    refusal = "The U-Boot image ends inside its header.";
    return std::string_view();
  }
  if (static_cast<unsigned char>(bytes[30]) != kUbootTypeScript ||
      static_cast<unsigned char>(bytes[31]) != kUbootCompressionNone) {
    refusal = "The U-Boot image is not an uncompressed script (mkimage -T script -C none).";
    return std::string_view();
  }
  // The data: the length of each image in it, ended by 0, then the images; the script is the first.
  const std::uint32_t length = BigEndian(bytes, kUbootHeaderBytes);
  std::size_t at = kUbootHeaderBytes;
  while (at + 4 <= bytes.size() && BigEndian(bytes, at) != 0) at += 4;
  at += 4;
  if (at + length > bytes.size()) {
    refusal = "The U-Boot image ends inside its script.";
    return std::string_view();
  }
  return bytes.substr(at, length);
}

// ---- i2cdump ----

std::optional<Reading> ReadI2cdump(std::string_view text) {
  const std::vector<std::string_view> lines = Lines(text);
  std::optional<bool> words;
  Parsed parsed(DumpFormat::I2cdumpBytes);
  parsed.snapshot = true;
  for (std::size_t n = 0; n < lines.size(); ++n) {
    const std::string_view line = lines[n];
    const std::vector<std::string_view> tokens = Tokens(line, " \t");
    if (!words && !tokens.empty() && tokens.front() == "0") {
      if (tokens.size() >= 16 && tokens[1] == "1" && tokens[15] == "f") words = false;
      continue;
    }
    if (!words && !tokens.empty() && tokens.front() == "0,8") {
      words = true;
      parsed.format = DumpFormat::I2cdumpWords;
      continue;
    }
    if (!words || line.size() < 4 || line[2] != ':') continue;
    const std::optional<long> row = HexNumber(line.substr(0, 2));
    if (!row) continue;
    const int cells = *words ? 8 : 16;
    const std::size_t width = *words ? 5 : 3;
    for (int j = 0; j < cells; ++j) {
      const std::size_t at = 4 + j * width;
      if (at >= line.size()) break;
      const std::string_view cell = TrimBlanks(line.substr(at, width - 1));
      if (cell.empty()) continue;  // outside the range dumped
      const auto address = static_cast<unsigned>(*row + j);
      const std::optional<long> value = HexNumber(cell);
      if (!value || cell.size() != width - 1) {
        parsed.unreadable.push_back(address);
        continue;
      }
      // A word read at an address starts with that address's byte (SMBus: low byte first).
      parsed.writes.push_back({address, *value & 0xFF, static_cast<int>(n + 1)});
    }
  }
  if (!words) return std::nullopt;
  return Reading{std::move(parsed), ""};
}

// ---- Device tree ----

std::optional<Reading> ReadDeviceTree(std::string_view text) {
  const std::string plain = WithoutCComments(text);
  const std::size_t property = plain.find("qv3380,register-init");
  if (property == std::string::npos) {
    if (plain.find("/dts-v1/") == std::string::npos) return std::nullopt;
    return Refused(
        "The device tree holds no qv3380,register-init: it describes the clocks alone. "
        "Export it with an I2C bus label to carry the registers.");
  }
  const std::size_t equals = plain.find('=', property);
  const std::size_t open = plain.find_first_of("<[", equals);
  if (equals == std::string::npos || open == std::string::npos) {
    return Refused("The device tree's qv3380,register-init has no value.");
  }
  const bool bytestring = plain[open] == '[';
  const std::size_t close = plain.find(bytestring ? ']' : '>', open);
  if (close == std::string::npos)
    return Refused("The device tree's qv3380,register-init ends early.");
  Parsed parsed(DumpFormat::DeviceTree);
  std::vector<std::pair<long, int>> bytes;
  std::size_t at = open + 1;
  while (at < close) {
    while (at < close && std::isspace(static_cast<unsigned char>(plain[at]))) ++at;
    std::size_t end = at;
    while (end < close && !std::isspace(static_cast<unsigned char>(plain[end]))) ++end;
    if (end == at) break;
    const std::string_view token(plain.data() + at, end - at);
    const std::optional<long> value = bytestring ? HexNumber(token) : CNumber(token);
    if (!value || *value > 0xFF) {
      return Refused(FormatText("Line %d: \"%.*s\" is not a byte of qv3380,register-init.",
                                LineAt(plain, at), static_cast<int>(token.size()), token.data()));
    }
    bytes.emplace_back(*value, LineAt(plain, at));
    at = end;
  }
  if (bytes.size() % 2 != 0) {
    parsed.notes.push_back("qv3380,register-init ends with a register without its value");
  }
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    if (bytes[i].first == SEQUENCE_DELAY_MARKER) {
      ++parsed.pauses;
    } else {
      parsed.writes.push_back(
          {static_cast<unsigned>(bytes[i].first), bytes[i + 1].first, bytes[i].second});
    }
  }
  return Reading{std::move(parsed), ""};
}

// ---- Scripts ----

void NoteChip(Parsed& parsed, int line, long chip) {
  parsed.notes.push_back(FormatText("line %d: a write to chip 0x%02lX, not the QV3380 at 0x%02X",
                                    line, chip, kSevenBitAddress));
}

std::optional<Reading> ReadUbootScript(std::string_view text) {
  Parsed parsed(DumpFormat::UbootScript);
  bool any = false;
  ForEachCommand(text, [&](int line, std::string_view command,
                           const std::vector<std::string_view>& args) {
    if (args[0] == "sleep") ++parsed.pauses;
    if (args[0] != "i2c" || args.size() < 2 || args[1] == "dev") return;
    any = true;
    if (args[1] != "mw") {
      parsed.notes.push_back(FormatText("line %d: i2c %.*s writes no register this import takes",
                                        line, static_cast<int>(args[1].size()), args[1].data()));
      return;
    }
    // i2c mw CHIP ADDRESS[.LENGTH] VALUE [COUNT]
    const long chip = args.size() > 2 ? NumberOr(HexNumber(args[2])) : -1;
    const long address =
        args.size() > 3 ? NumberOr(HexNumber(args[3].substr(0, args[3].find('.')))) : -1;
    const long value = args.size() > 4 ? NumberOr(HexNumber(args[4])) : -1;
    const long count = args.size() > 5 ? NumberOr(HexNumber(args[5])) : 1;
    if (chip < 0 || address < 0 || value < 0 || count < 0 || count > 0x100) {
      parsed.notes.push_back(
          FormatText("line %d: \"%.*s\" is not i2c mw CHIP ADDRESS VALUE [COUNT]", line,
                     static_cast<int>(command.size()), command.data()));
    } else if (static_cast<unsigned>(chip) != kSevenBitAddress) {
      NoteChip(parsed, line, chip);
    } else {
      for (long i = 0; i < count; ++i) {
        parsed.writes.push_back({address + i, value, line});
      }
    }
  });
  if (!any) return std::nullopt;
  return Reading{std::move(parsed), ""};
}

std::optional<Reading> ReadI2cScript(std::string_view text) {
  Parsed parsed(DumpFormat::I2cScript);
  bool any = false;
  ForEachCommand(text, [&](int line, std::string_view command,
                           const std::vector<std::string_view>& args) {
    const std::string_view program = args[0].substr(args[0].rfind('/') + 1);
    if (program == "sleep") ++parsed.pauses;
    if (program != "i2cset") return;
    any = true;
    // i2cset [-f] [-y] [-m MASK] [-r] [-a] BUS CHIP ADDRESS [VALUE] [MODE]
    std::vector<std::string_view> operands;
    bool masked = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
      if (args[i] == "-m") {
        masked = true;
        ++i;
      } else if (!args[i].starts_with('-')) {
        operands.push_back(args[i]);
      }
    }
    const std::string_view mode = operands.size() > 4 ? operands.back() : "b";
    const long chip = operands.size() > 1 ? NumberOr(CNumber(operands[1])) : -1;
    const long address = operands.size() > 2 ? NumberOr(CNumber(operands[2])) : -1;
    const long value = operands.size() > 3 ? NumberOr(CNumber(operands[3])) : -1;
    if (chip < 0 || address < 0 || value < 0 || operands.size() > 5) {
      parsed.notes.push_back(FormatText("line %d: \"%.*s\" is not i2cset BUS CHIP ADDRESS VALUE",
                                        line, static_cast<int>(command.size()), command.data()));
    } else if (static_cast<unsigned>(chip) != kSevenBitAddress) {
      NoteChip(parsed, line, chip);
    } else if (masked || (mode != "b" && mode != "c")) {
      parsed.notes.push_back(
          FormatText("line %d: only byte writes without a mask are taken, not \"%.*s\"", line,
                     static_cast<int>(command.size()), command.data()));
    } else {
      parsed.writes.push_back({address, value, line});
    }
  });
  if (!any) return std::nullopt;
  return Reading{std::move(parsed), ""};
}

// ---- C arrays ----

std::optional<Reading> ReadCArray(std::string_view text) {
  const std::string plain = WithoutCComments(text);
  Parsed parsed(DumpFormat::CArray);
  bool pairs = false;
  for (std::size_t close = plain.find('}'); close != std::string::npos;
       close = plain.find('}', close + 1)) {
    const std::size_t open = plain.rfind('{', close);
    if (open == std::string::npos) continue;
    const std::string_view body(plain.data() + open + 1, close - open - 1);
    // A struct's or a function's body, or a brace that holds braces: no pair.
    if (body.find_first_of(";{}#") != std::string_view::npos) continue;
    std::vector<std::string_view> items;
    for (std::string_view item : Tokens(body, ",")) {
      item = TrimBlanks(item);
      // A designated member: .reg = 0x11
      if (item.starts_with('.')) {
        if (const std::size_t equals = item.find('='); equals != std::string_view::npos) {
          item = TrimBlanks(item.substr(equals + 1));
        }
      }
      if (!item.empty()) items.push_back(item);
    }
    const int line = LineAt(plain, open);
    if (items.size() != 2) {
      if (!items.empty()) {
        parsed.notes.push_back(FormatText(
            "line %d: a list of %zu values, not a {register, value} pair", line, items.size()));
      }
      continue;
    }
    const std::optional<long> reg =
        items[0] == "QV3380_DELAY" ? std::optional<long>(SEQUENCE_DELAY_MARKER) : CNumber(items[0]);
    const std::optional<long> value = CNumber(items[1]);
    if (!reg || !value) {
      parsed.notes.push_back(FormatText("line %d: {%.*s, %.*s} is not a pair of numbers", line,
                                        static_cast<int>(items[0].size()), items[0].data(),
                                        static_cast<int>(items[1].size()), items[1].data()));
      continue;
    }
    pairs = true;
    if (*reg == SEQUENCE_DELAY_MARKER) {
      ++parsed.pauses;
    } else {
      parsed.writes.push_back({*reg, *value, line});
    }
  }
  if (!pairs) return std::nullopt;
  return Reading{std::move(parsed), ""};
}

// ---- CSV ----

// RFC 4180 rows, with the line each starts on; quoted fields may hold line ends.
std::vector<std::pair<std::vector<std::string>, int>> CsvRows(std::string_view text,
                                                              char separator) {
  std::vector<std::pair<std::vector<std::string>, int>> rows;
  std::vector<std::string> row;
  std::string field;
  bool quoted = false;
  bool fieldStarted = false;
  int line = 1;
  int rowLine = 1;
  const auto endField = [&] {
    row.push_back(field);
    field.clear();
    fieldStarted = false;
  };
  const auto endRow = [&] {
    endField();
    // A spreadsheet's empty rows: separators and nothing else.
    const bool blank = std::all_of(
        row.begin(), row.end(), [](const std::string& cell) { return TrimBlanks(cell).empty(); });
    if (!blank) rows.emplace_back(std::move(row), rowLine);
    row.clear();
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        if (c == '\n') ++line;
        field += c;
      }
    } else if (c == '"' && !fieldStarted) {
      quoted = fieldStarted = true;
    } else if (c == separator) {
      endField();
    } else if (c == '\n') {
      endRow();
      rowLine = ++line;
    } else if (c != '\r') {
      field += c;
      fieldStarted = true;
    }
  }
  if (fieldStarted || !row.empty() || !field.empty()) endRow();
  return rows;
}

enum class ValueForm { Any, Hex, Binary, Decimal };

struct CsvColumns {
  int address = -1;
  int name = -1;
  int value = -1;
  ValueForm form = ValueForm::Any;
  bool addressHex = false;
};

struct ValueColumn {
  std::array<std::string_view, 4> names;
  ValueForm form;
};

// The columns a header may name, each kind in the order preferred.
constexpr std::array<std::string_view, 9> kAddressColumns{
    "address",  "addr", "register_address", "reg_addr", "address_hex",
    "addr_hex", "reg",  "register",         "offset"};
constexpr std::array<std::string_view, 3> kNameColumns{"name", "register_name", "reg_name"};
constexpr std::array<ValueColumn, 4> kValueColumns{{
    {{"value_hex", "hex", "val_hex", ""}, ValueForm::Hex},
    {{"value", "val", "data", "byte"}, ValueForm::Any},
    {{"value_dec", "dec", "decimal", ""}, ValueForm::Decimal},
    {{"value_bin", "bin", "binary", ""}, ValueForm::Binary},
}};

std::optional<CsvColumns> FindColumns(const std::vector<std::string>& header) {
  const auto find = [&header](std::span<const std::string_view> names) {
    for (std::string_view name : names) {
      for (std::size_t i = 0; i < header.size(); ++i) {
        if (!name.empty() && EqualsIgnoringCase(TrimBlanks(header[i]), name))
          return static_cast<int>(i);
      }
    }
    return -1;
  };
  CsvColumns columns;
  columns.address = find(kAddressColumns);
  columns.name = find(kNameColumns);
  for (const ValueColumn& column : kValueColumns) {
    columns.value = find(column.names);
    columns.form = column.form;
    if (columns.value >= 0) break;
  }
  if (columns.value < 0 || (columns.address < 0 && columns.name < 0)) return std::nullopt;
  if (columns.address >= 0) {
    columns.addressHex = Lower(header[columns.address]).find("hex") != std::string::npos;
  }
  return columns;
}

std::optional<long> CsvNumber(std::string_view text, ValueForm form) {
  text = TrimBlanks(text);
  const std::string lower = Lower(text);
  switch (form) {
    case ValueForm::Hex: return HexNumber(lower);
    case ValueForm::Binary: return Digits(lower.starts_with("0b") ? lower.substr(2) : lower, 2);
    case ValueForm::Decimal: return Digits(lower, 10);
    case ValueForm::Any: break;
  }
  if (lower.starts_with("0x")) return Digits(std::string_view(lower).substr(2), 16);
  if (lower.starts_with("0b")) return Digits(std::string_view(lower).substr(2), 2);
  if (lower.ends_with('h')) return Digits(std::string_view(lower).substr(0, lower.size() - 1), 16);
  return Digits(lower, 10);
}

std::optional<Reading> ReadCsv(std::string_view text) {
  const std::string_view first = Lines(text).empty() ? "" : Lines(text).front();
  char separator = ',';
  for (char candidate : {';', '\t'}) {
    if (std::count(first.begin(), first.end(), candidate) >
        std::count(first.begin(), first.end(), separator)) {
      separator = candidate;
    }
  }
  const auto rows = CsvRows(text, separator);
  if (rows.empty()) return std::nullopt;
  const std::optional<CsvColumns> found = FindColumns(rows.front().first);
  if (!found) return std::nullopt;
  CsvColumns columns = *found;
  // An address column of bare numbers is hexadecimal when one of them shows a hex letter.
  if (columns.address >= 0) {
    for (std::size_t r = 1; r < rows.size(); ++r) {
      const auto& cells = rows[r].first;
      if (columns.address >= static_cast<int>(cells.size())) continue;
      const std::string cell = Lower(TrimBlanks(cells[columns.address]));
      if (!cell.starts_with("0x") && cell.find_first_of("abcdef") != std::string::npos &&
          std::all_of(cell.begin(), cell.end(), [](char c) { return std::isxdigit(c) != 0; })) {
        columns.addressHex = true;
      }
    }
  }
  Parsed parsed(DumpFormat::Csv);
  for (std::size_t r = 1; r < rows.size(); ++r) {
    const std::vector<std::string>& cells = rows[r].first;
    const int line = rows[r].second;
    const auto cell = [&cells](int column) {
      return column >= 0 && column < static_cast<int>(cells.size()) ? TrimBlanks(cells[column])
                                                                    : std::string_view();
    };
    std::optional<long> address;
    if (!cell(columns.address).empty()) {
      address =
          CsvNumber(cell(columns.address), columns.addressHex ? ValueForm::Hex : ValueForm::Any);
    } else if (!cell(columns.name).empty()) {
      const std::string name(cell(columns.name));
      for (const RegisterFacts& facts : kRegisters) {
        if (EqualsIgnoringCase(facts.name, name)) address = facts.address;
      }
    }
    const std::optional<long> value = CsvNumber(cell(columns.value), columns.form);
    if (!address || !value) {
      parsed.notes.push_back(
          FormatText("line %d: no register address and value in this row", line));
      continue;
    }
    parsed.writes.push_back({*address, *value, line});
  }
  return Reading{std::move(parsed), ""};
}

// ---- Hex pairs ----

std::optional<Reading> ReadHexPairs(std::string_view text) {
  Parsed parsed(DumpFormat::HexPairs);
  bool pairs = false;
  const std::vector<std::string_view> lines = Lines(text);
  for (std::size_t n = 0; n < lines.size(); ++n) {
    std::string_view line = lines[n];
    for (std::string_view mark : {"#", ";", "//"}) line = line.substr(0, line.find(mark));
    const std::vector<std::string_view> tokens = Tokens(line, " \t,:=");
    if (tokens.empty()) continue;
    const auto byte = [](std::string_view token) {
      if (Lower(token).starts_with("0x")) token.remove_prefix(2);
      return HexNumber(token);
    };
    const std::optional<long> reg = tokens.size() == 2 ? byte(tokens[0]) : std::nullopt;
    const std::optional<long> value = tokens.size() == 2 ? byte(tokens[1]) : std::nullopt;
    if (!reg || !value) {
      const std::string_view shown = TrimBlanks(line);
      parsed.notes.push_back(FormatText("line %zu: \"%.*s\" is not an address and a value", n + 1,
                                        static_cast<int>(shown.size()), shown.data()));
      continue;
    }
    pairs = true;
    parsed.writes.push_back({*reg, *value, static_cast<int>(n + 1)});
  }
  if (!pairs) return std::nullopt;
  return Reading{std::move(parsed), ""};
}

// ---- From what was read to the registers ----

bool IsAcquisitionAddress(long address) {
  return std::any_of(
      kAcquireSequence.begin(), kAcquireSequence.end(),
      [address](const ChipWrite& write) { return static_cast<long>(write.address) == address; });
}

// "0x00-0x10, 0x12-0x17, 0x1E"
std::string AddressRanges(std::vector<unsigned> addresses) {
  std::sort(addresses.begin(), addresses.end());
  addresses.erase(std::unique(addresses.begin(), addresses.end()), addresses.end());
  std::string text;
  for (std::size_t i = 0; i < addresses.size();) {
    std::size_t j = i;
    while (j + 1 < addresses.size() && addresses[j + 1] == addresses[j] + 1) ++j;
    if (!text.empty()) text += ", ";
    AppendFormat(text, "0x%02X", addresses[i]);
    if (j > i) AppendFormat(text, "-0x%02X", addresses[j]);
    i = j + 1;
  }
  return text;
}

RegisterImport Place(Parsed parsed) {
  RegisterImport import;
  import.format = parsed.format;
  import.registers = DefaultRegisterImage();
  import.notes = std::move(parsed.notes);
  import.pauses = parsed.pauses;
  std::vector<unsigned> outside;
  int c0 = static_cast<int>(kRegisters[IDX_C0].defaultValue);
  const std::vector<Write>& writes = parsed.writes;
  for (std::size_t i = 0; i < writes.size(); ++i) {
    const Write& write = writes[i];
    const int index =
        write.address <= 0xFF ? RegisterIndexOfAddress(static_cast<unsigned>(write.address)) : -1;
    if (!parsed.snapshot && IsAcquisitionAddress(write.address)) {
      ++import.acquisitionWrites;
      continue;
    }
    if (!parsed.snapshot && write.address == static_cast<long>(LOOK_AHEAD_REGISTER)) {
      // The look-ahead enable: before an acquisition (a whole-set load), or
      // setting bit 1 of C0 ahead of another register's write (one change).
      const Write* next = i + 1 < writes.size() ? &writes[i + 1] : nullptr;
      const bool beforeAcquisition = next && IsAcquisitionAddress(next->address);
      const bool aheadOfChange =
          next && next->address != write.address && next->address <= 0xFF &&
          RegisterIndexOfAddress(static_cast<unsigned>(next->address)) >= 0 &&
          write.value == WithLookAheadEnabled(c0);
      if (beforeAcquisition || aheadOfChange) {
        ++import.lookAheadWrites;
        continue;
      }
    }
    if (index < 0) {
      if (parsed.snapshot) {
        outside.push_back(static_cast<unsigned>(write.address));
      } else {
        import.notes.push_back(FormatText("%s %d: 0x%02lX is not an address of the register table",
                                          parsed.where, write.line, write.address));
      }
      continue;
    }
    if (write.value > 0xFF) {
      import.notes.push_back(
          FormatText("%s %d: 0x%lX does not fit register %s (0x%02lX)", parsed.where, write.line,
                     write.value, std::string(kRegisters[index].name).c_str(), write.address));
      continue;
    }
    import.registers[index] = static_cast<int>(write.value);
    import.found[index] = true;
    if (index == IDX_C0) c0 = static_cast<int>(write.value);
  }
  if (!outside.empty()) {
    import.notes.push_back("addresses outside the register table, left out: " +
                           AddressRanges(outside));
  }
  for (int index = 0; index < REGISTER_COUNT; ++index) {
    if (import.found[index]) continue;
    const RegisterFacts& facts = kRegisters[index];
    const bool unreadable = std::find(parsed.unreadable.begin(), parsed.unreadable.end(),
                                      facts.address) != parsed.unreadable.end();
    import.notes.push_back(FormatText(
        "%s (0x%02X) %s: its default 0x%02X is used", std::string(facts.name).c_str(),
        facts.address, unreadable ? "could not be read in the dump" : "is not in the input",
        facts.defaultValue));
  }
  if (import.FoundCount() == 0) {
    import.format.reset();
    import.refusal = FormatText("No register of the QV3380 found in this %s.",
                                std::string(DumpFormatName(parsed.format)).c_str());
  }
  if (import.notes.size() > IMPORT_NOTES_LISTED) {
    const std::size_t more = import.notes.size() - IMPORT_NOTES_LISTED + 1;
    import.notes.resize(IMPORT_NOTES_LISTED - 1);
    import.notes.push_back(FormatText("... and %zu more", more));
  }
  return import;
}

std::string_view WithoutByteOrderMark(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  return text;
}

}  // namespace

std::string_view DumpFormatName(DumpFormat format) {
  switch (format) {
    case DumpFormat::I2cdumpBytes: return "i2cdump, byte mode";
    case DumpFormat::I2cdumpWords: return "i2cdump, word mode";
    case DumpFormat::CArray: return "C array";
    case DumpFormat::Csv: return "CSV table";
    case DumpFormat::HexPairs: return "hex pairs";
    case DumpFormat::I2cScript: return "i2c-tools script";
    case DumpFormat::UbootScript: return "U-Boot script";
    case DumpFormat::DeviceTree: return "device tree";
    case DumpFormat::LinuxFirmware: return "firmware file";
  }
  return "";
}

int RegisterImport::FoundCount() const {
  return static_cast<int>(std::count(found.begin(), found.end(), true));
}

RegisterImport ParseRegisterDump(std::string_view bytes) {
  const auto refused = [](std::string refusal) {
    RegisterImport import;
    import.refusal = std::move(refusal);
    return import;
  };
  if (bytes.empty()) return refused("The file is empty.");
  if (std::optional<Reading> firmware = ReadFirmware(bytes)) {
    return firmware->parsed ? Place(std::move(*firmware->parsed)) : refused(firmware->refusal);
  }
  std::string imageRefusal;
  std::string_view text = bytes;
  if (const std::optional<std::string_view> script = UbootImageScript(bytes, imageRefusal)) {
    if (!imageRefusal.empty()) return refused(imageRefusal);
    text = *script;
  }
  text = WithoutByteOrderMark(text);
  if (text.find('\0') != std::string_view::npos) {
    return refused("The file is neither text nor a firmware file of this tool.");
  }
  if (Lower(text).find("<registermap>") != std::string::npos) {
    return refused("This is a setup file: open it with File > Open Setup... (or qv3380 check).");
  }
  // The most particular first: hex pairs would take a line of many a format.
  const Reader readers[] = {ReadI2cdump, ReadDeviceTree, ReadUbootScript, ReadI2cScript,
                            ReadCArray,  ReadCsv,        ReadHexPairs};
  for (const Reader& reader : readers) {
    if (std::optional<Reading> reading = reader(text)) {
      return reading->parsed ? Place(std::move(*reading->parsed)) : refused(reading->refusal);
    }
  }
  return refused(
      "No registers found: the file is not an i2cdump, a C array of {register, value} pairs, "
      "a CSV with address and value columns, hex pairs, an i2c-tools or U-Boot script, a "
      "device tree or a firmware file of this tool.");
}

SetupContents ImportedSetup(const RegisterImport& import, const SetupContents& board) {
  SetupContents setup = board;
  setup.registers = import.registers;
  return setup;
}

std::string ImportSummary(const RegisterImport& import, std::string_view source) {
  if (!import.format) return import.refusal;
  const int found = import.FoundCount();
  std::string text = FormatText("Imported %d register%s from %.*s (%s)", found,
                                found == 1 ? "" : "s", static_cast<int>(source.size()),
                                source.data(), std::string(DumpFormatName(*import.format)).c_str());
  std::vector<std::string> leftOut;
  if (import.lookAheadWrites > 0) {
    leftOut.push_back(import.lookAheadWrites == 1
                          ? std::string("the look-ahead enable")
                          : FormatText("%d look-ahead enables", import.lookAheadWrites));
  }
  if (import.acquisitionWrites > 0) {
    leftOut.push_back(FormatText("%d acquisition write%s", import.acquisitionWrites,
                                 import.acquisitionWrites == 1 ? "" : "s"));
  }
  if (!leftOut.empty()) {
    text += "; left out ";
    for (std::size_t i = 0; i < leftOut.size(); ++i) {
      if (i > 0) text += " and ";
      text += leftOut[i];
    }
  }
  return text + ".";
}

}  // namespace qv
