#include "report/clock_tree.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "base/text_format.h"
#include "plan/plan_colors.h"
#include "report/block_look.h"
#include "report/drawing.h"
#include "report/numbers.h"

namespace qv::report {
namespace {

// Columns left to right, and the rows of the outputs: each PLL sits between its two.
constexpr Area kSource{16, 0, 130, 50};
constexpr Area kDivider{166, 0, 62, 50};
constexpr Area kPfd{334, 210, 130, 56};
constexpr Area kMux{248, 165, 66, 146};
constexpr double kPllX = 490, kPllWidth = 150;
constexpr double kVcoX = 664, kVcoWidth = 130;
constexpr double kVX = 818, kDX = 880, kDividerWidth = 48;
constexpr double kOutX = 944, kOutWidth = 140;
constexpr double kRowHeight = 56;
constexpr std::array<double, OUTPUT_COUNT> kOutputTop{72, 156, 264, 348};
constexpr double kCrystalTop = 171, kRefclkTop = 257;
constexpr double kSscTop = 404, kSscHeight = 48;
constexpr double kLegendY = 484;
constexpr double kWidth = 1100, kHeight = 500;

Area At(double x, double width, double top, double height = kRowHeight) {
  return {x, top, width, height};
}

Area OutputRow(double x, double width, int k) { return At(x, width, kOutputTop[k]); }

Area PllRow(double x, double width, int pll) {
  const auto [even, odd] = OutputsOf(pll);
  const double middle = (kOutputTop[even] + kOutputTop[odd] + kRowHeight) / 2.0;
  return At(x, width, middle - kRowHeight / 2.0);
}

std::string OnOff(bool on) { return on ? "on" : "off"; }

class TreeDrawer {
 public:
  TreeDrawer(const PlanEvaluation& plan, int map)
      : plan_(plan),
        map_(plan.maps[map]),
        paths_(map_.active),
        in_(plan.inputs),
        settings_(plan.inputs.maps[map]) {}

  Scene Draw() {
    scene_.width = kWidth;
    scene_.height = kHeight;
    scene_.title = "Clock tree, " + MapTitle(map_.map);
    Heading();
    Links();
    Reference();
    for (int pll = 0; pll < PLL_COUNT; ++pll) Pll(pll);
    SpreadSpectrum();
    for (int k = 0; k < OUTPUT_COUNT; ++k) Output(k);
    Legend();
    return std::move(scene_);
  }

 private:
  void Add(SceneGroup group) { scene_.groups.push_back(std::move(group)); }

  void AddBlock(std::string id, const Area& area, const JudgedBlock& judged,
                const std::vector<std::string>& lines, int fill = SCENE_NONE) {
    Add(BlockGroup(std::move(id), area, judged.look, judged.hover, lines, fill));
  }

  void Heading() {
    SceneGroup heading;
    heading.id = "heading";
    const std::string use = map_.inUse
                                ? "in use"
                                : FormatText("not in use: shown as it runs when MARGIN is %s",
                                             map_.map == 0 ? "low" : "high");
    heading.shapes.emplace_back(Label({16, 28}, "Clock tree: " + MapTitle(map_.map) + ", " + use,
                                      0x000000, 16, TextAnchor::Start, true));
    const BoardInputs& board = in_.board;
    heading.shapes.emplace_back(
        Label({16, 50},
              FormatText("REFSEL %s (%s), SSCG %s, MAX_BW %s; hover over a block for its checks",
                         board.refsel ? "high" : "low", board.refsel ? "crystal" : "REFCLK",
                         board.sscg ? "high" : "low", board.maxbw ? "high" : "low"),
              0x404040, kSmallTextSize));
    Add(std::move(heading));
  }

