// Cost of the open counting engine's tick and key handling, and proof that a tick allocates
// nothing: every heap allocation of the process is counted.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "open_counting/open_counting_engine.h"
#include "tests/support/fake_view.h"

namespace {

long allocations = 0;

}  // namespace

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace {

using numora::Ctl;
using numora::testing::ManualClock;

// A screen that keeps only the input box's text, which Enter reads back.
class CheapView final : public numora::ChallengeView {
 public:
  void SetText(Ctl c, std::string_view text) override {
    if (c == Ctl::Text1) box_.assign(text);
    benchmark::DoNotOptimize(text.data());
  }
  std::string_view Text(Ctl c) override { return c == Ctl::Text1 ? box_ : std::string_view(); }
  void SetEnabled(Ctl, bool) override {}
  void SetVisible(Ctl, bool) override {}
  void Focus(Ctl) override {}
  void SetTicking(bool) override {}
  void Type(numora::ChallengeEngine& engine, char key) {
    const int passed = engine.KeyPress(key);
    if (numora::IsDigitKey(passed)) box_.push_back(static_cast<char>(passed));
  }

 private:
  std::string box_ = std::string(32, ' ');  // room for any entry, so typing never allocates
};

// The count is only worth something if the replaced operator new is the one in use.
bool CountingWorks() {
  const long before = allocations;
  std::string probe(100, 'x');
  benchmark::DoNotOptimize(probe.data());
  return allocations > before;
}

void ReportAllocations(benchmark::State& state, long before) {
  const long made = allocations - before;
  if (!CountingWorks()) state.SkipWithError("allocations are not being counted");
  state.counters["allocs/op"] =
      benchmark::Counter(static_cast<double>(made), benchmark::Counter::kAvgIterations);
  if (made != 0) state.SkipWithError("the measured operation allocated");
}

// One tick of a level-8 run, 7 ms after the previous one, as the window's timer delivers them.
void BM_OpenCountingTick(benchmark::State& state) {
  ManualClock clock;
  CheapView view;
  numora::OpenCountingEngine engine(clock);
  const numora::Pupil pupil{8, "小红", ""};
  engine.Load(view, pupil);
  engine.Start();
  // The time limit would end the run after 60000 ticks; a new visit begins before that.
  long ticks = 0;
  const long before = allocations;
  for (auto _ : state) {
    if (++ticks == 50000) {
      ticks = 0;
      engine.Load(view, pupil);
      engine.Start();
    }
    clock.Advance(7);
    engine.Tick();
  }
  ReportAllocations(state, before);
}
BENCHMARK(BM_OpenCountingTick);

// One key of a run: the digits of the next number, then Enter.
void BM_OpenCountingKeyPress(benchmark::State& state) {
  ManualClock clock;
  CheapView view;
  numora::OpenCountingEngine engine(clock);
  engine.Load(view, numora::Pupil{7, "小红", ""});
  engine.Start();
  char digits[16];
  int length = 0;
  int next = 0;
  int number = 0;
  const long before = allocations;
  for (auto _ : state) {
    if (next == length) {
      // An entry above 32767 is wrong here, so a run starts over before it gets that far.
      if (++number == 30000) {
        engine.PlayAgain();
        engine.Start();
        number = 1;
      }
      length = std::snprintf(digits, sizeof digits, "%d\r", number);
      next = 0;
    }
    view.Type(engine, digits[next++]);
  }
  ReportAllocations(state, before);
}
BENCHMARK(BM_OpenCountingKeyPress);

}  // namespace

BENCHMARK_MAIN();
