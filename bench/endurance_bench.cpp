// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of the endurance engine's tick and key handling, and proof that neither allocates: every
// allocation of the process is counted.
#include <benchmark/benchmark.h>

#include "bench/support/alloc_counter.h"
#include "bench/support/engine_run.h"
#include "endurance/endurance_engine.h"

namespace {

using numora::EnduranceEngine;
using numora::Role;
using namespace numora::bench;

// One tick of a run, 7 ms after the previous one. A digit every 250 ticks (1750 ms, untimed) keeps
// the 2-second rule from ending the run; it is never confirmed, so the box is emptied now and then.
void BM_EnduranceTick(benchmark::State& state) {
  EngineRun<EnduranceEngine> run({9, "小刚", ""});
  int typed = 0;
  const auto typeADigit = [&] {
    if (++typed == 16) {
      typed = 0;
      run.view.SetText(Role::Entry, "");
    }
    run.view.Type(run.engine, '1');
  };
  MeasureSteps(state, 250, typeADigit, [&] { run.Tick(); });
}
BENCHMARK(BM_EnduranceTick);

// One key of a run: the digits of the next number, then Enter. The run never ends.
void BM_EnduranceKeyPress(benchmark::State& state) {
  EngineRun<EnduranceEngine> run({9, "小刚", ""});
  NumberKeys keys;
  AllocationCount allocations;
  for (auto _ : state) run.view.Type(run.engine, keys.Next());
  allocations.Report(state);
}
BENCHMARK(BM_EnduranceKeyPress);

}  // namespace

BENCHMARK_MAIN();
