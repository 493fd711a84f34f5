#include "cli/shell_completion.h"

#include <algorithm>
#include <set>

namespace qv::cli {
namespace {

// Where a set of options applies: before any command (name empty), or after one.
struct Scope {
  std::string name;
  std::string summary;
  const std::vector<OptionReference>* options;
};

std::vector<Scope> Scopes(const ProgramReference& program) {
  std::vector<Scope> scopes{{"", program.description, &program.options}};
  for (const CommandReference& command : program.commands) {
    scopes.push_back({command.name, command.summary, &command.options});
  }
  return scopes;
}

bool TakesFiles(const Scope& scope) {
  return std::ranges::any_of(*scope.options, [](const OptionReference& option) {
    return option.positional && option.kind == ValueKind::File;
  });
}

std::string Identifier(std::string text) {
  std::ranges::replace(text, '-', '_');
  return text;
}

// One line for a shell's list: the description up to its list of choices.
std::string OneLine(const OptionReference& option) {
  std::string line;
  std::size_t start = 0;
  const std::string& text = option.description;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const std::string part = text.substr(start, end - start);
    if (std::ranges::any_of(option.choices, [&](const std::string& choice) {
          return part.starts_with(choice + ": ");
        })) {
      break;
    }
    line += (line.empty() ? "" : " ") + part;
    start = end + 1;
  }
  if (line.ends_with(':')) line.pop_back();
  return line;
}

std::string Flattened(std::string text) {
  std::ranges::replace(text, '\n', ' ');
  return text;
}

std::string Replaced(const std::string& text, char what, const std::string& by) {
  std::string out;
  for (char c : text) {
    if (c == what) {
      out += by;
    } else {
      out += c;
    }
  }
  return out;
}

// A word for sh, bash and zsh in single quotes.
std::string Quoted(const std::string& text) { return "'" + Replaced(text, '\'', "'\\''") + "'"; }

// The panel's controls and their ring items, from a CONTROL=VALUE option.
struct Controls {
  std::vector<std::string> names;
  std::vector<std::pair<std::string, std::vector<std::string>>> items;  // by control
};

Controls ControlsOf(const ProgramReference& program) {
  Controls controls;
  std::set<std::string> seen;
  for (const Scope& scope : Scopes(program)) {
    for (const OptionReference& option : *scope.options) {
      if (option.kind != ValueKind::Control) continue;
      for (const std::string& choice : option.choices) {
        const std::size_t equals = choice.find('=');
        if (equals == std::string::npos) {
          if (seen.insert(choice).second) controls.names.push_back(choice);
          continue;
        }
        const std::string name = choice.substr(0, equals);
        auto entry = std::ranges::find_if(controls.items,
                                          [&](const auto& item) { return item.first == name; });
        if (entry == controls.items.end()) {
          controls.items.push_back({name, {}});
          entry = controls.items.end() - 1;
        }
        entry->second.push_back(choice.substr(equals + 1));
      }
    }
  }
  return controls;
}

std::string Joined(const std::vector<std::string>& words, const std::string& separator) {
  std::string out;
  for (const std::string& word : words) out += (out.empty() ? "" : separator) + word;
  return out;
}

std::string Header(const char* shell, const ProgramReference& program) {
  return std::string("# ") + shell + " completion for " + program.name +
         ", written from its command line when it was built.\n";
}

// bash: the words so far in COMP_WORDS, "=" a word of its own.
std::string BashValueCase(const Scope& scope, const OptionReference& option, const std::string& f) {
  std::vector<std::string> patterns;
  for (const std::string& name : option.names) patterns.push_back(Quoted(scope.name + " " + name));
  std::string action;
  switch (option.kind) {
    case ValueKind::File: action = f + "_files \"$3\""; break;
    case ValueKind::Directory: action = f + "_directories \"$3\""; break;
    case ValueKind::Choice:
      action = f + "_words \"$3\" " + Quoted(Joined(option.choices, "\n"));
      break;
    case ValueKind::Control: action = f + "_controls \"$3\""; break;
    case ValueKind::None: action = "COMPREPLY=()"; break;
  }
  return "    " + Joined(patterns, "|") + ") " + action + " ;;\n";
}

}  // namespace

