// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of one tick and one key of the counting engine, and proof that neither allocates
// once a run is going.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>
#include <vector>

#include "bench/support/alloc_counter.h"
#include "bench/support/engine_run.h"
#include "counting/counting_engine.h"

namespace {

using numora::CountingEngine;
using namespace numora::bench;

// Level 6: 420000 ms of limit.
const numora::Pupil kPupil{6, "小明", ""};

// A tick while a run is going: elapsed row and time left, five fields.
void BM_TickRunning(benchmark::State& state) {
  EngineRun<CountingEngine> b(kPupil);
  // 350 s: start a new visit before the limit runs out.
  MeasureSteps(
      state, 50000, [&] { b.Restart(); }, [&] { b.Tick(); });
}
BENCHMARK(BM_TickRunning);

// A tick between runs: the elapsed row is frozen, only the time left moves.
void BM_TickBetweenRuns(benchmark::State& state) {
  EngineRun<CountingEngine> b(kPupil);
  b.view.SetBox("9");
  b.engine.KeyPress(13);  // a wrong first number ends the run
  const auto newVisit = [&] {
    b.Restart();
    b.view.SetBox("9");
    b.engine.KeyPress(13);
  };
  MeasureSteps(state, 50000, newVisit, [&] { b.Tick(); });
}
BENCHMARK(BM_TickBetweenRuns);

// A digit typed into the box.
void BM_KeyPressDigit(benchmark::State& state) {
  EngineRun<CountingEngine> b(kPupil);
  AllocationCount allocations;
  for (auto _ : state) benchmark::DoNotOptimize(b.engine.KeyPress('7'));
  allocations.Report(state);
}
BENCHMARK(BM_KeyPressDigit);

// Enter on the right number: the mark, the last number, the emptied box; every 300th completes
// the run and takes the best result.
void BM_KeyPressEnter(benchmark::State& state) {
  EngineRun<CountingEngine> b(kPupil);
  std::vector<std::string> numbers;
  for (int n = 0; n <= 301; ++n) numbers.push_back(std::to_string(n));
  b.Tick(100000);
  AllocationCount allocations;
  for (auto _ : state) {
    b.view.SetBox(numbers[static_cast<std::size_t>(b.engine.ExpectedNumber())]);
    benchmark::DoNotOptimize(b.engine.KeyPress(13));
    if (b.engine.ExpectedNumber() > 300) {
      allocations.Untimed(state, [&] {
        b.engine.PlayAgain();
        b.engine.Start();
      });
    }
  }
  allocations.Report(state);
}
BENCHMARK(BM_KeyPressEnter);

}  // namespace

BENCHMARK_MAIN();