  void Reference() {
    const bool crystal = plan_.crystalSelected;
    const std::string notCrystal = "REFSEL is low: REFCLK is the reference";
    const std::string notRefclk = "REFSEL is high: the crystal is the reference";
    const double crystalHz = CrystalFrequency(in_.board.crystalIndex);
    AddBlock("crystal", At(kSource.x, kSource.width, kCrystalTop, kSource.height),
             JudgeBlock(crystal, {}, "Crystal", notCrystal), {"Crystal", Mhz(crystalHz)});
    AddBlock("refclk", At(kSource.x, kSource.width, kRefclkTop, kSource.height),
             JudgeBlock(!crystal, {}, "External REFCLK input", notRefclk),
             {"REFCLK", Mhz(in_.board.refclkHz)});
    AddBlock("refdiv", At(kDivider.x, kDivider.width, kRefclkTop, kDivider.height),
             JudgeBlock(!crystal, {Find(CheckKind::RefclkDivider)},
                        "The REFCLK divider acts on the REFCLK path only", notRefclk),
             {"REFDIV", in_.refdiv ? "\u00f72" : "\u00f71"});
    AddBlock("refsel", kMux,
             JudgeBlock(true, {},
                        crystal ? "REFSEL high selects the crystal" : "REFSEL low selects REFCLK"),
             {"REFSEL", crystal ? "high" : "low", crystal ? "crystal" : "REFCLK"}, REFSEL_COLOR);
    AddBlock(
        "pfd", kPfd, JudgeBlock(true, {Find(CheckKind::Pfd)}, "Phase detector"),
        {"PFD", Mhz(plan_.pfdHz), FormatText("%d <= N <= %d", plan_.nRange.min, plan_.nRange.max)});
  }

  void Pll(int pll) {
    const std::string name(kPlls[pll].name);
    const bool on = paths_.pll[pll];
    const std::string off = name + " is powered down";
    const int n = pll == 0 ? settings_.pll1N : settings_.pll2N;
    std::vector<std::string> lines{name};
    std::string about = FormatText("%s feedback ratio %.12g", name.c_str(), map_.ratio[pll]);
    if (kPlls[pll].fractional) {
      lines.push_back(map_.fractionalN
                          ? FormatText("N = %d + %d/%d", n, settings_.frac, settings_.mod)
                          : FormatText("N = %d", n));
      lines.push_back(FormatText("SDM %s", OnOff(in_.sdmPowered).c_str()));
      about +=
          FormatText("; sigma-delta modulator %s", in_.sdmPowered ? "powered" : "powered down");
    } else {
      lines.push_back(FormatText("N = %d", n));
    }
    if (!on) lines.push_back("powered down");
    AddBlock(LowerCase(name), PllRow(kPllX, kPllWidth, pll),
             JudgeBlock(on,
                        {Find(CheckKind::FeedbackDivider, pll), Find(CheckKind::InjectionLock),
                         kPlls[pll].fractional ? Find(CheckKind::FractionalWord, pll) : nullptr},
                        about, off),
             lines);
    const std::string vco = FormatText("VCO%d", pll + 1);
    AddBlock(LowerCase(vco), PllRow(kVcoX, kVcoWidth, pll),
             JudgeBlock(on, {Find(CheckKind::Vco, pll)}, "", off),
             {vco, FrequencyText(map_.vco[pll], 1e9, 6, "GHz")});
  }

  void SpreadSpectrum() {
    const int pll = FractionalPll();
    const Area area{kPllX, kSscTop, kVcoX + kVcoWidth - kPllX, kSscHeight};
    std::string figures = "off";
    if (paths_.ssc) {
      figures = Percent(map_.ssc.downspreadPercent) + " (" + Ppm(map_.ssc.downspreadPercent * 1e4) +
                "), " + Khz(map_.ssc.modulationHz);
    }
    AddBlock(
        "ssc", area,
        JudgeBlock(paths_.ssc,
                   {Find(CheckKind::SscSpan), Find(CheckKind::SscDepth), Find(CheckKind::SscSteps),
                    Find(CheckKind::SscClockDivider)},
                   "Spread spectrum sweeps " + std::string(kPlls[pll].name) + "'s fractional word",
                   "Spread spectrum is off: " + map_.SscOffReason()),
        {"Spread spectrum", figures});
    const Area pllArea = PllRow(kPllX, kPllWidth, pll);
    Add(LinkGroup("link-ssc-" + LowerCase(kPlls[pll].name),
                  {{pllArea.CenterX(), area.y}, pllArea.BottomMiddle()}, paths_.ssc));
  }