std::string BashCompletion(const ProgramReference& program) {
  const std::string f = "_" + Identifier(program.name);
  const std::vector<Scope> scopes = Scopes(program);
  const Controls controls = ControlsOf(program);
  std::string out = Header("bash", program);

  out += "\n# Candidates one a line, quoted as the shell needs them.\n" + f +
         "_words() {\n"
         "  local IFS=$'\\n' words word\n"
         "  mapfile -t words < <(compgen -W \"$2\" -- \"$1\")\n"
         "  COMPREPLY=()\n"
         "  for word in \"${words[@]}\"; do COMPREPLY+=(\"$(printf '%q' \"$word\")\"); done\n"
         "}\n" +
         f +
         "_files() {\n"
         "  compopt -o filenames 2>/dev/null\n"
         "  mapfile -t COMPREPLY < <(compgen -f -- \"$1\")\n"
         "}\n" +
         f +
         "_directories() {\n"
         "  compopt -o filenames 2>/dev/null\n"
         "  mapfile -t COMPREPLY < <(compgen -d -- \"$1\")\n"
         "}\n";
  if (!controls.names.empty()) {
    out += "# A control's name, then (after NAME=) a ring's items.\n" + f +
           "_controls() {\n"
           "  mapfile -t COMPREPLY < <(compgen -W " +
           Quoted(Joined(controls.names, " ")) +
           " -S = -- \"$1\")\n"
           "  compopt -o nospace 2>/dev/null\n"
           "}\n" +
           f + "_items() {\n  case $1 in\n";
    for (const auto& [name, items] : controls.items) {
      out += "    " + Quoted(name) + ") " + f + "_words \"$2\" " + Quoted(Joined(items, "\n")) +
             " ;;\n";
    }
    out += "  esac\n}\n";
  }

  out +=
      "# The value OPTION ($2) takes after COMMAND ($1, empty before one); 1 when it takes "
      "none.\n" +
      f + "_value() {\n  case \"$1 $2\" in\n";
  for (const Scope& scope : scopes) {
    for (const OptionReference& option : *scope.options) {
      if (!option.positional && option.TakesValue()) out += BashValueCase(scope, option, f);
    }
  }
  out += "    *) return 1 ;;\n  esac\n  return 0\n}\n";

  out += f + "_control_option() {\n  case \"$1 $2\" in\n";
  for (const Scope& scope : scopes) {
    for (const OptionReference& option : *scope.options) {
      if (option.kind != ValueKind::Control) continue;
      for (const std::string& name : option.names) {
        out += "    " + Quoted(scope.name + " " + name) + ") return 0 ;;\n";
      }
    }
  }
  out += "  esac\n  return 1\n}\n";

  out += f + "_options() {\n  case $1 in\n";
  for (const Scope& scope : scopes) {
    std::vector<std::string> names;
    for (const OptionReference& option : *scope.options) {
      names.insert(names.end(), option.names.begin(), option.names.end());
    }
    out += "    " + Quoted(scope.name) + ") echo " + Quoted(Joined(names, " ")) + " ;;\n";
  }
  out += "  esac\n}\n";

  std::vector<std::string> fileScopes;
  for (const Scope& scope : scopes) {
    if (TakesFiles(scope)) fileScopes.push_back(Quoted(scope.name));
  }
  out += f + "_takes_files() {\n";
  if (!fileScopes.empty()) {
    out += "  case $1 in\n    " + Joined(fileScopes, "|") + ") return 0 ;;\n  esac\n";
  }
  out += "  return 1\n}\n";

  std::vector<std::string> commandNames;
  for (const CommandReference& command : program.commands) commandNames.push_back(command.name);
  std::string skipValues;
  for (const OptionReference& option : program.options) {
    if (option.TakesValue()) skipValues += Joined(option.names, "|") + "|";
  }

  // Only a program with commands looks for one, only one with controls for NAME=.
  const bool named = !controls.names.empty();
  out += "\n" + f + "() {\n  local cur=${COMP_WORDS[COMP_CWORD]} key='' command=''" +
         (commandNames.empty() ? "" : " word i=1") + (named ? " before='' assigned=''" : "") +
         "\n  COMPREPLY=()\n";
  if (!commandNames.empty()) {
    out +=
        "  # The command: the first word that is neither an option nor an option's value.\n"
        "  while (( i < COMP_CWORD )); do\n"
        "    word=${COMP_WORDS[i]}\n"
        "    case $word in\n";
    if (!skipValues.empty()) {
      skipValues.pop_back();
      out += "      " + skipValues +
             ")\n"
             "        i=$((i + 1))\n"
             "        [[ ${COMP_WORDS[i]} == = ]] && i=$((i + 1)) ;;\n";
    }
    out +=
        "      -*|=) ;;\n"
        "      *) command=$word; break ;;\n"
        "    esac\n"
        "    i=$((i + 1))\n"
        "  done\n";
  }
  out +=
      "  # The option whose value is typed: OPTION VALUE, OPTION=VALUE, or --set NAME=VALUE.\n"
      "  if [[ $cur == = ]]; then\n"
      "    key=${COMP_WORDS[COMP_CWORD-1]} cur=''" +
      std::string(named ? " assigned=1\n    (( COMP_CWORD >= 3 )) && "
                          "before=${COMP_WORDS[COMP_CWORD-2]}"
                        : "") +
      "\n  elif (( COMP_CWORD >= 3 )) && [[ ${COMP_WORDS[COMP_CWORD-1]} == = ]]; then\n"
      "    key=${COMP_WORDS[COMP_CWORD-2]}" +
      (named ? " assigned=1\n    (( COMP_CWORD >= 4 )) && before=${COMP_WORDS[COMP_CWORD-3]}"
             : "") +
      "\n  elif (( COMP_CWORD >= 2 )); then\n"
      "    key=${COMP_WORDS[COMP_CWORD-1]}\n"
      "  fi\n";
  if (named) {
    out += "  if [[ -n $assigned ]] && " + f +
           "_control_option \"$command\" \"$before\"; then\n"
           "    " +
           f +
           "_items \"$key\" \"$cur\"\n"
           "    return 0\n"
           "  fi\n";
  }
  out += "  " + f + "_value \"$command\" \"$key\" \"$cur\" && return 0\n" +
         "  if [[ $cur == -* ]]; then\n"
         "    mapfile -t COMPREPLY < <(compgen -W \"$(" +
         f + "_options \"$command\")\" -- \"$cur\")\n";
  if (!commandNames.empty()) {
    out +=
        "  elif [[ -z $command ]]; then\n"
        "    mapfile -t COMPREPLY < <(compgen -W " +
        Quoted(Joined(commandNames, " ")) + " -- \"$cur\")\n";
  }
  out += "  elif " + f + "_takes_files \"$command\"; then\n    " + f +
         "_files \"$cur\"\n"
         "  fi\n"
         "}\n"
         "complete -F " +
         f + " " + program.name + "\n";
  return out;
}

