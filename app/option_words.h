#pragma once
// What the programs' command lines say: the mistakes in their own words
// ("--format must be one of c, csv, ...", never CLI11's "Check xml value in
// {...} FAILED"), and an answer that did not reach standard output.

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Takes one of `names` (in any letter case with `ignoreCase`); otherwise
// "OPTION must be one of A, B, C".
CLI::Validator OneOf(std::string option, std::vector<std::string> names, bool ignoreCase = false);

// The options both programs take, in the same words.
inline constexpr const char* kAdapterOptionHelp =
    "the adapter by serial number or hidraw path\n"
    "(as QV3380_ADAPTER; qv3380 adapters lists them)";
inline constexpr const char* kAdapterOptionType = "SERIAL|PATH";
inline constexpr const char* kTraceOptionHelp =
    "append a line for each chip transfer, file read\n"
    "or write and refusal to FILE (as QV3380_TRACE=FILE)";

// What a parse error of CLI11 says, in the words of the rest of the program;
// `command` is the (sub)command being read, if known, for what it knows of its options.
std::string ParseErrorInOurWords(const CLI::ParseError& error, const CLI::App* command);

// Flushes `out`; false, with "PROGRAM: standard output: REASON" on `err`, when
// something written to it did not get out (a full disk, a closed pipe). Called
// right after the last write, the reason is the system's ("No space left on device").
bool StandardOutputWritten(std::ostream& out, std::ostream& err, std::string_view program);

}  // namespace qv
