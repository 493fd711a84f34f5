#pragma once
// A program's command line as its parser declares it: the man pages and the
// shell completions are written from this, so they cannot say other than
// --help does.

#include <map>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace qv::cli {

// What a shell can offer for an option's value.
enum class ValueKind {
  None,       // a flag, or a value nothing can guess (a number)
  File,       // a path
  Directory,  // a folder
  Choice,     // one of `choices`
  Control,    // CONTROL=VALUE: `choices` holds each NAME and each NAME=ITEM of a ring
};

struct OptionReference {
  std::vector<std::string> names;  // "-o", "--output"; empty for a positional
  std::string valueName;           // "PATH", "c|csv|hex"; a positional's name; empty: a flag
  std::string description;         // as --help has it, its lines where --help breaks them
  std::string group;               // the heading --help lists it under
  bool positional = false;
  bool required = false;
  bool repeatable = false;
  std::vector<std::string> needs;  // the options it goes with ("--online")
  ValueKind kind = ValueKind::None;
  std::vector<std::string> choices;

  bool TakesValue() const { return !valueName.empty() || positional; }
  // --help or --version, which answer and end the program.
  bool IsHelpOrVersion() const;
  // The description of one choice: its line "CHOICE: what it is"; empty without one.
  std::string ChoiceDescription(const std::string& choice) const;
};

struct CommandReference {
  std::string name;
  std::string summary;
  std::vector<OptionReference> options;  // positionals and options, as declared
};

struct ExitStatusReference {
  int status;
  std::string meaning;
};

struct ProgramReference {
  std::string name;
  std::string description;
  std::vector<OptionReference> options;  // the program's own, before any command
  std::vector<CommandReference> commands;
  std::vector<ExitStatusReference> exitStatuses;
};

// What an option's value may be, by the value name --help shows for it, where
// the name alone does not say: "KIND" -> {Choice, {"pdf", ...}}. Without a
// hint, "a|b|c" (no capitals) lists choices, FILE and PATH are files, DIR a
// folder, a positional a file.
struct ValueHint {
  ValueKind kind;
  std::vector<std::string> choices;
};
using ValueHints = std::map<std::string, ValueHint, std::less<>>;

// Every option and command of `app`, help and version first; hidden ones left out.
ProgramReference ReadProgramReference(const CLI::App& app, const ValueHints& hints);

}  // namespace qv::cli
