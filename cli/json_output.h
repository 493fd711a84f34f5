#pragma once
// qv3380's JSON on standard output: one document, indented, ASCII only. Every
// document names its schema (docs/NAME.schema.json) and version first, and its
// keys are snake_case; a new key keeps the version, a key renamed or a
// meaning changed raises it.

#include <nlohmann/json.hpp>
#include <ostream>
#include <vector>

namespace qv::cli {

using Json = nlohmann::ordered_json;

struct DocumentKind {
  const char* schema;
  int version;
};

inline constexpr DocumentKind kPlanDocument{"qv3380.plan", 2};
inline constexpr DocumentKind kSolveDocument{"qv3380.solve", 2};
inline constexpr DocumentKind kSscDocument{"qv3380.ssc", 2};
inline constexpr DocumentKind kDiffDocument{"qv3380.diff", 2};
inline constexpr DocumentKind kAdaptersDocument{"qv3380.adapters", 1};

// {"schema": ..., "version": ...}, for the rest to follow.
Json NewDocument(DocumentKind kind);

// A planner's document: the one map's plan after the schema and version, or
// for both maps "map": "both" and each map's plan under "plans".
Json PlannerDocument(DocumentKind kind, const std::vector<Json>& plans);

void WriteJson(std::ostream& out, const Json& document);

}  // namespace qv::cli
