#include "report/block_look.h"

#include <vector>

namespace qv::report {
namespace {

std::string Reasons(std::initializer_list<const Check*> checks, Verdict verdict) {
  std::string text;
  for (const Check* check : checks) {
    if (!check || check->verdict() != verdict) continue;
    if (!text.empty()) text += "\n";
    text += check->Reason();
  }
  return text;
}

}  // namespace

JudgedBlock JudgeBlock(bool inUse, std::initializer_list<const Check*> checks,
                       const std::string& about, const std::string& idle) {
  JudgedBlock judged;
  std::string why;
  if (std::string failed = Reasons(checks, Verdict::Fail); !failed.empty()) {
    judged.look = Look::Fail;
    why = std::move(failed);
  } else if (std::string warned = Reasons(checks, Verdict::Warning); !warned.empty()) {
    judged.look = Look::Warning;
    why = std::move(warned);
  } else if (!inUse) {
    judged.look = Look::Inactive;
    why = Reasons(checks, Verdict::Inactive);
    if (why.empty()) why = idle;
  } else {
    why = Reasons(checks, Verdict::Pass);
  }
  judged.hover = about;
  if (!why.empty()) judged.hover += (about.empty() ? "" : "\n") + why;
  return judged;
}

}  // namespace qv::report
