#include "report/report_content.h"

#include <cmath>
#include <initializer_list>

#include "base/text_format.h"
#include "chip/field_codec.h"
#include "report/clock_tree.h"
#include "report/numbers.h"
#include "report/ssc_profile.h"

namespace qv::report {
namespace {

Block Heading(std::string text, int level = 2) {
  Block block;
  block.kind = Block::Kind::Heading;
  block.level = level;
  block.text = std::move(text);
  return block;
}

Block Paragraph(std::string text) {
  Block block;
  block.text = std::move(text);
  return block;
}

Block TableBlock(Table table) {
  Block block;
  block.kind = Block::Kind::Table;
  block.table = std::move(table);
  return block;
}

Block Figure(Scene scene, std::string caption) {
  Block block;
  block.kind = Block::Kind::Figure;
  block.figure = std::make_shared<const Scene>(std::move(scene));
  block.text = std::move(caption);
  return block;
}

Table KeyValueTable() { return {{"Item", "Value"}, {false, false}, {}}; }

Cell VerdictCell(Verdict verdict) { return {VerdictName(verdict), ToneOf(verdict)}; }

// The worst of some checks: a failure, else a warning, else a pass; inactive
// only when none of them applies.
Verdict Worst(std::initializer_list<const Check*> checks) {
  Verdict worst = Verdict::Inactive;
  for (const Check* check : checks) {
    const Verdict verdict = check->verdict();
    if (verdict == Verdict::Fail) return verdict;
    if (verdict == Verdict::Warning || (verdict == Verdict::Pass && worst == Verdict::Inactive)) {
      worst = verdict;
    }
  }
  return worst;
}

std::string OnOff(bool on) { return on ? "on" : "off"; }
std::string Level(bool high) { return high ? "high" : "low"; }

std::string MapSummary(const MapEvaluation& map) {
  int failures = 0, warnings = 0;
  for (const Check& check : map.checks) {
    failures += check.verdict() == Verdict::Fail;
    warnings += check.verdict() == Verdict::Warning;
  }
  if (failures == 0 && warnings == 0) return "every check passes";
  std::string text;
  if (failures > 0)
    AppendFormat(text, "%d %s", failures, failures == 1 ? "check fails" : "checks fail");
  if (failures > 0 && warnings > 0) text += ", ";
  if (warnings > 0) AppendFormat(text, "%d %s", warnings, warnings == 1 ? "warning" : "warnings");
  return text;
}

class ReportBuilder {
 public:
  ReportBuilder(const PlanEvaluation& plan, const RegisterImage& registers,
                const ReportOrigin& origin)
      : plan_(plan), registers_(registers), origin_(origin) {}

  Report Build() {
    report_.title = "QV3380 design report";
    Add(Heading(report_.title, 1));
    Header();
    Add(Heading("Clock tree"));
    Add(Figure(ClockTreeScene(plan_, plan_.mapInUse),
               "The clock tree of " + MapTitle(plan_.mapInUse) +
                   ", the map in use. Red: fails a check; yellow: warning; grey: not in use or "
                   "powered down."));
    Reference();
    for (const MapEvaluation& map : plan_.maps) Map(map);
    PowerAndSync();
    Registers();
    return std::move(report_);
  }

 private:
  void Add(Block block) { report_.blocks.push_back(std::move(block)); }

  void Header() {
    Table table = KeyValueTable();
    table.rows.push_back({{"Tool"}, {"qv3380 " + origin_.toolVersion}});
    table.rows.push_back({{"Source file"},
                          {origin_.sourceFile.empty() ? "none: the settings the program holds"
                                                      : origin_.sourceFile}});
    if (!origin_.date.empty()) table.rows.push_back({{"Date"}, {origin_.date}});
    table.rows.push_back({{"Mode"}, {origin_.mode}});
    table.rows.push_back({{"Map in use"}, {MapTitle(plan_.mapInUse)}});
    for (const MapEvaluation& map : plan_.maps) {
      table.rows.push_back(
          {{MapTitle(map.map)}, {MapSummary(map), map.Fails() ? Tone::Fail : Tone::Pass}});
    }
    Add(TableBlock(std::move(table)));
  }

