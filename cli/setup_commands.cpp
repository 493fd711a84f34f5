#include "cli/setup_commands.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <string>
#include <vector>

#include "cli/control_edit.h"
#include "cli/exit_status.h"
#include "cli/panel_report.h"
#include "cli/plan_document.h"
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
  const CLI::Validator controlEqualsValue(
      [](std::string& text) {
        return SplitSetting(text) ? std::string() : "expected CONTROL=VALUE, not \"" + text + "\"";
      },
      "");
  command
      .add_option("--set", *settings,
                  "a main-panel control by its constant, in the\n"
                  "order given: PLL1_N=102, REFFREQ=19.44,\n"
                  "MARGIN=High (a ring takes its item text)")
      ->type_name("CONTROL=VALUE")
      ->allow_extra_args(false)
      ->check(controlEqualsValue);
  return [settings](CommandContext& context) {
    for (const std::string& text : *settings) {
      const std::string refusal = CommitSetting(*SplitSetting(text));
      if (!refusal.empty()) {
        context.err << "qv3380: " << refusal << '\n';
        return EXIT_USAGE;
      }
    }
    return SaveSetup(context);
  };
}

}  // namespace qv::cli
