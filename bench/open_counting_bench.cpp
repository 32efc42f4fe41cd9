// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of the open counting engine's tick and key handling, and proof that neither allocates:
// every allocation of the process is counted.
#include <benchmark/benchmark.h>

#include "bench/support/alloc_counter.h"
#include "bench/support/engine_run.h"
#include "open_counting/open_counting_engine.h"

namespace {

using numora::OpenCountingEngine;
using namespace numora::bench;

// One tick of a level-8 run, 7 ms after the previous one, as the window's timer delivers them.
void BM_OpenCountingTick(benchmark::State& state) {
  EngineRun<OpenCountingEngine> run({8, "小红", ""});
  // The time limit would end the run after 60000 ticks; a new visit begins before that.
  MeasureSteps(
      state, 50000, [&] { run.Restart(); }, [&] { run.Tick(); });
}
BENCHMARK(BM_OpenCountingTick);

// One key of a run: the digits of the next number, then Enter.
void BM_OpenCountingKeyPress(benchmark::State& state) {
  EngineRun<OpenCountingEngine> run({7, "小红", ""});
  NumberKeys keys;
  AllocationCount allocations;
  for (auto _ : state) {
    // An entry above 32767 is wrong here, so a run starts over before it gets that far.
    if (keys.NumberAhead() == 30000) {
      run.engine.PlayAgain();
      run.engine.Start();
      keys.Restart();
    }
    run.view.Type(run.engine, keys.Next());
  }
  allocations.Report(state);
}
BENCHMARK(BM_OpenCountingKeyPress);

}  // namespace

BENCHMARK_MAIN();
