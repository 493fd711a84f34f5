#pragma once
// The command line read against the command table with CLI11. Help, the version
// and usage errors are answered here; what is left is a command to run.

#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command.h"

namespace qv::cli {

class CommandLine {
 public:
  CommandLine();
  ~CommandLine();
  CommandLine(const CommandLine&) = delete;
  CommandLine& operator=(const CommandLine&) = delete;

  // The exit status when the line is answered here (help and the version on
  // `out`, a usage error on `err`); nothing when a command is to run.
  std::optional<int> Parse(std::span<const std::string_view> args, std::ostream& out,
                           std::ostream& err);

  // The command a Parse left to run, with what it was given.
  const CommandSpec& Command() const { return Commands()[chosen_]; }
  const CommonArguments& Arguments() const { return arguments_; }
  // --trace FILE; empty when not given.
  const std::string& TracePath() const { return tracePath_; }
  int Run(CommandContext& context) const { return runs_[chosen_](context); }
  // Every command and option, for the documents written from them.
  const CLI::App& Parser() const { return *app_; }

 private:
  std::unique_ptr<CLI::App> app_;
  CommonArguments arguments_;
  std::string tracePath_;
  std::vector<CLI::App*> subcommands_;  // one for each row of the table
  std::vector<CommandRun> runs_;
  std::size_t chosen_ = 0;
};

}  // namespace qv::cli
