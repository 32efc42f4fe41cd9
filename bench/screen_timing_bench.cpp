// SPDX-License-Identifier: GPL-3.0-or-later
// Timing of the challenge windows as the game builds them: a tick (the engine and the labels it
// writes) and a frame (a tick and the repaint that shows it) as Google Benchmarks, and live
// measurements on a window whose Timer1 runs against the real clock:
//
//   screen_timing_bench [benchmark flags]      the window tick and frame benchmarks
//   screen_timing_bench ticks LEVEL SECONDS KEY_GAP_MS
//       runs a level, typing the numbers one key every KEY_GAP_MS (0: no keys), and prints the
//       tick intervals, the tick handler's cost, the frames painted and their cost, and the
//       process's CPU use
//   screen_timing_bench pauses COUNT
//       plays COUNT level-9 runs that end by the 2-second pause and prints how late the end came
//   screen_timing_bench startup
//       builds and shows the start screen as the game does and prints the wall-clock time at
//       which its first paint reached the display, then ends
//
// Every heap allocation made on the main thread is counted (malloc, calloc and realloc are
// forwarded to the C library, so operator new and Qt's containers are counted alike).
//
// The Windows build (measured under Wine) has the live measurements only: no Google Benchmark
// and no allocation counts there.
#ifdef _WIN32
#include <windows.h>
#else
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#endif

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/support/engine_run.h"
#include "endurance/endurance_engine.h"
#include "platform/clock.h"
#include "platform/design_label.h"
#include "platform/glyph_pictures.h"
#include "platform/layout.h"
#include "rules/time_text.h"
#include "start/form0.h"
#include "tests/support/fake_view.h"
#include "tests/support/window_driver.h"

#ifndef _WIN32
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* p, std::size_t size);
}

#endif

namespace {
thread_local long t_allocations = 0;
}  // namespace

#ifndef _WIN32

extern "C" {
void* malloc(std::size_t size) {
  ++t_allocations;
  return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
  ++t_allocations;
  return __libc_calloc(count, size);
}
void* realloc(void* p, std::size_t size) {
  ++t_allocations;
  return __libc_realloc(p, size);
}
}
#endif