  void Reference() {
    const BoardInputs& board = plan_.inputs.board;
    const MapEvaluation& used = plan_.InUse();
    Add(Heading("Reference and phase detector"));
    Table table = KeyValueTable();
    table.rows.push_back({{"Input pins"},
                          {FormatText("REFSEL %s, MARGIN %s, SSCG %s, MAX_BW %s",
                                      Level(board.refsel).c_str(), Level(board.margin).c_str(),
                                      Level(board.sscg).c_str(), Level(board.maxbw).c_str())}});
    table.rows.push_back(
        {{"Reference"}, {board.refsel ? "the crystal (REFSEL high)" : "REFCLK (REFSEL low)"}});
    const auto source = [](std::string text, bool selected) {
      return selected ? Cell{std::move(text)} : Cell{text + " (not selected)", Tone::Inactive};
    };
    table.rows.push_back(
        {{"Crystal"},
         source(FormatText("%s (index %d)", Mhz(CrystalFrequency(board.crystalIndex)).c_str(),
                           board.crystalIndex),
                board.refsel)});
    table.rows.push_back({{"REFCLK"}, source(Mhz(board.refclkHz), !board.refsel)});
    const Check& divider = *used.Find(CheckKind::RefclkDivider);
    table.rows.push_back({{"REFCLK divider"}, {divider.Reason(), ToneOf(divider.verdict())}});
    const Check& pfd = *used.Find(CheckKind::Pfd);
    table.rows.push_back(
        {{"PFD"}, {Mhz(plan_.pfdHz) + ": " + pfd.Reason(), ToneOf(pfd.verdict())}});
    table.rows.push_back({{"Feedback divider range"},
                          {FormatText("%d <= N <= %d", plan_.nRange.min, plan_.nRange.max)}});
    Add(TableBlock(std::move(table)));
  }

  void Map(const MapEvaluation& map) {
    Add(Heading(MapTitle(map.map) + (map.inUse ? ", in use" : ", not in use")));
    if (!map.inUse) {
      Add(Paragraph(
          "Checked as if MARGIN selected it: the pin can switch on the board at any time."));
    }
    Add(Heading("PLLs and VCOs", 3));
    Plls(map);
    Add(Heading("Outputs", 3));
    Outputs(map);
    Add(Heading("Spread spectrum", 3));
    SpreadSpectrum(map);
    Add(Heading("Checks", 3));
    Checks(map);
  }

  void Plls(const MapEvaluation& map) {
    const MapSettings& settings = plan_.inputs.maps[map.map];
    Table table{{"PLL", "Power", "Settings", "Ratio N + F/M", "VCO (MHz)", "VCO (GHz)", "Check"},
                {false, false, false, true, true, true, false},
                {}};
    for (int pll = 0; pll < PLL_COUNT; ++pll) {
      const int n = pll == 0 ? settings.pll1N : settings.pll2N;
      std::string setup = FormatText("N %d", n);
      std::string ratio = std::to_string(n);
      if (kPlls[pll].fractional) {
        AppendFormat(setup, ", F %d, M %d, SDM %s", settings.frac, settings.mod,
                     OnOff(plan_.inputs.sdmPowered).c_str());
        if (map.fractionalN) {
          ratio = FormatText("%d + %d/%d = %.12f", n, settings.frac, settings.mod, map.ratio[pll]);
        }
      }
      table.rows.push_back({{std::string(kPlls[pll].name)},
                            {OnOff(plan_.inputs.pllPowered[pll])},
                            {setup},
                            {ratio},
                            {FixedPoint(map.vco[pll] / 1e6, 6)},
                            {FixedPoint(map.vco[pll] / 1e9, 9)},
                            VerdictCell(Worst({map.Find(CheckKind::Vco, pll),
                                               map.Find(CheckKind::FeedbackDivider, pll)}))});
    }
    Add(TableBlock(std::move(table)));
  }

  void Outputs(const MapEvaluation& map) {
    const MapSettings& settings = plan_.inputs.maps[map.map];
    Table table{{"Output", "Power", "V", "D", "Frequency (MHz)", "Format", "Limit (MHz)",
                 "Margin to limit", "Check"},
                {false, false, true, true, true, false, true, true, false},
                {}};
    for (int k = 0; k < OUTPUT_COUNT; ++k) {
      const OutputFacts& out = kOutputs[k];
      const int source = VcoDividerSource(k, plan_.inputs.sync[out.pll]);
      std::string v = std::to_string(map.effectiveV[k]);
      if (source != k) v += " (" + std::string(kOutputs[source].name) + "'s, sync)";
      const double limit = OutputLimit(map.family[k]);
      table.rows.push_back({{std::string(out.name)},
                            {OnOff(plan_.inputs.outputPowered[k])},
                            {v},
                            {std::to_string(settings.d[k])},
                            {FixedPoint(map.out[k] / 1e6, 9)},
                            {std::string(kFamilyNames[map.family[k]])},
                            {FormatText("%.6f", limit / 1e6)},
                            {Percent(100.0 * (limit - map.out[k]) / limit)},
                            VerdictCell(map.Find(CheckKind::Output, k)->verdict())});
    }
    Add(TableBlock(std::move(table)));
  }