  void Output(int k) {
    const OutputFacts& out = kOutputs[k];
    const std::string name(out.name);
    const std::string id = LowerCase(name);
    const std::string idle = IdleReason(k);
    const bool synced = VcoDividerSource(k, in_.sync[out.pll]) != k;
    const std::string syncIdle =
        synced && paths_.output[k]
            ? FormatText("%s runs on %s's VCO divider (%s sync on)", name.c_str(),
                         std::string(kOutputs[out.syncPartner].name).c_str(),
                         std::string(kPlls[out.pll].name).c_str())
            : idle;
    AddBlock(id + "-v", OutputRow(kVX, kDividerWidth, k),
             JudgeBlock(paths_.ownVcoDivider[k], {}, FormatText("%s VCO divider", name.c_str()),
                        syncIdle),
             {"\u00f7V", std::to_string(settings_.v[k])});
    AddBlock(id + "-d", OutputRow(kDX, kDividerWidth, k),
             JudgeBlock(paths_.output[k], {}, FormatText("%s output divider", name.c_str()), idle),
             {"\u00f7D", std::to_string(settings_.d[k])});
    const int family = map_.family[k];
    const std::string format =
        FormatText("%s, pair format %d (%s)", std::string(kFamilyNames[family]).c_str(),
                   in_.formatCodes[out.pll],
                   std::string(kFormatCodes[in_.formatCodes[out.pll] & 7].name).c_str());
    AddBlock(id, OutputRow(kOutX, kOutWidth, k),
             JudgeBlock(paths_.output[k], {Find(CheckKind::Output, k)},
                        FormatText("%s: V %d, D %d; %s", name.c_str(), map_.effectiveV[k],
                                   settings_.d[k], format.c_str()),
                        idle),
             {name, Mhz(map_.out[k]),
              std::string(kFamilyNames[family]) + (in_.outputPowered[k] ? ", on" : ", off")});
  }

  std::string IdleReason(int k) const {
    const OutputFacts& out = kOutputs[k];
    if (!paths_.pll[out.pll]) return std::string(kPlls[out.pll].name) + " is powered down";
    return std::string(out.name) + " is powered down";
  }

  // Idle links first, so a path shared with a link in use shows in use.
  void Links() {
    const std::size_t first = scene_.groups.size();
    AllLinks();
    std::stable_partition(scene_.groups.begin() + static_cast<std::ptrdiff_t>(first),
                          scene_.groups.end(),
                          [](const SceneGroup& link) { return link.classes == "link inactive"; });
  }

