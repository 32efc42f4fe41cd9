// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of the endurance engine's tick and key handling, and proof that neither allocates: every
// allocation of the process is counted.
#include <benchmark/benchmark.h>

#include "bench/support/alloc_counter.h"
#include "bench/support/engine_run.h"
#include "endurance/endurance_engine.h"

namespace {

using numora::Ctl;
using numora::EnduranceEngine;
using numora::bench::AllocationCount;
using numora::bench::EngineRun;
using numora::bench::NumberKeys;

// One tick of a run, 7 ms after the previous one. A digit every 250 ticks (1750 ms) keeps the
// 2-second rule from ending the run; it is never confirmed, so the box is emptied now and then.
void BM_EnduranceTick(benchmark::State& state) {
  EngineRun<EnduranceEngine> run({9, "小刚", ""});
  int ticks = 0;
  int typed = 0;
  AllocationCount allocations;
  for (auto _ : state) {
    if (++ticks == 250) {
      ticks = 0;
      if (++typed == 16) {
        typed = 0;
        run.view.SetText(Ctl::Text1, "");
      }
      run.view.Type(run.engine, '1');
    }
    run.Tick();
  }
  allocations.Report(state);
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
