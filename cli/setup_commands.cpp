#include "cli/setup_commands.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <string>
#include <vector>

#include "app/option_words.h"
#include "cli/control_edit.h"
#include "cli/exit_status.h"
#include "cli/panel_report.h"
#include "cli/plan_document.h"
#include "plan/panel/map_copy.h"
#include "plan/panel/plan_inputs.h"

namespace qv::cli {

CommandRun DefineShow(CLI::App& command) {
  auto json = std::make_shared<bool>(false);
  command.add_flag("--json", *json,
                   "the plan document (schema qv3380.plan),\n"
                   "with every control of the panel under \"panel\"");
  return [json](CommandContext& context) {
    const PlanEvaluation plan = EvaluatePlan(ReadPlanInputs());
    if (*json) {
      WriteJson(context.out, PlanDocument(plan, PanelJson()));
    } else {
      WritePlanReport(context.out, plan);
    }
    // MARGIN can switch on the board: a failure of either map fails the plan.
    return plan.AnyFailure() ? EXIT_CHECK_FAILED : EXIT_DONE;
  };
}

int CheckLoaded(CommandContext& context) {
  WriteFailures(context.out, EvaluatePlan(ReadPlanInputs()));
  return EXIT_DONE;
}

CommandRun DefineEdit(CLI::App& command) {
  auto settings = std::make_shared<std::vector<std::string>>();
  auto copies = std::make_shared<std::vector<std::string>>();
  const CLI::Validator controlEqualsValue(
      [](std::string& text) {
        return SplitSetting(text) ? std::string() : "expected CONTROL=VALUE, not \"" + text + "\"";
      },
      "");
  const CLI::Option* set = command
                               .add_option("--set", *settings,
                                           "a main-panel control by its constant, in the\n"
                                           "order given: PLL1_N=102, REFFREQ=19.44,\n"
                                           "MARGIN=High (a ring takes its item text)")
                               ->type_name("CONTROL=VALUE")
                               ->allow_extra_args(false)
                               ->check(controlEqualsValue);
  const CLI::Option* copy =
      command
          .add_option("--copy-map", *copies,
                      "every divider of one frequency map onto the\n"
                      "other, as Edit > Copy Map does; in the order\n"
                      "given among the --set")
          ->type_name("FROM:TO")
          ->allow_extra_args(false)
          ->check(OneOf("--copy-map", {kMapCopies.begin(), kMapCopies.end()}));
  return [settings, copies, &command, set, copy](CommandContext& context) {
    std::size_t nextSetting = 0, nextCopy = 0;
    for (const CLI::Option* given : command.parse_order()) {
      std::string refusal, text;
      if (given == set && nextSetting < settings->size()) {
        text = (*settings)[nextSetting++];
        refusal = CommitSetting(*SplitSetting(text));
      } else if (given == copy && nextCopy < copies->size()) {
        text = (*copies)[nextCopy++];
        const std::string why = CopyFrequencyMap(text[0] - '0', text[2] - '0');
        if (!why.empty()) refusal.append("--copy-map ").append(text).append(": ").append(why);
      }
      if (!refusal.empty()) {
        context.err << "qv3380: " << refusal << '\n';
        return EXIT_USAGE;
      }
    }
    return SaveSetup(context);
  };
}

}  // namespace qv::cli
