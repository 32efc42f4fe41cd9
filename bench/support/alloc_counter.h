// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A count of every heap allocation the process makes (this file's source replaces every form of
// the global operator new and delete), and a report that fails a benchmark whose timed part
// allocated.

#include <benchmark/benchmark.h>

#include <cstddef>

namespace numora::bench {

// How many times the process has called operator new so far.
std::size_t Allocations();

// Counts what the timed part of a benchmark allocates. Start it just before the timed loop.
class AllocationCount {
 public:
  AllocationCount() : start_(Allocations()) {}

  // Runs `step` with the clock stopped; what it allocates is not the measured operation's.
  template <class Step>
  void Untimed(benchmark::State& state, Step step) {
    const std::size_t before = Allocations();
    state.PauseTiming();
    step();
    state.ResumeTiming();
    untimed_ += Allocations() - before;
  }

  // Reports allocs/op; the benchmark fails when the timed part allocated at all, or when the
  // count cannot be trusted because allocations are not being counted.
  void Report(benchmark::State& state) const;

 private:
  std::size_t start_;
  std::size_t untimed_ = 0;
};

// Measures `step` once per iteration, and every `period` iterations runs `keepGoing` untimed, so
// that a run neither ends nor fills up while it is measured. Reports as AllocationCount does.
template <class Step, class KeepGoing>
void MeasureSteps(benchmark::State& state, long period, KeepGoing keepGoing, Step step) {
  long steps = 0;
  AllocationCount allocations;
  for (auto _ : state) {
    step();
    if (++steps == period) {
      allocations.Untimed(state, keepGoing);
      steps = 0;
    }
  }
  allocations.Report(state);
}

}  // namespace numora::bench