namespace {

using numora::ChallengeWindow;
using numora::Pupil;
using numora::Role;
using numora::bench::NumberKeys;
using numora::driving::Click;
using numora::driving::MakeScreen;
using numora::driving::RunEventLoopFor;
using numora::driving::Screen;
using numora::driving::ShowActive;
using numora::driving::TypeKey;
using numora::platform::TickPacer;
using Steady = std::chrono::steady_clock;

Pupil PupilAt(int level) {
  return {static_cast<std::int16_t>(level), "小明", ""};
}

double MicrosBetween(Steady::time_point a, Steady::time_point b) {
  return std::chrono::duration<double, std::micro>(b - a).count();
}

#ifndef _WIN32
// ---------------------------------------------------------------------------------------------
// Benchmarks: the window on a manual clock moved on 7 ms before every tick.

void ReportAllocations(benchmark::State& state, long before) {
  state.counters["allocs/op"] = benchmark::Counter(static_cast<double>(t_allocations - before),
                                                   benchmark::Counter::kAvgIterations);
}

// The measured steps, kept apart so that a profiler can be told to record only them.
// A tick: the clock moves on by one tick and Timer1 fires.
[[gnu::noinline]] void TickStep(numora::testing::ManualClock& clock, ChallengeWindow& window) {
  clock.Advance(TickPacer::kTickMs);
  numora::driving::Tick(window);
}
// A frame: the clock moves on by a frame, the tick fires and the event loop repaints what it
// changed. Timer1 is stopped for this, so that the window paints every frame it is asked for;
// the tick comes by its signal.
[[gnu::noinline]] void FrameStep(numora::testing::ManualClock& clock, QTimer& timer) {
  clock.Advance(TickPacer::kFrameMs);
  QMetaObject::invokeMethod(&timer, "timeout", Qt::DirectConnection);
  QCoreApplication::processEvents();
}

// A key: typed into the window, and the repaint it asks for.
[[gnu::noinline]] void KeyStep(ChallengeWindow& window, char key) {
  TypeKey(window, key);
  QCoreApplication::processEvents();
}

// Runs `step` in a level's window with a run going: restarted whenever it ends, and at level 9
// a number typed every 200 steps, out of the timing, so that the 2-second rule does not end it.
template <class Step>
void RunWindowBenchmark(benchmark::State& state, bool stopTimer, Step step) {
  const int level = static_cast<int>(state.range(0));
  numora::testing::ManualClock clock;
  numora::platform::ReplaceDayClock(&clock);
  {
    std::unique_ptr<Screen> screen = MakeScreen(PupilAt(level));
    ChallengeWindow& window = screen->Window();
    if (!ShowActive(window)) {
      state.SkipWithError("the window did not come up");
      numora::platform::ReplaceDayClock(nullptr);
      return;
    }
    QTimer& timer = *window.tickTimer();
    NumberKeys typist;
    bool running = false;
    // The real timer never comes due: only the steps tick.
    auto quieten = [&] {
      if (stopTimer) {
        timer.stop();
      } else if (timer.isActive()) {
        timer.setInterval(3600 * 1000);
      }
    };
    auto startRun = [&] {
      if (Click(window, "Command3")) typist.Restart();
      running = Click(window, "Command1");
      quieten();
      QCoreApplication::processEvents();
    };
    auto ended = [&] {
      // A run that has ended disables the box.
      return !window.findChild<numora::platform::NumberBox*>(QStringLiteral("Text1"))->isEnabled();
    };
    startRun();
    long steps = 0;
    const long before = t_allocations;
    // What the paused typing and restarts allocate is not the measured step's.
    long untimed = 0;
    for (auto _ : state) {
      if (!running || ended() || (level == 9 && ++steps % 200 == 0)) {
        state.PauseTiming();
        const long pausedFrom = t_allocations;
        if (!ended()) {
          char key;
          do {
            key = typist.Next();
            TypeKey(window, key);
          } while (key != '\r');
        }
        if (ended()) startRun();
        quieten();
        QCoreApplication::processEvents();
        untimed += t_allocations - pausedFrom;
        state.ResumeTiming();
      }
      step(clock, window, timer, typist);
    }
    ReportAllocations(state, before + untimed);
  }
  numora::platform::ReplaceDayClock(nullptr);
}

// One tick of a running run: the engine and the label texts it writes, no painting.
void BM_WindowTick(benchmark::State& state) {
  RunWindowBenchmark(state, false,
                     [](auto& clock, auto& window, auto&, auto&) { TickStep(clock, window); });
}
BENCHMARK(BM_WindowTick)->ArgName("level")->Arg(1)->Arg(7)->Arg(9)->Unit(benchmark::kMicrosecond);

// One frame of a running run: a tick and the repaint of the labels it changed.
void BM_WindowFrame(benchmark::State& state) {
  RunWindowBenchmark(state, true,
                     [](auto& clock, auto&, auto& timer, auto&) { FrameStep(clock, timer); });
}
BENCHMARK(BM_WindowFrame)->ArgName("level")->Arg(1)->Arg(7)->Arg(9)->Unit(benchmark::kMicrosecond);

// One key of the numbers typed in a running run (a digit or Enter) and the repaint that shows it,
// which the window makes at once: the work between a key press and its picture.
void BM_WindowKey(benchmark::State& state) {
  RunWindowBenchmark(state, true, [](auto&, auto& window, auto&, NumberKeys& typist) {
    KeyStep(window, typist.Next());
  });
}
BENCHMARK(BM_WindowKey)->ArgName("level")->Arg(1)->Arg(7)->Arg(9)->Unit(benchmark::kMicrosecond);

// The same frame with every glyph's outline filled in place, as before the labels kept
// pictures of their large digits: what the pictures save.
void BM_WindowFrameOutlines(benchmark::State& state) {
  numora::platform::UseGlyphPictures(false);
  BM_WindowFrame(state);
  numora::platform::UseGlyphPictures(true);
}
BENCHMARK(BM_WindowFrameOutlines)->ArgName("level")->Arg(9)->Unit(benchmark::kMicrosecond);
#endif

// ---------------------------------------------------------------------------------------------
// Live measurements.

struct Stats {
  double median = 0, p99 = 0, worst = 0;
  std::size_t count = 0;
};

Stats StatsOf(std::vector<double> v) {
  Stats s;
  s.count = v.size();
  if (v.empty()) return s;
  std::sort(v.begin(), v.end());
  auto at = [&](double q) {
    return v[std::min(v.size() - 1, static_cast<std::size_t>(std::ceil(q * v.size())) - 1)];
  };
  s.median = v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
  s.p99 = at(0.99);
  s.worst = v.back();
  return s;
}

void Print(const char* key, const Stats& s) {
  std::printf("%s median=%.3f p99=%.3f worst=%.3f count=%zu\n", key, s.median, s.p99, s.worst,
              s.count);
}

double CpuSeconds() {
#ifdef _WIN32
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto seconds = [](const FILETIME& t) {  // in units of 100 ns
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                               t.dwLowDateTime) /
           1e7;
  };
  return seconds(kernel) + seconds(user);
#else
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
#endif
}