  void SpreadSpectrum(const MapEvaluation& map) {
    const SscProfile profile = SpreadSpectrumProfile(plan_, map.map);
    if (!profile.active) {
      Add(Paragraph("Spread spectrum is off: " + map.SscOffReason() + "."));
      return;
    }
    const PlanInputs& in = plan_.inputs;
    Table table = KeyValueTable();
    table.rows.push_back({{"FracStep, NumSteps, CkDiv"},
                          {FormatText("%d, %d, %d", in.fracstep, in.numstep, in.ckdiv)}});
    const Check& span = *map.Find(CheckKind::SscSpan);
    table.rows.push_back({{"FracRange"},
                          {FormatText("%d (the minimum is %d)", map.ssc.span, map.ssc.minimumSpan),
                           ToneOf(span.verdict())}});
    const Check& depth = *map.Find(CheckKind::SscDepth);
    table.rows.push_back(
        {{"Downspread"},
         {Percent(map.ssc.downspreadPercent) + " (" + Ppm(map.ssc.downspreadPercent * 1e4) + ")",
          ToneOf(depth.verdict())}});
    std::string modulation = Khz(map.ssc.modulationHz);
    if (profile.periodSeconds > 0)
      modulation += " (period " + Microseconds(profile.periodSeconds) + ")";
    table.rows.push_back({{"Modulation frequency"}, {modulation}});
    for (const SweptSignal& signal : profile.signals) {
      table.rows.push_back(
          {{signal.name + " sweep"}, {Mhz(signal.nominalHz) + " to " + Mhz(signal.sweptHz)}});
    }
    Add(TableBlock(std::move(table)));
    Add(Figure(ProfileScene(profile), "The spread-spectrum sweep of " + MapTitle(map.map) +
                                          " over two modulation periods."));
  }

  void Checks(const MapEvaluation& map) {
    Table table{{"Check", "Verdict", "Reason"}, {false, false, false}, {}};
    for (const Check& check : map.checks) {
      table.rows.push_back({{check.subject}, VerdictCell(check.verdict()), {check.Reason()}});
    }
    Add(TableBlock(std::move(table)));
  }

  void PowerAndSync() {
    Add(Heading("Power, formats and sync"));
    Table table{{"Setting", "State"}, {false, false}, {}};
    for (const ChipField& field : AllChipFields()) {
      const bool state = field.kind == FieldKind::PowerDown || field.kind == FieldKind::Enable ||
                         field.kind == FieldKind::FormatCode;
      if (field.map >= 0 || !state) continue;
      table.rows.push_back(
          {{FieldName(field)}, {FieldValueText(field, codec::DecodeField(field, registers_))}});
    }
    Add(TableBlock(std::move(table)));
  }

  void Registers() {
    Add(Heading("Registers"));
    Table table{{"Address", "Register", "Value", "Binary", "Default", "Fields"},
                {false, false, false, false, false, false},
                {}};
    for (int reg = 0; reg < REGISTER_COUNT; ++reg) {
      const RegisterFacts& facts = kRegisters[reg];
      const int value = registers_[reg] & 0xFF;
      std::string fields;
      for (const ChipField* field : FieldsInRegister(reg)) {
        if (!fields.empty()) fields += "; ";
        fields += FieldName(*field) + ": " +
                  FieldValueText(*field, codec::DecodeField(*field, registers_));
      }
      if (const int other = value & UnassignedBits(reg); other != 0) {
        if (!fields.empty()) fields += "; ";
        fields += "other bits: " + Hex(other);
      }
      const bool isDefault = value == static_cast<int>(facts.defaultValue);
      table.rows.push_back(
          {{Hex(static_cast<int>(facts.address))},
           {std::string(facts.name)},
           {Hex(value)},
           {Binary(value)},
           {isDefault ? "yes" : "no (" + Hex(static_cast<int>(facts.defaultValue)) + ")"},
           {fields}});
    }
    Add(TableBlock(std::move(table)));
  }

  const PlanEvaluation& plan_;
  const RegisterImage& registers_;
  const ReportOrigin& origin_;
  Report report_;
};

}  // namespace

Report BuildReport(const PlanEvaluation& plan, const RegisterImage& registers,
                   const ReportOrigin& origin) {
  return ReportBuilder(plan, registers, origin).Build();
}

const char* ToneName(Tone tone) {
  switch (tone) {
    case Tone::Pass: return "pass";
    case Tone::Warning: return "warning";
    case Tone::Fail: return "fail";
    case Tone::Inactive: return "inactive";
    case Tone::Plain:
    default: return "";
  }
}

Tone ToneOf(Verdict verdict) {
  switch (verdict) {
    case Verdict::Pass: return Tone::Pass;
    case Verdict::Warning: return Tone::Warning;
    case Verdict::Fail: return Tone::Fail;
    case Verdict::Inactive:
    default: return Tone::Inactive;
  }
}

}  // namespace qv::report
