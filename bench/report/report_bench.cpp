// One design report of each kind, and the clock tree as SVG and PNG, from a
// plan with spread spectrum on and a failing map: the goal is well under a
// second each (the PDF's first run also starts Qt's GUI module).

#include <benchmark/benchmark.h>

#include "base/version.h"
#include "report/report_files.h"
#include "ui/paint/qt_picture_renderer.h"

namespace qv {
namespace {

PlanEvaluation BusyPlan() {
  PlanInputs in = PlanInputsFromRegisters(DefaultRegisterImage(), BoardInputs{});
  in.board.sscg = true;
  in.sdmPowered = true;
  in.maps[0].frac = 250;
  in.maps[0].mod = 1000;
  in.fracstep = -5;
  in.numstep = 20;
  in.ckdiv = 4;
  in.sync[1] = true;
  in.maps[1].pll1N = 130;
  return EvaluatePlan(in);
}

void BM_File(benchmark::State& state, report::FileKind kind) {
  const PlanEvaluation plan = BusyPlan();
  const report::ReportOrigin origin{std::string(kToolVersion), "board.stp", "Offline Mode",
                                    "2024-01-01 00:00:00 +0000"};
  std::string problem;
  for (auto _ : state) {
    const std::string bytes =
        report::RenderFile(kind, plan, DefaultRegisterImage(), origin, plan.mapInUse, &problem);
    if (bytes.empty()) state.SkipWithError(problem.c_str());
    benchmark::DoNotOptimize(bytes.data());
  }
}

BENCHMARK_CAPTURE(BM_File, markdown, report::FileKind::Markdown)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_File, html, report::FileKind::Html)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_File, pdf, report::FileKind::Pdf)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_File, svg, report::FileKind::Svg)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_File, png, report::FileKind::Png)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qv

// The painter lives in main, so Qt ends before the program does.
int main(int argc, char** argv) {
  qv::paint::QtPictureRenderer painter;
  qv::InstallPictureRenderer(&painter);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  qv::InstallPictureRenderer(nullptr);
  return 0;
}
