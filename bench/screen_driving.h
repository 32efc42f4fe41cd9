// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drives the game's windows from inside the process, the way the pupil would: windows built as
// the start screen builds them, buttons clicked, keys sent to the input box, ticks delivered to
// Timer1. Shared by the window timing benchmarks and the screenshot maker.

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <QTimerEvent>
#include <QWindow>
#include <cstdint>
#include <memory>
#include <string>

#include "counting/form1.h"
#include "endurance/form9.h"
#include "open_counting/form789.h"
#include "platform/challenge_window.h"
#include "platform/clock.h"
#include "platform/number_box.h"

namespace numora::driving {

// Told of every tick a screen's engine takes, whatever delivered it: Timer1, or the window
// itself.
class TickObserver {
 public:
  virtual ~TickObserver() = default;
  virtual void BeforeTick() {}
  virtual void AfterTick() {}
};

// The game's engine with a tick observer.
template <class Engine>
class ObservedEngine final : public Engine {
 public:
  ObservedEngine(DayClock& clock, TickObserver* observer) : Engine(clock), observer_(observer) {}
  void Tick() override {
    if (observer_) observer_->BeforeTick();
    Engine::Tick();
    if (observer_) observer_->AfterTick();
  }

 private:
  TickObserver* observer_;
};

// A challenge window of a level with an engine of its own on the application's clock.
class Screen {
 public:
  virtual ~Screen() = default;
  virtual platform::ChallengeWindow& Window() = 0;
};

template <class Engine, class Form>
class ScreenOf final : public Screen {
 public:
  ScreenOf(const Pupil& pupil, TickObserver* observer)
      : engine_(platform::AppClock(), observer), window_(engine_, pupil) {}
  platform::ChallengeWindow& Window() override { return window_; }

 private:
  ObservedEngine<Engine> engine_;
  Form window_;
};

inline std::unique_ptr<Screen> MakeScreen(const Pupil& pupil, TickObserver* observer = nullptr) {
  if (pupil.GameLevel <= 6) {
    return std::make_unique<ScreenOf<CountingEngine, Form1>>(pupil, observer);
  }
  if (pupil.GameLevel <= 8) {
    return std::make_unique<ScreenOf<OpenCountingEngine, Form789>>(pupil, observer);
  }
  return std::make_unique<ScreenOf<EnduranceEngine, Form9>>(pupil, observer);
}

// Shows the window and waits, at most 5 s, until it is on the screen and has the keyboard.
inline bool ShowAndWait(QWidget& window) {
  window.show();
  window.activateWindow();
  QElapsedTimer waited;
  waited.start();
  while (waited.elapsed() < 5000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (window.windowHandle() && window.windowHandle()->isExposed() && window.isActiveWindow()) {
      return true;
    }
  }
  return false;
}

inline void RunEventLoopFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

// Clicks a button of the window; false when it is missing, hidden or disabled.
inline bool Click(QWidget& window, const char* button) {
  auto* b = window.findChild<QPushButton*>(QLatin1String(button));
  if (!b || !b->isVisible() || !b->isEnabled()) return false;
  b->click();
  return true;
}

// One key, a digit or Enter ('\r'), as the keyboard delivers it to the input box.
inline void TypeKey(QWidget& window, char c) {
  auto* box = window.findChild<platform::NumberBox*>(QStringLiteral("Text1"));
  const int key = c == '\r' ? Qt::Key_Return : Qt::Key_0 + (c - '0');
  const QString text(QChar::fromLatin1(c));
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(box, &press);
  QCoreApplication::sendEvent(box, &release);
}

// The digits of the number, then Enter.
inline void TypeNumber(QWidget& window, int number) {
  for (const char c : std::to_string(number)) TypeKey(window, c);
  TypeKey(window, '\r');
}

// One tick, delivered to Timer1 as its own timer event; false (and no tick) when it is stopped.
inline bool DeliverTick(platform::ChallengeWindow& window) {
  QTimer& timer = *window.tickTimer();
  if (!timer.isActive()) return false;
  QTimerEvent event(timer.timerId());
  QCoreApplication::sendEvent(&timer, &event);
  return true;
}

// The keys of the numbers 1, 2, 3, ... each followed by Enter, one at a time.
class Typist {
 public:
  char Next() {
    if (next_ == keys_.size()) {
      keys_ = std::to_string(++number_) + '\r';
      next_ = 0;
    }
    return keys_[next_++];
  }
  void Restart() {
    number_ = 0;
    keys_.clear();
    next_ = 0;
  }

 private:
  int number_ = 0;
  std::string keys_;
  std::size_t next_ = 0;
};

}  // namespace numora::driving
