// The cost of one tick and one key of the counting engine, and proof that neither allocates
// once a run is going: every operator new of the process is counted.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "counting/counting_engine.h"
#include "tests/support/fake_view.h"

namespace {
std::size_t g_allocations = 0;
}  // namespace

// Kept out of line: inlined into a delete expression, free() would look mismatched to the
// compiler's new/delete check.
[[gnu::noinline]] void* operator new(std::size_t size) {
  ++g_allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
[[gnu::noinline]] void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  ++g_allocations;
  return std::malloc(size ? size : 1);
}
[[gnu::noinline]] void operator delete(void* p) noexcept {
  std::free(p);
}
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
[[gnu::noinline]] void operator delete(void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}

namespace {

using numora::ChallengeView;
using numora::CountingEngine;
using numora::Ctl;
using numora::Pupil;
using numora::testing::ManualClock;

// A screen that keeps only the input box's text, in a fixed buffer, as a widget would hold it.
class CheapView final : public ChallengeView {
 public:
  void SetText(Ctl c, std::string_view text) override {
    written_ += text.size();
    if (c == Ctl::Text1) SetBox(text);
  }
  std::string_view Text(Ctl c) override {
    return c == Ctl::Text1 ? std::string_view(box_.data(), box_size_) : std::string_view();
  }
  void SetEnabled(Ctl, bool) override {}
  void SetVisible(Ctl, bool) override {}
  void Focus(Ctl) override {}
  void SetTicking(bool) override {}

  void SetBox(std::string_view text) {
    box_size_ = std::min(text.size(), box_.size());
    std::memcpy(box_.data(), text.data(), box_size_);
  }
  std::size_t written() const { return written_; }

 private:
  std::array<char, 32> box_{};
  std::size_t box_size_ = 0;
  std::size_t written_ = 0;
};

struct Bench {
  ManualClock clock;
  CheapView view;
  CountingEngine engine{clock};
  Pupil pupil{6, "小明", ""};

  Bench() { Restart(); }
  // A fresh visit with the run going; 420000 ms of limit at level 6.
  void Restart() {
    engine.Load(view, pupil);
    engine.Start();
  }
};

// Counts the allocations of the timed part of a benchmark; what an untimed restart allocates
// is left out.
class Allocations {
 public:
  template <class Step>
  void Untimed(benchmark::State& state, Step step) {
    const std::size_t at = g_allocations;
    state.PauseTiming();
    step();
    state.ResumeTiming();
    untimed_ += g_allocations - at;
  }
  void Report(benchmark::State& state, const CheapView& view) const {
    const auto timed = static_cast<double>(g_allocations - start_ - untimed_);
    state.counters["allocs/op"] = benchmark::Counter(timed, benchmark::Counter::kAvgIterations);
    benchmark::DoNotOptimize(view.written());
  }

 private:
  std::size_t start_ = g_allocations;
  std::size_t untimed_ = 0;
};

// A tick while a run is going: elapsed row and time left, five fields.
void BM_TickRunning(benchmark::State& state) {
  Bench b;
  std::size_t ticks = 0;
  Allocations allocations;
  for (auto _ : state) {
    b.clock.Advance(7);
    b.engine.Tick();
    if (++ticks == 50000) {  // 350 s: start a new visit before the limit runs out
      allocations.Untimed(state, [&] { b.Restart(); });
      ticks = 0;
    }
  }
  allocations.Report(state, b.view);
}
BENCHMARK(BM_TickRunning);

// A tick between runs: the elapsed row is frozen, only the time left moves.
void BM_TickBetweenRuns(benchmark::State& state) {
  Bench b;
  b.view.SetBox("9");
  b.engine.KeyPress(13);  // a wrong first number ends the run
  std::size_t ticks = 0;
  Allocations allocations;
  for (auto _ : state) {
    b.clock.Advance(7);
    b.engine.Tick();
    if (++ticks == 50000) {
      allocations.Untimed(state, [&] {
        b.Restart();
        b.view.SetBox("9");
        b.engine.KeyPress(13);
      });
      ticks = 0;
    }
  }
  allocations.Report(state, b.view);
}
BENCHMARK(BM_TickBetweenRuns);

// A digit typed into the box.
void BM_KeyPressDigit(benchmark::State& state) {
  Bench b;
  Allocations allocations;
  for (auto _ : state) benchmark::DoNotOptimize(b.engine.KeyPress('7'));
  allocations.Report(state, b.view);
}
BENCHMARK(BM_KeyPressDigit);

// Enter on the right number: the mark, the last number, the emptied box; every 300th completes
// the run and takes the best result.
void BM_KeyPressEnter(benchmark::State& state) {
  Bench b;
  std::vector<std::string> numbers;
  for (int n = 0; n <= 301; ++n) numbers.push_back(std::to_string(n));
  b.clock.Advance(100000);
  b.engine.Tick();
  Allocations allocations;
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
  allocations.Report(state, b.view);
}
BENCHMARK(BM_KeyPressEnter);

}  // namespace

BENCHMARK_MAIN();
