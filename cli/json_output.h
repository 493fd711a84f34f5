#pragma once
// qv3380's JSON on standard output: one document, indented, ASCII only.

#include <nlohmann/json.hpp>
#include <ostream>

namespace qv::cli {

using Json = nlohmann::ordered_json;

void WriteJson(std::ostream& out, const Json& document);

}  // namespace qv::cli
