#include "cli/json_output.h"

namespace qv::cli {

void WriteJson(std::ostream& out, const Json& document) {
  // A panel text is not always valid UTF-8; a stray byte must not stop the document.
  out << document.dump(2, ' ', true, Json::error_handler_t::replace) << '\n';
}

}  // namespace qv::cli