// Times every tick of the engine (when it began and how long it took, the label texts it
// writes included), whether Timer1 or the window delivered it, and every frame the window
// painted, in the order they happen.
class Probe final : public QObject, public numora::driving::TickObserver {
 public:
  Probe() {
    tickStarts.reserve(1 << 16);
    tickMicros.reserve(1 << 16);
    paintMicros.reserve(1 << 16);
  }
  ~Probe() override { Unwatch(); }

  // Watches the window's update requests and its controls' paints.
  void Watch(QWidget& window) {
    window_ = &window;
    window.installEventFilter(this);
    for (QWidget* child : window.findChildren<QWidget*>()) child->installEventFilter(this);
  }
  void Unwatch() {
    if (!window_) return;
    window_->removeEventFilter(this);
    for (QWidget* child : window_->findChildren<QWidget*>()) child->removeEventFilter(this);
    window_ = nullptr;
  }

  void BeforeTick() override {
    if (beforeTick) beforeTick();
    tickStart_ = Steady::now();
  }
  void AfterTick() override {
    tickStarts.push_back(tickStart_);
    tickMicros.push_back(MicrosBetween(tickStart_, Steady::now()));
    if (afterTick) afterTick();
  }

  std::vector<Steady::time_point> tickStarts;
  std::vector<double> tickMicros;
  // Only the update requests that painted something: the window holds some back.
  std::vector<double> paintMicros;
  std::function<void()> beforeTick;
  std::function<void()> afterTick;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      painted_ = true;
      return false;
    }
    if (watched != window_ || event->type() != QEvent::UpdateRequest) return false;
    painted_ = false;
    const Steady::time_point start = Steady::now();
    watched->event(event);
    if (painted_) paintMicros.push_back(MicrosBetween(start, Steady::now()));
    return true;
  }

 private:
  QPointer<QWidget> window_;
  Steady::time_point tickStart_;
  bool painted_ = false;
};

int RunTicks(int level, int seconds, int keyGapMs) {
  Probe probe;
  std::unique_ptr<Screen> screen = MakeScreen(PupilAt(level), &probe);
  ChallengeWindow& window = screen->Window();
  if (!ShowActive(window)) {
    std::fprintf(stderr, "the level %d window did not come up\n", level);
    return 1;
  }
  QTimer& timer = *window.tickTimer();
  probe.Watch(window);
  NumberKeys typist;
  QTimer keys;
  keys.setTimerType(Qt::PreciseTimer);
  QObject::connect(&keys, &QTimer::timeout, [&] { TypeKey(window, typist.Next()); });

  if (!Click(window, "Command1")) {
    std::fprintf(stderr, "no start button to press\n");
    return 1;
  }
  if (keyGapMs > 0) keys.start(keyGapMs);
  // The first second settles (fonts, caches); the next SECONDS are measured.
  RunEventLoopFor(1000);
  const std::size_t firstTick = probe.tickStarts.size();
  const std::size_t firstPaint = probe.paintMicros.size();
  const long allocationsBefore = t_allocations;
  const double cpuBefore = CpuSeconds();
  const Steady::time_point wallBefore = Steady::now();
  RunEventLoopFor(seconds * 1000);
  const double cpu = CpuSeconds() - cpuBefore;
  const double wall = MicrosBetween(wallBefore, Steady::now()) / 1e6;
  const long allocations = t_allocations - allocationsBefore;
  keys.stop();
  if (!timer.isActive()) {
    std::fprintf(stderr, "the run ended before the measurement did\n");
    return 1;
  }

  std::vector<double> intervals;
  for (std::size_t i = firstTick + 1; i < probe.tickStarts.size(); ++i) {
    intervals.push_back(MicrosBetween(probe.tickStarts[i - 1], probe.tickStarts[i]) / 1000);
  }
  const std::vector<double> handlers(probe.tickMicros.begin() + firstTick, probe.tickMicros.end());
  const std::vector<double> paints(probe.paintMicros.begin() + firstPaint, probe.paintMicros.end());
  Print("tick_interval_ms", StatsOf(intervals));
  Print("tick_handler_us", StatsOf(handlers));
  Print("repaint_us", StatsOf(paints));
  std::printf("frames_per_second %.1f\n", static_cast<double>(paints.size()) / wall);
  std::printf("cpu_percent %.2f\n", 100 * cpu / wall);
  std::printf("glyph_picture_kib %.0f\n",
              static_cast<double>(numora::platform::GlyphPictureBytes()) / 1024);
#ifndef _WIN32
  std::printf("allocations_per_second %.0f\n", allocations / wall);
#else
  static_cast<void>(allocations);
#endif
  return 0;
}

