#pragma once
// A man page (roff, section 1) of a program from its command-line reference:
// every option, command and exit status as the parser declares them, and the
// prose the parser does not hold.

#include <string>
#include <vector>

#include "cli/program_reference.h"

namespace qv::cli {

struct ManualEntry {
  std::string term;  // an environment variable, a path, an example's command line
  std::string text;
};

struct ManualPageText {
  std::string date;                      // YYYY-MM-DD
  std::string version;                   // "1.0.0"
  std::string whatis;                    // the NAME line after "PROGRAM - "
  std::vector<std::string> description;  // paragraphs after the program's own description
  std::vector<std::string> optionNotes;  // paragraphs after the options
  std::vector<ManualEntry> environment;
  std::vector<ManualEntry> files;
  std::vector<ManualEntry> examples;
  std::vector<std::string> seeAlso;  // "qv3380_gui(1)"
};

std::string ManualPage(const ProgramReference& program, const ManualPageText& text);

}  // namespace qv::cli
