// How long the panel takes to follow one change, headless, and the plan behind it.

#include <benchmark/benchmark.h>

#include "app/startup.h"
#include "files/panel/baseline.h"
#include "model/program_state.h"
#include "model/registers.h"
#include "plan/panel/frequency_engine.h"
#include "plan/panel/register_decoding.h"
#include "plan/plan_evaluation.h"
#include "plan/solver.h"
#include "plan/ssc_planner.h"
#include "ui/headless/headless_front_end.h"
#include "ui/panel_ids.h"
#include "ui/panel_store.h"
#include "ui/toolkit.h"

namespace {

qv::HeadlessFrontEnd& StartedOffline() {
  static qv::HeadlessFrontEnd ui;
  static bool started = false;
  if (!started) {
    qv::InstallFrontEnd(&ui);
    qv::RegisterProgramCallbacks();
    qv::StartProgram();
    qv::Store().PressButton(qv::startupPanelHandle, qv::startuppnl::RUNOFFLINE);
    started = true;
  }
  return ui;
}

void BM_RecalculateFrequencies(benchmark::State& state) {
  StartedOffline();
  for (auto _ : state) qv::RecalculateFrequencies();
}
BENCHMARK(BM_RecalculateFrequencies);

// Both maps' rules alone, for the plan the panel starts with.
void BM_EvaluatePlan(benchmark::State& state) {
  const qv::PlanInputs inputs =
      qv::PlanInputsFromRegisters(qv::DefaultRegisterImage(), qv::BoardInputs{});
  for (auto _ : state) benchmark::DoNotOptimize(qv::EvaluatePlan(inputs));
}
BENCHMARK(BM_EvaluatePlan);

// The same with every check's reason asked for, as the reports and the command line do.
void BM_EvaluatePlanWithReasons(benchmark::State& state) {
  const qv::PlanInputs inputs =
      qv::PlanInputsFromRegisters(qv::DefaultRegisterImage(), qv::BoardInputs{});
  for (auto _ : state) {
    const qv::PlanEvaluation plan = qv::EvaluatePlan(inputs);
    for (const qv::MapEvaluation& map : plan.maps) {
      for (const qv::Check& check : map.checks) benchmark::DoNotOptimize(check.Reason());
    }
  }
}
BENCHMARK(BM_EvaluatePlanWithReasons);

void BM_ApplyRegistersToPanelOffline(benchmark::State& state) {
  StartedOffline();
  for (int i = 0; i < qv::REGISTER_COUNT; ++i) {
    qv::SetupImage[i] = static_cast<int>(qv::RegisterTable[i].defaultValue);
  }
  for (auto _ : state) qv::ApplyRegistersToPanel();
}
BENCHMARK(BM_ApplyRegistersToPanelOffline);

void BM_CommitDividerOffline(benchmark::State& state) {
  StartedOffline();
  int value = 90;
  for (auto _ : state) {
    qv::Store().CommitValue(qv::panelHandle, qv::PLL1_N, value);
    value = value == 90 ? 91 : 90;
  }
}
BENCHMARK(BM_CommitDividerOffline);

// What the status line asks on every recalculation: does the panel differ
// from the last saved point?
void BM_HasUnsavedChanges(benchmark::State& state) {
  StartedOffline();
  for (auto _ : state) benchmark::DoNotOptimize(qv::HasUnsavedChanges());
}
BENCHMARK(BM_HasUnsavedChanges);

void BM_SolveFourTargets(benchmark::State& state) {
  qv::SolverRequest request;
  request.fpfd = 25e6;
  request.targets = {156.25e6, 106.25e6, 161.1328125e6, 33.333333e6};
  for (auto _ : state) benchmark::DoNotOptimize(qv::SolvePlan(request));
}
BENCHMARK(BM_SolveFourTargets)->Unit(benchmark::kMillisecond);

void BM_PlanPciExpressSpread(benchmark::State& state) {
  qv::PlanInputs inputs;
  inputs.maps[0].pll2N = 96;
  inputs.maps[0].frac = 87;
  inputs.maps[0].mod = 128;
  inputs.sdmPowered = true;
  for (auto _ : state) {
    benchmark::DoNotOptimize(qv::PlanSpreadSpectrum(inputs, 0, qv::PCI_EXPRESS_SSC));
  }
}
BENCHMARK(BM_PlanPciExpressSpread)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