namespace {

// zsh: inside an _arguments word, ':' ends a field and ']' a description.
std::string ZshSpecText(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == ':' || c == '[' || c == ']' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

std::string ZshAction(const ProgramReference& program, const OptionReference& option) {
  switch (option.kind) {
    case ValueKind::File: return "_files";
    case ValueKind::Directory: return "_directories";
    case ValueKind::Control: return "_" + Identifier(program.name) + "_controls";
    case ValueKind::None: return " ";
    case ValueKind::Choice: break;
  }
  std::vector<std::string> words;
  const bool described = std::ranges::none_of(option.choices, [&](const std::string& choice) {
    return choice.find(':') != std::string::npos || option.ChoiceDescription(choice).empty();
  });
  for (const std::string& choice : option.choices) {
    words.push_back(
        described ? ZshSpecText(choice) + "\\:\"" +
                        Replaced(ZshSpecText(option.ChoiceDescription(choice)), '"', "\\\"") + "\""
                  : ZshSpecText(choice));
  }
  return described ? "((" + Joined(words, " ") + "))" : "(" + Joined(words, " ") + ")";
}

std::string ZshSpec(const ProgramReference& program, const OptionReference& option) {
  const std::string value = ZshSpecText(option.valueName.empty() ? " " : option.valueName);
  if (option.positional) return Quoted(":" + value + ":" + ZshAction(program, option));
  const bool help = option.IsHelpOrVersion();
  std::string names;
  for (const std::string& name : option.names) {
    std::string spelled = name;
    if (option.TakesValue()) spelled += name.starts_with("--") ? "=" : "+";
    names += (names.empty() ? "" : ",") + spelled;
  }
  const std::string exclusions = help                ? "(- :)"
                                 : option.repeatable ? "*"
                                                     : "(" + Joined(option.names, " ") + ")";
  std::string rest = "[" + ZshSpecText(OneLine(option)) + "]";
  if (option.TakesValue()) rest += ":" + value + ":" + ZshAction(program, option);
  // Several names: a brace expansion makes one _arguments word of each.
  if (option.names.size() > 1) return Quoted(exclusions) + "{" + names + "}" + Quoted(rest);
  return Quoted(exclusions + names + rest);
}

std::string ZshArguments(const ProgramReference& program,
                         const std::vector<OptionReference>& options) {
  std::string out;
  for (const OptionReference& option : options) {
    if (!option.positional) out += " \\\n      " + ZshSpec(program, option);
  }
  for (const OptionReference& option : options) {
    if (option.positional) out += " \\\n      " + ZshSpec(program, option);
  }
  return out;
}

}  // namespace

std::string ZshCompletion(const ProgramReference& program) {
  const std::string f = "_" + Identifier(program.name);
  const Controls controls = ControlsOf(program);
  std::string out = "#compdef " + program.name + "\n" + Header("zsh", program);
  if (!controls.names.empty()) {
    out += "\n# A control's name, then (after NAME=) a ring's items.\n" + f +
           "_controls() {\n"
           "  if compset -P '*='; then\n"
           "    case ${IPREFIX%=} in\n";
    for (const auto& [name, items] : controls.items) {
      std::vector<std::string> quoted;
      for (const std::string& item : items) quoted.push_back(Quoted(item));
      out += "      (" + Quoted(name) + ") compadd -- " + Joined(quoted, " ") + " ;;\n";
    }
    out +=
        "    esac\n"
        "  else\n"
        "    compadd -S = -- " +
        Joined(controls.names, " ") +
        "\n"
        "  fi\n"
        "}\n";
  }
  out += "\n" + f + "() {\n";
  if (program.commands.empty()) {
    out += "  _arguments -s" + ZshArguments(program, program.options) + "\n}\n\n" + f + " \"$@\"\n";
    return out;
  }
  out +=
      "  local curcontext=$curcontext state line ret=1\n"
      "  typeset -A opt_args\n"
      "  _arguments -C" +
      ZshArguments(program, program.options) +
      " \\\n      ': :->command' \\\n      '*:: :->argument' && ret=0\n"
      "  case $state in\n"
      "    (command)\n"
      "      local -a commands=(\n";
  for (const CommandReference& command : program.commands) {
    out += "        " +
           Quoted(Replaced(command.name, ':', "\\:") + ":" + Flattened(command.summary)) + "\n";
  }
  out +=
      "      )\n"
      "      _describe -t commands command commands && ret=0 ;;\n"
      "    (argument)\n"
      "      curcontext=${curcontext%:*:*}:" +
      program.name +
      "-$line[1]:\n"
      "      case $line[1] in\n";
  for (const CommandReference& command : program.commands) {
    out += "        (" + command.name + ")\n          _arguments -s" +
           Replaced(ZshArguments(program, command.options), '\n', "\n    ") + " && ret=0 ;;\n";
  }
  out +=
      "      esac ;;\n"
      "  esac\n"
      "  return ret\n"
      "}\n\n" +
      f + " \"$@\"\n";
  return out;
}

namespace {

std::string FishQuoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) {
    if (c == '\\' || c == '\'') out += '\\';
    out += c;
  }
  return out + "'";
}

