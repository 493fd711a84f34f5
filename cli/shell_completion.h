#pragma once
// Tab completion for bash, zsh and fish, written from a program's command-line
// reference: its commands, options, the values an option lists, files where a
// path goes, and the panel's controls for CONTROL=VALUE.

#include <string>

#include "cli/program_reference.h"

namespace qv::cli {

std::string BashCompletion(const ProgramReference& program);  // completions/PROGRAM
std::string ZshCompletion(const ProgramReference& program);   // _PROGRAM, on fpath
std::string FishCompletion(const ProgramReference& program);  // PROGRAM.fish

}  // namespace qv::cli
