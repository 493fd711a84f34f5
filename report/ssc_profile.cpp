#include "report/ssc_profile.h"

#include <cmath>

#include "base/text_format.h"
#include "report/drawing.h"

namespace qv::report {
namespace {

// Beyond this many steps a sweep's stairs are finer than the picture: draw the triangle.
constexpr int kMostStairsDrawn = 32;

constexpr double kWidth = 1100, kHeight = 280;
constexpr double kPlotX = 118, kPlotWidth = 560;
constexpr double kPlotTop = 84, kPlotHeight = 112;
constexpr double kAxisY = kPlotTop + kPlotHeight + 16;
constexpr double kColumnsX = 740, kColumnPitch = 120;
constexpr int kGuideColor = 0xB0B0B0;
constexpr int kTraceColor = 0x1F4E9A;
constexpr int kMarkColor = 0x404040;

std::vector<SweepPoint> Sweep(const SscProfile& profile) {
  const double period = profile.periodSeconds;
  if (profile.steps > kMostStairsDrawn) {
    return {{0, 0}, {period / 2, 1}, {period, 0}, {1.5 * period, 1}, {2 * period, 0}};
  }
  // Down one step at a time to the far end, then back: 2 x steps steps a period.
  const int perPeriod = 2 * profile.steps;
  const double step = period / perPeriod;
  std::vector<SweepPoint> points;
  for (int s = 0; s < 2 * perPeriod; ++s) {
    const int phase = s % perPeriod;
    const int level = phase <= profile.steps ? phase : perPeriod - phase;
    const double fraction = static_cast<double>(level) / profile.steps;
    points.push_back({s * step, fraction});
    points.push_back({(s + 1) * step, fraction});
  }
  return points;
}

class ProfileDrawer {
 public:
  explicit ProfileDrawer(const SscProfile& profile) : profile_(profile) {}

  Scene Draw() {
    scene_.width = kWidth;
    scene_.height = kHeight;
    scene_.title = "Spread-spectrum profile, " + MapTitle(profile_.map);
    SceneGroup heading;
    heading.id = Id("heading");
    heading.shapes.emplace_back(
        Label({16, 28},
              "Spread spectrum: " + MapTitle(profile_.map) +
                  (profile_.sweep.empty() ? "" : ", two modulation periods"),
              0x000000, 16, TextAnchor::Start, true));
    heading.shapes.emplace_back(Label({16, 50}, Summary(), 0x404040, kSmallTextSize));
    scene_.groups.push_back(std::move(heading));
    if (profile_.sweep.empty()) {
      scene_.height = 66;
      return std::move(scene_);
    }
    Plot();
    for (std::size_t i = 0; i < profile_.signals.size(); ++i) Column(i);
    TimeAxis();
    return std::move(scene_);
  }

 private:
  std::string Id(const std::string& what) const {
    return FormatText("ssc-map%d-%s", profile_.map, what.c_str());
  }

  std::string Summary() const {
    if (!profile_.active) return "Spread spectrum is off: " + profile_.offReason + ".";
    const std::string depth = FormatText("Downspread %.3f %% (%.0f ppm)", profile_.depthPercent,
                                         profile_.depthPercent * 1e4);
    if (profile_.sweep.empty()) {
      return depth + FormatText("; NumSteps %d and CkDiv %d give no modulation.", profile_.steps,
                                profile_.cyclesPerStep);
    }
    return depth + FormatText(
                       "; modulation %.3f kHz, period %.3f \u00b5s; FracRange %d in %d steps "
                       "of %d PFD cycles",
                       profile_.modulationHz / 1e3, profile_.periodSeconds * 1e6, profile_.span,
                       profile_.steps, profile_.cyclesPerStep);
  }

  double X(double seconds) const {
    return kPlotX + seconds / (2.0 * profile_.periodSeconds) * kPlotWidth;
  }
  // The nominal level on top for a downspread, at the bottom for an upspread.
  bool Down() const { return profile_.depthPercent <= 0.0; }
  double NominalY() const { return Down() ? kPlotTop : kPlotTop + kPlotHeight; }
  double SweptY() const { return Down() ? kPlotTop + kPlotHeight : kPlotTop; }

  ScenePath Guide(double y, double right) const {
    ScenePath guide;
    guide.points = {{kPlotX, y}, {right, y}};
    guide.stroke = kGuideColor;
    guide.dashed = true;
    return guide;
  }

  // One trace serves every signal: each swings by the same fraction of itself.
  void Plot() {
    const double right =
        kColumnsX + kColumnPitch * static_cast<double>(profile_.signals.size()) - 20;
    SceneGroup plot;
    plot.id = Id("sweep");
    plot.classes = "trace";
    plot.hover = FormatText("Each signal swings by %.3f %% (%.0f ppm) of its nominal frequency",
                            profile_.depthPercent, profile_.depthPercent * 1e4);
    SceneBox area{kPlotX, kPlotTop, kPlotWidth, kPlotHeight};
    area.fill = 0xF7F7F7;
    area.stroke = SCENE_NONE;
    plot.shapes.emplace_back(area);
    plot.shapes.emplace_back(Guide(NominalY(), right));
    plot.shapes.emplace_back(Guide(SweptY(), right));
    plot.shapes.emplace_back(Label({kPlotX - 8, NominalY() + 4}, "nominal", kMarkColor,
                                   kSmallTextSize, TextAnchor::End));
    plot.shapes.emplace_back(Label({kPlotX - 8, SweptY() - 4},
                                   FormatText("%.3f %%", profile_.depthPercent), kMarkColor,
                                   kSmallTextSize, TextAnchor::End));
    plot.shapes.emplace_back(Label({kPlotX - 8, SweptY() + 10},
                                   FormatText("%.0f ppm", profile_.depthPercent * 1e4), kMarkColor,
                                   kSmallTextSize, TextAnchor::End));
    ScenePath trace;
    trace.stroke = kTraceColor;
    trace.strokeWidth = 1.5;
    for (const SweepPoint& point : profile_.sweep) {
      trace.points.push_back(
          {X(point.seconds), NominalY() + point.fraction * (SweptY() - NominalY())});
    }
    plot.shapes.emplace_back(std::move(trace));
    scene_.groups.push_back(std::move(plot));
    const double markX = kPlotX + kPlotWidth + 18;
    scene_.groups.push_back(
        Dimension(Id("depth"), {markX, NominalY()}, {markX, SweptY()}, kMarkColor));
  }

