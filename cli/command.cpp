#include "cli/command.h"

#include "cli/exit_status.h"

namespace qv::cli {
namespace {

int Print(CommandContext& context, const std::string& text) {
  context.out << text;
  return EXIT_DONE;  // a failed standard output is caught once, after the run
}

}  // namespace

int SaveSetup(CommandContext& context) {
  if (context.args.OutputIsStandardOutput()) return Print(context, context.session.SetupFileText());
  return context.session.SaveAs(context.args.output) ? EXIT_DONE : EXIT_FILE_REFUSED;
}

int ExportJson(CommandContext& context) {
  if (context.args.OutputIsStandardOutput()) {
    return Print(context, context.session.JsonDefinitionText());
  }
  return context.session.ExportJson(context.args.output) ? EXIT_DONE : EXIT_FILE_REFUSED;
}

}  // namespace qv::cli
