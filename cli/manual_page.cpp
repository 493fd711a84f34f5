#include "cli/manual_page.h"

#include <algorithm>
#include <cctype>

namespace qv::cli {
namespace {

// Every '-' as \- : the minus sign a reader can copy into a shell, where groff
// would print a hyphen that no program takes for one.
std::string Escape(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    if (c == '\\') {
      escaped += "\\e";
    } else if (c == '-') {
      escaped += "\\-";
    } else {
      escaped += c;
    }
  }
  return escaped;
}

std::string Bold(const std::string& text) { return "\\fB" + Escape(text) + "\\fR"; }
std::string Italic(const std::string& text) { return "\\fI" + Escape(text) + "\\fR"; }

// A line of text that roff would otherwise read as a request.
std::string TextLine(const std::string& line) {
  if (line.starts_with('.') || line.starts_with('\'')) return "\\&" + line + "\n";
  return line + "\n";
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    if (end > start) lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// --help breaks its lines to fit its columns; here they run on, except the
// lines that describe one choice each ("c: a C header").
std::string Paragraph(const std::string& text, const OptionReference* option = nullptr) {
  std::string out;
  bool first = true;
  for (const std::string& line : Lines(text)) {
    const bool ownLine =
        option && std::ranges::any_of(option->choices, [&](const std::string& choice) {
          return line.starts_with(choice + ": ");
        });
    if (ownLine && !first) out += ".br\n";
    out += TextLine(Escape(line));
    first = false;
  }
  return out;
}

// A text from --help as a sentence; `joinLines` puts it on one line.
std::string Sentence(std::string text, bool joinLines = true) {
  if (joinLines) std::ranges::replace(text, '\n', ' ');
  if (!text.empty()) text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  if (!text.empty() && text.back() != '.') text += '.';
  return text;
}

std::string Tag(const OptionReference& option) {
  if (option.positional) return Italic(option.valueName);
  std::string tag;
  for (const std::string& name : option.names) tag += (tag.empty() ? "" : ", ") + Bold(name);
  if (!option.valueName.empty()) tag += " " + Italic(option.valueName);
  return tag;
}

// How the option shows in a synopsis: required ones bare, the rest in brackets.
std::string Usage(const OptionReference& option) {
  const std::string shown =
      option.positional ? Italic(option.valueName)
                        : Bold(option.names.front()) +
                              (option.valueName.empty() ? "" : " " + Italic(option.valueName));
  return option.required ? shown : "[" + shown + "]";
}

std::string OptionItem(const OptionReference& option) {
  std::string item =
      ".TP\n" + Tag(option) + "\n" + Paragraph(Sentence(option.description, false), &option);
  std::vector<std::string> notes;
  if (option.required && !option.positional) notes.emplace_back("Required.");
  if (option.repeatable) notes.emplace_back("May be given more than once.");
  for (const std::string& need : option.needs) notes.push_back("Only with " + Bold(need) + ".");
  for (const std::string& note : notes) item += TextLine(note);
  return item;
}

// Options under the headings --help gives them, positionals first.
std::string OptionList(const std::vector<OptionReference>& options, bool withHelp) {
  std::vector<const OptionReference*> listed;
  for (const OptionReference& option : options) {
    if (option.positional) listed.push_back(&option);
  }
  for (const OptionReference& option : options) {
    if (!option.positional && (withHelp || !option.IsHelpOrVersion())) listed.push_back(&option);
  }
  std::string out;
  std::string group = "Options";
  for (const OptionReference* option : listed) {
    if (!option->positional && option->group != group) {
      group = option->group;
      out += ".PP\n" + TextLine("\\fI" + Escape(group) + ":\\fR");
    }
    out += OptionItem(*option);
  }
  return out;
}

std::string CommandSynopsis(const ProgramReference& program, const CommandReference& command) {
  std::string line = Bold(program.name + " " + command.name);
  std::string positionals;
  bool optional = false;
  for (const OptionReference& option : command.options) {
    if (option.IsHelpOrVersion()) continue;
    if (option.positional) {
      positionals += " " + Usage(option);
    } else if (option.required) {
      line += " " + Usage(option);
    } else {
      optional = true;
    }
  }
  if (optional) line += " [" + Italic("OPTION") + "]...";
  return TextLine(line + positionals);
}

std::string Synopsis(const ProgramReference& program) {
  std::string out = ".SH SYNOPSIS\n";
  std::string line = Bold(program.name);
  std::string positionals;
  for (const OptionReference& option : program.options) {
    if (option.IsHelpOrVersion()) continue;
    (option.positional ? positionals : line) += " " + Usage(option);
  }
  line += positionals;
  if (!program.commands.empty()) {
    line += " " + Italic("COMMAND") + " [" + Italic("OPTION") + "]...";
    out += TextLine(line) + ".br\n" +
           TextLine(Bold(program.name) + " [" + Italic("COMMAND") + "] " + Bold("--help"));
  } else {
    out += TextLine(line) + ".br\n" + TextLine(Bold(program.name + " --help"));
  }
  return out + ".br\n" + TextLine(Bold(program.name + " --version"));
}

std::string Entries(const std::string& title, const std::vector<ManualEntry>& entries) {
  if (entries.empty()) return "";
  std::string out = ".SH " + title + "\n";
  for (const ManualEntry& entry : entries) {
    out += ".TP\n" + TextLine(Bold(entry.term)) + Paragraph(entry.text);
  }
  return out;
}

std::string Examples(const std::vector<ManualEntry>& examples) {
  if (examples.empty()) return "";
  std::string out = ".SH EXAMPLES\n";
  for (const ManualEntry& example : examples) {
    out += ".PP\n" + Paragraph(example.text) + ".PP\n.RS 4\n.nf\n" + TextLine(Bold(example.term)) +
           ".fi\n.RE\n";
  }
  return out;
}

std::string UpperCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::string ManualPage(const ProgramReference& program, const ManualPageText& text) {
  std::string page = ".TH " + Escape(UpperCase(program.name)) + " 1 " + text.date + " \"" +
                     Escape(program.name + " " + text.version) + "\" \"User Commands\"\n";
  // Options and paths stay whole, and lines end where the words do.
  page += ".nh\n.ad l\n";
  page += ".SH NAME\n" + Escape(program.name) + " \\- " + Escape(text.whatis) + "\n";
  page += Synopsis(program);

  page += ".SH DESCRIPTION\n" + Paragraph(program.description);
  for (const std::string& paragraph : text.description) page += ".PP\n" + Paragraph(paragraph);

  page += ".SH OPTIONS\n" + OptionList(program.options, true);
  for (const std::string& note : text.optionNotes) page += ".PP\n" + Paragraph(note);

  if (!program.commands.empty()) {
    page += ".SH COMMANDS\n";
    for (const CommandReference& command : program.commands) {
      page += ".SS " + Escape(command.name) + "\n" + CommandSynopsis(program, command) + ".PP\n" +
              Paragraph(Sentence(command.summary)) + OptionList(command.options, false);
    }
  }

  page += ".SH \"EXIT STATUS\"\n";
  for (const ExitStatusReference& exit : program.exitStatuses) {
    page +=
        ".TP\n" + TextLine(Bold(std::to_string(exit.status))) + Paragraph(Sentence(exit.meaning));
  }
  page += Entries("ENVIRONMENT", text.environment);
  page += Entries("FILES", text.files);
  page += Examples(text.examples);
  if (!text.seeAlso.empty()) {
    page += ".SH \"SEE ALSO\"\n";
    std::string line;
    for (const std::string& reference : text.seeAlso) {
      const std::size_t open = reference.find('(');
      line += (line.empty() ? "" : ", ") + Bold(reference.substr(0, open)) +
              (open == std::string::npos ? "" : reference.substr(open));
    }
    page += TextLine(line);
  }
  return page;
}

}  // namespace qv::cli
