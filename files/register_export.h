#pragma once
// The registers for firmware and for the places boards are brought up: the
// sequence the tool sends for a whole-set load as a C header, hex pairs, an
// i2c-tools script, a U-Boot script, a device-tree overlay or a firmware blob
// for a driver, and the register table as CSV. The text formats start with a
// header in their comment syntax: the tool and its version, the source, the
// date, the plan and the device address, and the failed checks of a plan
// exported all the same.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/setup_contents.h"

namespace qv {

enum class ExportFormat { C, Csv, Hex, I2c, Dts, Uboot, LinuxFirmware };

struct ExportFormatFacts {
  ExportFormat format;
  std::string_view name;         // as qv3380 export --format takes it
  std::string_view description;  // what a user gets
  std::string_view defaultFile;
  std::string_view filter;  // for the file dialog
};

// In the order of ExportFormat.
std::span<const ExportFormatFacts> ExportFormats();
const ExportFormatFacts& FormatFacts(ExportFormat format);

// What some formats need beyond the setup.
struct ExportOptions {
  // dts: the label of the I2C bus the chip's node goes under, with its
  // register sequence; empty: the output clocks alone.
  std::string i2cBusLabel;
  // uboot: the bus `i2c dev` selects.
  int ubootBus = 0;
  // csv: the provenance as columns of every row (always, when a check fails).
  bool provenanceColumns = false;
};

// The highest bus number a U-Boot script takes.
inline constexpr int UBOOT_BUS_MAX = 255;

// Why the options cannot be written in that format ("" when they can): a label
// a device tree does not take, a bus number out of range.
std::string ExportOptionsProblem(ExportFormat format, const ExportOptions& options);

struct ExportProvenance {
  std::string tool;    // "qv3380 1.0.0"
  std::string source;  // the setup file, or where the panel's configuration came from
  std::string date;    // "2024-05-01 12:00:00 UTC"
};

// This program's name and version, and the time now.
ExportProvenance ProvenanceNow(std::string source);
// What every written file starts with, a line each: `title`, who wrote it and
// when, its source, the device address.
std::vector<std::string> ProvenanceLines(std::string_view title, const ExportProvenance& made);

// Each failed check of either map ("Map 1 (MARGIN high): VCO2 2.60000 GHz is
// above 2.55 GHz"): MARGIN may switch on the board, so either map counts.
std::vector<std::string> FailedChecks(const SetupContents& setup);
// "The plan fails 2 checks:" and one indented line each.
std::string FailedChecksText(const std::vector<std::string>& failures);

// The export's bytes (text, or the firmware blob). A plan that fails a check is
// written all the same, with its failures in the header: whoever calls this
// has refused or asked first.
std::string RenderRegisterExport(ExportFormat format, const SetupContents& setup,
                                 const ExportProvenance& provenance,
                                 const ExportOptions& options = {});

// The firmware blob's facts (docs/linux-firmware.md).
inline constexpr std::string_view FIRMWARE_MAGIC = "QV38";
inline constexpr int FIRMWARE_VERSION = 1;
inline constexpr std::size_t FIRMWARE_HEADER_BYTES = 16;
// Flag bit 0: exported although a check of the plan fails.
inline constexpr unsigned FIRMWARE_FLAG_CHECKS_FAIL = 1;
// The CRC-32 the header carries of the records that follow it.
std::uint32_t FirmwareRecordsCrc(std::string_view records);
// A record's register for a pause of `value` milliseconds; not a chip address.
inline constexpr int SEQUENCE_DELAY_MARKER = 0xFF;

}  // namespace qv
