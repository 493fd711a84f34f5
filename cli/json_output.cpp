#include "cli/json_output.h"

namespace qv::cli {

Json NewDocument(DocumentKind kind) { return {{"schema", kind.schema}, {"version", kind.version}}; }

Json PlannerDocument(DocumentKind kind, const std::vector<Json>& plans) {
  Json document = NewDocument(kind);
  if (plans.size() == 1) {
    document.update(plans.front());
    return document;
  }
  document["map"] = "both";
  document["plans"] = plans;
  return document;
}

void WriteJson(std::ostream& out, const Json& document) {
  // A panel text is not always valid UTF-8; a stray byte must not stop the document.
  out << document.dump(2, ' ', true, Json::error_handler_t::replace) << '\n';
}

}  // namespace qv::cli
