#include "cli/program_reference.h"

#include <CLI/CLI.hpp>
#include <algorithm>

namespace qv::cli {
namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t at = text.find(separator); at != std::string::npos;
       at = text.find(separator, start)) {
    parts.push_back(text.substr(start, at - start));
    start = at + 1;
  }
  parts.push_back(text.substr(start));
  return parts;
}

// "0|1|both" names its values; "SERIAL|PATH" names what to type.
bool ListsChoices(const std::string& valueName) {
  return valueName.find('|') != std::string::npos &&
         std::ranges::none_of(valueName, [](char c) { return c >= 'A' && c <= 'Z'; });
}

void ChooseValues(OptionReference& option, const ValueHints& hints) {
  if (!option.TakesValue()) return;
  if (const auto hint = hints.find(option.valueName); hint != hints.end()) {
    option.kind = hint->second.kind;
    option.choices = hint->second.choices;
  } else if (ListsChoices(option.valueName)) {
    option.kind = ValueKind::Choice;
    option.choices = Split(option.valueName, '|');
  } else if (option.positional || option.valueName == "FILE" || option.valueName == "PATH") {
    option.kind = ValueKind::File;
  } else if (option.valueName == "DIR") {
    option.kind = ValueKind::Directory;
  }
}

OptionReference Describe(const CLI::Option& option, const ValueHints& hints) {
  OptionReference reference;
  for (const std::string& name : option.get_snames()) reference.names.push_back("-" + name);
  for (const std::string& name : option.get_lnames()) reference.names.push_back("--" + name);
  reference.positional = reference.names.empty();
  reference.valueName = reference.positional ? option.get_name(true) : option.get_type_name();
  if (option.get_type_size_max() == 0) reference.valueName.clear();  // a flag
  reference.description = option.get_description();
  reference.group = option.get_group();
  reference.required = option.get_required();
  reference.repeatable = !reference.positional && option.get_type_size_max() > 0 &&
                         option.get_items_expected_max() > 1;
  for (const CLI::Option* need : option.get_needs()) {
    reference.needs.push_back(need->get_name());
  }
  std::ranges::sort(reference.needs);
  ChooseValues(reference, hints);
  return reference;
}

// Help and version first, as a reader looks for them; the rest as declared.
std::vector<OptionReference> Options(const CLI::App& app, bool withVersion,
                                     const ValueHints& hints) {
  std::vector<OptionReference> options;
  std::vector<const CLI::Option*> first{app.get_help_ptr()};
  if (withVersion) first.push_back(app.get_version_ptr());
  for (const CLI::Option* option : first) {
    if (option) options.push_back(Describe(*option, hints));
  }
  for (const CLI::Option* option : app.get_options()) {
    if (std::ranges::find(first, option) != first.end() || option->get_group().empty()) continue;
    options.push_back(Describe(*option, hints));
  }
  return options;
}

}  // namespace

bool OptionReference::IsHelpOrVersion() const {
  return std::ranges::any_of(
      names, [](const std::string& n) { return n == "--help" || n == "--version"; });
}

std::string OptionReference::ChoiceDescription(const std::string& choice) const {
  const std::string lead = choice + ": ";
  for (const std::string& line : Split(description, '\n')) {
    if (line.starts_with(lead)) return line.substr(lead.size());
  }
  return "";
}

ProgramReference ReadProgramReference(const CLI::App& app, const ValueHints& hints) {
  ProgramReference program;
  program.name = app.get_name();
  program.description = app.get_description();
  program.options = Options(app, true, hints);
  for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; })) {
    if (command->get_group().empty()) continue;
    program.commands.push_back(
        {command->get_name(), command->get_description(), Options(*command, false, hints)});
  }
  return program;
}

}  // namespace qv::cli
