#include "cli/plan_document.h"

#include <cmath>
#include <string>

namespace qv::cli {
namespace {

// Infinite or undefined frequencies become null; the check's reason says why.
Json Number(double value) { return std::isfinite(value) ? Json(value) : Json(nullptr); }

const char* CheckName(CheckKind kind) {
  switch (kind) {
    case CheckKind::Pfd: return "pfd";
    case CheckKind::FeedbackDivider: return "feedback_divider";
    case CheckKind::Vco: return "vco";
    case CheckKind::Output: return "output";
    case CheckKind::VcoDivider: return "vco_divider";
    case CheckKind::FractionalWord: return "fractional_word";
    case CheckKind::RefclkDivider: return "refclk_divider";
    case CheckKind::SscSpan: return "ssc_span";
    case CheckKind::SscDepth: return "ssc_depth";
    case CheckKind::SscSteps: return "ssc_steps";
    case CheckKind::SscClockDivider: return "ssc_clock_divider";
    default: return "injection_lock";
  }
}

Json CheckJson(const Check& check, int map) {
  return {{"map", map},
          {"check", CheckName(check.kind)},
          {"subject", check.subject},
          {"verdict", VerdictName(check.verdict())},
          {"reason", check.Reason()},
          {"value", Number(check.value)},
          {"low", Number(check.low)},
          {"high", Number(check.high)},
          {"unit", check.unit}};
}

Json PllJson(const PlanEvaluation& plan, const MapEvaluation& map, int pll) {
  const MapSettings& settings = plan.inputs.maps[map.map];
  const bool fractional = kPlls[pll].fractional;
  Json entry = {{"name", kPlls[pll].name},
                {"powered", plan.inputs.pllPowered[pll]},
                {"n", pll == 0 ? settings.pll1N : settings.pll2N}};
  if (fractional) {
    entry["frac"] = settings.frac;
    entry["mod"] = settings.mod;
    entry["fractional_n"] = map.fractionalN;
  }
  entry["ratio"] = Number(map.ratio[pll]);
  entry["vco_hz"] = Number(map.vco[pll]);
  entry["sync"] = plan.inputs.sync[pll];
  entry["format_code"] = plan.inputs.formatCodes[pll];
  entry["format"] = kFormatCodes[plan.inputs.formatCodes[pll] & 0x07].name;
  return entry;
}

Json OutputJson(const PlanEvaluation& plan, const MapEvaluation& map, int k) {
  const MapSettings& settings = plan.inputs.maps[map.map];
  return {{"name", kOutputs[k].name},
          {"pll", kPlls[kOutputs[k].pll].name},
          {"powered", plan.inputs.outputPowered[k]},
          {"active", map.active.output[k]},
          {"v", settings.v[k]},
          {"d", settings.d[k]},
          {"effective_v", map.effectiveV[k]},
          {"family", kFamilyNames[map.family[k]]},
          {"frequency_hz", Number(map.out[k])},
          {"limit_hz", OutputLimit(map.family[k])}};
}

Json SpreadSpectrumJson(const PlanEvaluation& plan, const MapEvaluation& map) {
  Json entry = {{"active", map.active.ssc},
                {"fracstep", plan.inputs.fracstep},
                {"numstep", plan.inputs.numstep},
                {"ckdiv", plan.inputs.ckdiv},
                {"span", map.ssc.span},
                {"minimum_span", map.ssc.minimumSpan},
                {"downspread_percent", Number(map.ssc.downspreadPercent)},
                {"modulation_hz", Number(map.ssc.modulationHz)}};
  if (!map.active.ssc) entry["off_because"] = map.SscOffReason();
  return entry;
}

const char* MapVerdict(const MapEvaluation& map) {
  bool warned = false;
  for (const Check& check : map.checks) {
    if (check.verdict() == Verdict::Fail) return "fail";
    warned = warned || check.verdict() == Verdict::Warning;
  }
  return warned ? "warning" : "pass";
}

}  // namespace

Json PlanDocument(const PlanEvaluation& plan, Json panel) {
  const BoardInputs& board = plan.inputs.board;
  Json document = NewDocument(kPlanDocument);
  document["pins"] = {{"REFSEL", board.refsel ? 1 : 0},
                      {"MARGIN", board.margin ? 1 : 0},
                      {"SSCG", board.sscg ? 1 : 0},
                      {"MAX_BW", board.maxbw ? 1 : 0}};
  document["reference"] = {{"source", plan.crystalSelected ? "crystal" : "refclk"},
                           {"crystal_index", board.crystalIndex},
                           {"crystal_hz", CrystalFrequency(board.crystalIndex)},
                           {"refclk_hz", Number(board.refclkHz)},
                           {"refclk_divider", plan.inputs.refdiv ? 2 : 1}};
  document["pfd_hz"] = Number(plan.pfdHz);
  document["n_range"] = {{"min", plan.nRange.min}, {"max", plan.nRange.max}};
  document["map_in_use"] = plan.mapInUse;
  document["sdm_powered"] = plan.inputs.sdmPowered;
  Json maps = Json::array();
  Json checks = Json::array();
  for (const MapEvaluation& map : plan.maps) {
    Json plls = Json::array(), outputs = Json::array();
    for (int pll = 0; pll < PLL_COUNT; ++pll) plls.push_back(PllJson(plan, map, pll));
    for (int k = 0; k < OUTPUT_COUNT; ++k) outputs.push_back(OutputJson(plan, map, k));
    maps.push_back({{"map", map.map},
                    {"title", MapTitle(map.map)},
                    {"in_use", map.inUse},
                    {"verdict", MapVerdict(map)},
                    {"plls", std::move(plls)},
                    {"outputs", std::move(outputs)},
                    {"spread_spectrum", SpreadSpectrumJson(plan, map)}});
    for (const Check& check : map.checks) checks.push_back(CheckJson(check, map.map));
  }
  document["maps"] = std::move(maps);
  document["checks"] = std::move(checks);
  document["fails"] = plan.AnyFailure();
  document["panel"] = std::move(panel);
  return document;
}

}  // namespace qv::cli
