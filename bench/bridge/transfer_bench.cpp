// What a transfer costs above its fixed 50 ms pause: enumeration, open,
// descriptor, send, reply and close, against the simulated adapter.
// Goal: at most 2 ms. Reported time is per call, with the pause taken off.

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "bridge/hidbridge.h"
#include "tools/sim/chip.h"
#include "tools/sim/fake_adapter.h"
#include "tools/sim/fixtures.h"
#include "tools/sim/testbed.h"

namespace {

using namespace qv::sim;
using Clock = std::chrono::steady_clock;
constexpr auto pause = std::chrono::milliseconds(50);

template <typename Call>
void aboveThePause(benchmark::State& state, Call call) {
  Testbed testbed;
  testbed.add(fixtures::otherHid);
  testbed.add(fixtures::adapter);
  Chip chip;
  FakeAdapter adapter(testbed, chip, std::string(fixtures::adapterNode));
  for (auto _ : state) {
    const auto start = Clock::now();
    benchmark::DoNotOptimize(call());
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start - pause).count());
  }
}

void BM_ReadAboveThePause(benchmark::State& state) {
  aboveThePause(state, [] { return readi2c(chipAddress, idRegister); });
}

void BM_WriteAboveThePause(benchmark::State& state) {
  aboveThePause(state, [] { return writei2c(chipAddress, 0x10, 0x5A); });
}

// Each iteration sleeps 50 ms, so the count is fixed rather than left to the library.
BENCHMARK(BM_ReadAboveThePause)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(100);
BENCHMARK(BM_WriteAboveThePause)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(100);

}  // namespace

int main(int argc, char** argv) {
  qv::sim::ensureMockEnvironment(argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