std::string FishFunction(const ProgramReference& program, const Scope& scope,
                         const OptionReference& option) {
  return "__" + Identifier(program.name) +
         (scope.name.empty() ? "" : "_" + Identifier(scope.name)) + "_" +
         Identifier(option.names.back().substr(option.names.back().find_first_not_of('-')));
}

}  // namespace

std::string FishCompletion(const ProgramReference& program) {
  const std::string command = "complete -c " + program.name;
  const Controls controls = ControlsOf(program);
  std::vector<std::string> commandNames;
  for (const CommandReference& entry : program.commands) commandNames.push_back(entry.name);
  std::string out = Header("fish", program) + "\n" + command + " -f\n";

  if (!controls.names.empty()) {
    out += "\n# A control's name, then (after NAME=) a ring's items.\nfunction __" +
           Identifier(program.name) +
           "_controls\n"
           "    set -l token (commandline -ct)\n"
           "    if string match -q -- '*=*' $token\n"
           "        switch (string split -m1 = -- $token)[1]\n";
    for (const auto& [name, items] : controls.items) {
      out += "            case " + FishQuoted(name) + "\n                printf '%s\\n'";
      for (const std::string& item : items) {
        std::string entry = name;
        entry.append("=").append(item);
        out.append(" ").append(FishQuoted(entry));
      }
      out += "\n";
    }
    out += "        end\n    else\n        printf '%s\\n'";
    for (const std::string& name : controls.names) out += " " + FishQuoted(name + "=");
    out += "\n    end\nend\n";
  }

  for (const Scope& scope : Scopes(program)) {
    std::string condition;
    if (!commandNames.empty()) {
      condition =
          scope.name.empty()
              ? " -n " + FishQuoted("not __fish_seen_subcommand_from " + Joined(commandNames, " "))
              : " -n " + FishQuoted("__fish_seen_subcommand_from " + scope.name);
    }
    out += "\n";
    if (!scope.name.empty()) {
      out += command + " -n " +
             FishQuoted("not __fish_seen_subcommand_from " + Joined(commandNames, " ")) + " -a " +
             FishQuoted(scope.name) + " -d " + FishQuoted(Flattened(scope.summary)) + "\n";
    }
    if (TakesFiles(scope)) out += command + condition + " -F\n";
    for (const OptionReference& option : *scope.options) {
      if (option.positional) continue;
      std::string line = command + condition;
      for (const std::string& name : option.names) {
        line +=
            (name.starts_with("--") ? " -l " : " -s ") + name.substr(name.find_first_not_of('-'));
      }
      if (option.TakesValue()) {
        switch (option.kind) {
          case ValueKind::File: line += " -r -F"; break;
          case ValueKind::Directory: line += " -x -a '(__fish_complete_directories)'"; break;
          case ValueKind::Control:
            line += " -x -a " + FishQuoted("(__" + Identifier(program.name) + "_controls)");
            break;
          case ValueKind::Choice: {
            const std::string function = FishFunction(program, scope, option);
            std::string lines;
            for (const std::string& choice : option.choices) {
              lines += " " + FishQuoted(choice + "\t" + option.ChoiceDescription(choice));
            }
            out.append("function ").append(function).append("\n    printf '%s\\n'");
            out.append(lines).append("\nend\n");
            line += " -x -a " + FishQuoted("(" + function + ")");
            break;
          }
          case ValueKind::None: line += " -x"; break;
        }
      }
      out += line + " -d " + FishQuoted(OneLine(option)) + "\n";
    }
  }
  return out;
}

}  // namespace qv::cli