  // A signal's frequencies at the two levels of the trace.
  void Column(std::size_t index) {
    const SweptSignal& signal = profile_.signals[index];
    const double x = kColumnsX + kColumnPitch * static_cast<double>(index) + kColumnPitch - 24;
    SceneGroup column;
    column.id = Id(LowerCase(signal.name));
    column.classes = "signal";
    column.hover = FormatText("%s sweeps from %.6f MHz to %.6f MHz", signal.name.c_str(),
                              signal.nominalHz / 1e6, signal.sweptHz / 1e6);
    SceneBox hit{x - kColumnPitch + 28, kPlotTop - 38, kColumnPitch - 8, kPlotHeight + 58};
    hit.fill = SCENE_NONE;
    hit.stroke = SCENE_NONE;
    column.shapes.emplace_back(hit);
    // Each value beside its guide line: above the upper one, below the lower one.
    const auto beside = [](double y) { return y <= kPlotTop ? y - 5 : y + 14; };
    column.shapes.emplace_back(Label({x, kPlotTop - 24}, signal.name + " (MHz)", 0x000000,
                                     kTextSize, TextAnchor::End, true));
    column.shapes.emplace_back(Label({x, beside(NominalY())},
                                     FormatText("%.6f", signal.nominalHz / 1e6), 0x000000,
                                     kSmallTextSize, TextAnchor::End));
    column.shapes.emplace_back(Label({x, beside(SweptY())},
                                     FormatText("%.6f", signal.sweptHz / 1e6), 0x000000,
                                     kSmallTextSize, TextAnchor::End));
    scene_.groups.push_back(std::move(column));
  }

  void TimeAxis() {
    const double period = profile_.periodSeconds;
    SceneGroup ticks;
    ticks.id = Id("time");
    ScenePath line;
    line.points = {{kPlotX, kAxisY}, {kPlotX + kPlotWidth, kAxisY}};
    line.stroke = kMarkColor;
    ticks.shapes.emplace_back(line);
    for (int half = 0; half <= 4; ++half) {
      const double x = X(half * period / 2);
      ScenePath tick;
      tick.points = {{x, kAxisY}, {x, kAxisY + 5}};
      tick.stroke = kMarkColor;
      ticks.shapes.emplace_back(tick);
      const TextAnchor anchor =
          half == 0 ? TextAnchor::Start : (half == 4 ? TextAnchor::End : TextAnchor::Middle);
      ticks.shapes.emplace_back(Label({x, kAxisY + 18},
                                      FormatText("%.3f \u00b5s", half * period / 2 * 1e6),
                                      kMarkColor, kSmallTextSize, anchor));
    }
    scene_.groups.push_back(std::move(ticks));

    const double markY = kAxisY + 32;
    scene_.groups.push_back(Dimension(Id("period"), {X(0), markY}, {X(period), markY}, kMarkColor));
    SceneGroup label;
    label.id = Id("period-text");
    label.shapes.emplace_back(Label({X(period) + 10, markY + 4},
                                    FormatText("1/fmod = %.3f \u00b5s (fmod %.3f kHz)",
                                               period * 1e6, profile_.modulationHz / 1e3),
                                    kMarkColor, kSmallTextSize));
    scene_.groups.push_back(std::move(label));
  }

  const SscProfile& profile_;
  Scene scene_;
};

}  // namespace

SscProfile SpreadSpectrumProfile(const PlanEvaluation& plan, int map) {
  const MapEvaluation& evaluation = plan.maps[map];
  const PlanInputs& in = plan.inputs;
  SscProfile profile;
  profile.map = map;
  profile.active = evaluation.active.ssc;
  profile.offReason = evaluation.SscOffReason();
  profile.depthPercent = evaluation.ssc.downspreadPercent;
  profile.modulationHz = evaluation.ssc.modulationHz;
  profile.steps = in.numstep;
  profile.cyclesPerStep = in.ckdiv;
  profile.span = evaluation.ssc.span;
  if (!profile.active) return profile;

  const int pll = FractionalPll();
  const double factor = 1.0 + profile.depthPercent / 100.0;
  profile.signals.push_back(
      {"VCO" + std::to_string(pll + 1), evaluation.vco[pll], evaluation.vco[pll] * factor});
  for (int k : OutputsOf(pll)) {
    if (!evaluation.active.output[k]) continue;
    profile.signals.push_back(
        {std::string(kOutputs[k].name), evaluation.out[k], evaluation.out[k] * factor});
  }
  if (profile.modulationHz > 0.0 && std::isfinite(profile.modulationHz) && profile.steps > 0) {
    profile.periodSeconds = 1.0 / profile.modulationHz;
    profile.sweep = Sweep(profile);
  }
  return profile;
}

Scene ProfileScene(const SscProfile& profile) { return ProfileDrawer(profile).Draw(); }

}  // namespace qv::report
