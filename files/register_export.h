#pragma once
// The registers for firmware: the sequence the tool sends for a whole-set load
// as a C header, a hex list or an i2c-tools script, and the register table as
// CSV. Each starts with a header in its comment syntax: the tool and its
// version, the source, the date, the plan (one line per output) and the
// device address.

#include <span>
#include <string>
#include <string_view>

#include "files/setup_contents.h"

namespace qv {

enum class ExportFormat { C, Csv, Hex, I2c };

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

struct ExportProvenance {
  std::string tool;    // "qv3380 1.0.0"
  std::string source;  // the setup file, or where the panel's configuration came from
  std::string date;    // "2024-05-01 12:00:00 UTC"
};

// This program's name and version, and the time now.
ExportProvenance ProvenanceNow(std::string source);

std::string RenderRegisterExport(ExportFormat format, const SetupContents& setup,
                                 const ExportProvenance& provenance);

}  // namespace qv
