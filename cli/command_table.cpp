// The commands of qv3380. A new command is one row here; its own options and
// run go into a Define function beside the others.

#include <array>

#include "cli/adapter_command.h"
#include "cli/chip_commands.h"
#include "cli/command.h"
#include "cli/diff_command.h"
#include "cli/exit_status.h"
#include "cli/export_command.h"
#include "cli/import_command.h"
#include "cli/report_command.h"
#include "cli/setup_commands.h"
#include "cli/solve_command.h"
#include "cli/ssc_command.h"

namespace qv::cli {
namespace {

// apply: opening the file online writes it to the chip; that is all it does.
int Loaded(CommandContext&) { return EXIT_DONE; }

constexpr char kSetupFile[] = "the setup file (.stp)";

constexpr std::array kCommands{
    CommandSpec{"check",
                "load the setup file; exit 1 with the reason if it is refused;\n"
                "print each failed check of either frequency map",
                kSetupFile, "", false, ChipLink::Offline,
                [](CLI::App&) -> CommandRun { return CheckLoaded; }},
    CommandSpec{"show",
                "print the frequency plan and the checks of both maps;\n"
                "exit 3 when a check of either map fails",
                kSetupFile, "", false, ChipLink::Offline, DefineShow},
    CommandSpec{"edit", "change controls as a user would, then save", kSetupFile,
                "the edited setup file", true, ChipLink::OnRequest, DefineEdit},
    CommandSpec{"export-json", "write the JSON definition of the setup file", kSetupFile,
                "the JSON definition", true, ChipLink::Offline,
                [](CLI::App&) -> CommandRun { return ExportJson; }},
    CommandSpec{"new", "write the setup file of a fresh start", "", "the setup file", true,
                ChipLink::Offline, [](CLI::App&) -> CommandRun { return SaveSetup; }},
    CommandSpec{"apply",
                "write the setup file to the chip; refused with exit 3 while\n"
                "a check of either map fails, unless --force",
                kSetupFile, "", false, ChipLink::Online,
                [](CLI::App&) -> CommandRun { return Loaded; },
                "Nothing was written to the chip; --force writes it all the same."},
    CommandSpec{"read",
                "read the chip's registers into a setup file, with the pins\n"
                "and reference of --like FILE; writes nothing to the chip",
                "", "the setup file read from the chip", true, ChipLink::ReadOnly, DefineRead},
    CommandSpec{"verify",
                "compare the chip with a setup file; exit 6 with one line\n"
                "per field that differs; writes nothing to the chip",
                "", "", false, ChipLink::ReadOnly, DefineVerify},
    CommandSpec{"adapters",
                "list the USB adapters present: path, serial number, product,\n"
                "and whether you may open them (for --adapter)",
                "", "", false, ChipLink::Offline, DefineAdapters},
    CommandSpec{"export",
                "write the registers for firmware and boot: a C header, a CSV\n"
                "table, hex pairs, an i2c-tools or U-Boot script, a device-tree\n"
                "overlay or a firmware file; refused with exit 3 while a check\n"
                "of either map fails, unless --force",
                kSetupFile, "the export", true, ChipLink::Offline, DefineExport,
                "Nothing was written; --force writes it all the same, with the failures in "
                "its header."},
    CommandSpec{"import",
                "read a register dump (i2cdump, C array, CSV, hex pairs, i2c-tools\n"
                "or U-Boot script, device tree, firmware file) into a setup file,\n"
                "with the pins and reference of --like FILE",
                "", "the setup file", true, ChipLink::Offline, DefineImport},
    CommandSpec{"diff",
                "compare two setup files field by field, with the output\n"
                "frequencies each difference moves; exit 6 when they differ",
                "", "", false, ChipLink::Offline, DefineDiff},
    CommandSpec{"solve",
                "find the best dividers for the wanted output frequencies;\n"
                "with -o save the file with the plan applied",
                kSetupFile, "the setup file with the plan", false, ChipLink::Offline, DefineSolve},
    CommandSpec{"ssc",
                "find the spread-spectrum settings for a downspread and a\n"
                "modulation frequency, keeping the VCO; with -o save the file with them",
                kSetupFile, "the setup file with the settings", false, ChipLink::Offline,
                DefineSsc},
    CommandSpec{"report",
                "write the design report (.pdf, .html, .md) or the clock tree\n"
                "(.svg, .png), the kind by the extension of -o",
                kSetupFile, "the report or picture", true, ChipLink::Offline, DefineReport},
};

}  // namespace

std::span<const CommandSpec> Commands() { return kCommands; }

}  // namespace qv::cli