  void AllLinks() {
    const bool crystal = plan_.crystalSelected;
    const Area crystalBox = At(kSource.x, kSource.width, kCrystalTop, kSource.height);
    const Area refclkBox = At(kSource.x, kSource.width, kRefclkTop, kSource.height);
    const Area divider = At(kDivider.x, kDivider.width, kRefclkTop, kDivider.height);
    Add(LinkGroup("link-crystal-refsel", {crystalBox.RightMiddle(), {kMux.x, crystalBox.CenterY()}},
                  crystal));
    Add(LinkGroup("link-refclk-refdiv", {refclkBox.RightMiddle(), divider.LeftMiddle()}, !crystal));
    Add(LinkGroup("link-refdiv-refsel", {divider.RightMiddle(), {kMux.x, divider.CenterY()}},
                  !crystal));
    Add(LinkGroup("link-refsel-pfd", {kMux.RightMiddle(), kPfd.LeftMiddle()}, true));
    for (int pll = 0; pll < PLL_COUNT; ++pll) {
      const std::string name = LowerCase(kPlls[pll].name);
      const Area pllBox = PllRow(kPllX, kPllWidth, pll);
      const Area vcoBox = PllRow(kVcoX, kVcoWidth, pll);
      Add(LinkGroup("link-pfd-" + name, Elbow(kPfd.RightMiddle(), pllBox.LeftMiddle()),
                    paths_.pll[pll]));
      Add(LinkGroup("link-" + name + "-vco" + std::to_string(pll + 1),
                    {pllBox.RightMiddle(), vcoBox.LeftMiddle()}, paths_.pll[pll]));
      for (int k : OutputsOf(pll)) {
        const std::string out = LowerCase(kOutputs[k].name);
        const Area v = OutputRow(kVX, kDividerWidth, k);
        const Area d = OutputRow(kDX, kDividerWidth, k);
        const Area o = OutputRow(kOutX, kOutWidth, k);
        Add(LinkGroup("link-vco" + std::to_string(pll + 1) + "-" + out + "-v",
                      Elbow(vcoBox.RightMiddle(), v.LeftMiddle()), paths_.ownVcoDivider[k]));
        Add(LinkGroup(FormatText("link-%s-v-%s-d", out.c_str(), out.c_str()),
                      {v.RightMiddle(), d.LeftMiddle()}, paths_.ownVcoDivider[k]));
        Add(LinkGroup(FormatText("link-%s-d-%s", out.c_str(), out.c_str()),
                      {d.RightMiddle(), o.LeftMiddle()}, paths_.output[k]));
      }
      SyncLink(pll);
    }
  }

  // The odd output on its partner's VCO divider: from between the partner's
  // dividers down into the odd output divider.
  void SyncLink(int pll) {
    const auto [even, odd] = OutputsOf(pll);
    if (!in_.sync[pll]) return;
    const Area partner = OutputRow(kVX, kDividerWidth, even);
    const Area d = OutputRow(kDX, kDividerWidth, odd);
    const double x = (partner.Right() + d.x) / 2.0;
    const double gap = (partner.Bottom() + d.y) / 2.0;
    const bool active = paths_.output[odd];
    const std::string from = LowerCase(kOutputs[even].name), to = LowerCase(kOutputs[odd].name);
    SceneGroup link =
        LinkGroup("link-" + from + "-v-" + to + "-d",
                  {{x, partner.CenterY()}, {x, gap}, {d.CenterX(), gap}, d.TopMiddle()}, active);
    link.shapes.emplace_back(Label({d.CenterX() + 8, gap + 4}, "sync",
                                   active ? kLinkColor : kIdleLinkColor, kSmallTextSize));
    Add(std::move(link));
  }

  void Legend() {
    struct Entry {
      Look look;
      const char* text;
    };
    constexpr std::array<Entry, 4> kEntries{{
        {Look::Active, "in use, within limits"},
        {Look::Fail, "fails a check"},
        {Look::Warning, "warning"},
        {Look::Inactive, "not in use or powered down"},
    }};
    SceneGroup legend;
    legend.id = "legend";
    double x = 16;
    for (const Entry& entry : kEntries) {
      const LookColors colors = ColorsOf(entry.look);
      SceneBox swatch{x, kLegendY - 10, 14, 12};
      swatch.fill = colors.fill;
      swatch.stroke = colors.stroke;
      legend.shapes.emplace_back(swatch);
      legend.shapes.emplace_back(Label({x + 20, kLegendY}, entry.text, 0x404040, kSmallTextSize));
      x += 44 + 6.5 * std::char_traits<char>::length(entry.text);
    }
    Add(std::move(legend));
  }

  const Check* Find(CheckKind kind, int index = 0) const { return map_.Find(kind, index); }

  const PlanEvaluation& plan_;
  const MapEvaluation& map_;
  const ActivePaths& paths_;
  const PlanInputs& in_;
  const MapSettings& settings_;
  Scene scene_;
};

}  // namespace

Scene ClockTreeScene(const PlanEvaluation& plan, int map) { return TreeDrawer(plan, map).Draw(); }

}  // namespace qv::report
