#pragma once
// The command line of qv3380: which command, on which files, with which settings.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qv::cli {

enum class Command { Help, Version, Check, Show, Edit, ExportJson, New, Apply, Solve };

// One --set CONTROL=VALUE.
struct ControlSetting {
  std::string control;
  std::string value;
};

struct CliRequest {
  Command command = Command::Help;
  std::string input;
  std::string output;
  std::vector<ControlSetting> settings;
  bool json = false;
  bool online = false;
  // solve: wanted output frequencies in Hz, and the map to fill.
  std::array<std::optional<double>, 4> targetsHz;
  std::optional<int> map;
};

struct ParsedArguments {
  std::optional<CliRequest> request;
  std::string error;  // set when request is not
};

ParsedArguments ParseArguments(std::span<const std::string_view> args);

std::string_view UsageText();

}  // namespace qv::cli