// The local time of day with the steady clock's resolution, remembering the first reading taken
// after Arm().
class PreciseClock final : public numora::DayClock {
 public:
  PreciseClock() : origin_(numora::platform::LocalDayMillis()), start_(Steady::now()) {}
  double DayMillis() override {
    double now = origin_ + MicrosBetween(start_, Steady::now()) / 1000;
    if (now >= numora::kMillisPerDay) now -= numora::kMillisPerDay;
    if (armed_) {
      armed_ = false;
      captured_ = now;
    }
    return now;
  }
  void Arm() { armed_ = true; }
  double Captured() const { return captured_; }

 private:
  double origin_;
  Steady::time_point start_;
  bool armed_ = false;
  double captured_ = 0;
};

int RunPauses(int count) {
  PreciseClock clock;
  numora::platform::ReplaceDayClock(&clock);
  Probe probe;
  std::unique_ptr<Screen> screen = MakeScreen(PupilAt(9), &probe);
  ChallengeWindow& window = screen->Window();
  if (!ShowActive(window)) {
    std::fprintf(stderr, "the level 9 window did not come up\n");
    return 1;
  }
  QTimer& timer = *window.tickTimer();
  QEventLoop waitForEnd;
  double endReading = -1;
  probe.beforeTick = [&] { clock.Arm(); };
  probe.afterTick = [&] {
    if (!timer.isActive()) {
      endReading = clock.Captured();
      waitForEnd.quit();
    }
  };
  QTimer giveUp;
  giveUp.setSingleShot(true);
  QObject::connect(&giveUp, &QTimer::timeout, &waitForEnd, &QEventLoop::quit);
  std::vector<double> late;
  for (int run = 0; run < count; ++run) {
    Click(window, "Command3");
    if (!Click(window, "Command1")) {
      std::fprintf(stderr, "run %d: no start button to press\n", run + 1);
      return 1;
    }
    // A number, then the pause: the 2 seconds run from the Enter key.
    RunEventLoopFor(150 + 7 * run % 50);
    TypeKey(window, '1');
    clock.Arm();
    TypeKey(window, '\r');
    const double keyReading = clock.Captured();
    endReading = -1;
    giveUp.start(5000);
    waitForEnd.exec();
    giveUp.stop();
    if (endReading < 0) {
      std::fprintf(stderr, "run %d did not end within 5 s of the last key\n", run + 1);
      return 1;
    }
    double pause = endReading - keyReading;
    if (pause < 0) pause += numora::kMillisPerDay;  // midnight came in between
    late.push_back(pause - numora::EnduranceEngine::kPauseLimitMs);
    RunEventLoopFor(50);
  }
  const Stats s = StatsOf(late);
  std::printf("pause_late_ms median=%.3f worst=%.3f best=%.3f count=%zu\n", s.median, s.worst,
              *std::min_element(late.begin(), late.end()), s.count);
  numora::platform::ReplaceDayClock(nullptr);
  return 0;
}

// Ends the event loop once the first expose of the watched window has been painted and flushed,
// printing the wall-clock time of that moment in microseconds.
class FirstPaint final : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Expose) return false;
    watched->event(event);
    if (!static_cast<QWindow*>(watched)->isExposed()) return true;
#ifdef _WIN32
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::printf(
        "first_paint_epoch_us %lld\n",
        static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
#else
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::printf("first_paint_epoch_us %lld\n",
                static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000);
#endif
    std::fflush(stdout);
    watched->removeEventFilter(this);
    QCoreApplication::exit(0);
    return true;
  }
};

int RunStartup() {
  // As the game's main() does, less the single-copy lock.
  QGuiApplication::setDesktopFileName(QStringLiteral("numora"));
  numora::Form0 form;
  FirstPaint probe;
  form.winId();  // the native window exists from here on, so the probe can watch it
  form.windowHandle()->installEventFilter(&probe);
  form.show();
  return QApplication::exec();
}

int Number(const char* text, int fallback) {
  return text ? std::atoi(text) : fallback;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  numora::platform::InstallFontSubstitutions();
  if (argc >= 2 && std::strcmp(argv[1], "ticks") == 0) {
    return RunTicks(Number(argc > 2 ? argv[2] : nullptr, 9),
                    Number(argc > 3 ? argv[3] : nullptr, 10),
                    Number(argc > 4 ? argv[4] : nullptr, 250));
  }
  if (argc >= 2 && std::strcmp(argv[1], "startup") == 0) return RunStartup();
  if (argc >= 2 && std::strcmp(argv[1], "pauses") == 0) {
    return RunPauses(Number(argc > 2 ? argv[2] : nullptr, 50));
  }
#ifdef _WIN32
  std::fprintf(stderr, "usage: screen_timing_bench ticks|pauses|startup ...\n");
  return 2;
#else
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
#endif
  return 0;
}
