#include "cli/map_option.h"

#include <CLI/CLI.hpp>
#include <vector>

#include "app/option_words.h"
#include "plan/panel/plan_inputs.h"
#include "plan/plan_evaluation.h"

namespace qv::cli {

void AddMapOption(CLI::App& command, std::optional<int>& map, const std::string& description) {
  command
      .add_option_function<std::string>(
          "--map",
          [&map](const std::string& text) { map = text == "both" ? BOTH_MAPS : std::stoi(text); },
          description)
      ->type_name("0|1|both")
      ->check(OneOf("--map", {"0", "1", "both"}));
}

int MapOrMargin(std::optional<int> map) { return map.value_or(GetMarginPin() != 0 ? 1 : 0); }

}  // namespace qv::cli
