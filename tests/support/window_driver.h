// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drives the game's windows from inside the process, the way the pupil would: windows made by the
// registry of challenges, buttons clicked, keys sent to the input box, ticks delivered to Timer1.
// Shared by the window suites, the window timing benchmarks and the screenshot maker; it needs
// no Qt Test.

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTimerEvent>
#include <QWindow>
#include <cstdint>
#include <memory>
#include <string>

#include "challenges/challenge_window.h"
#include "platform/clock.h"
#include "platform/number_box.h"
#include "platform/tick_pacer.h"
#include "registry/engines.h"
#include "registry/screens.h"

namespace numora::driving {

// The key the number pad sends for a digit with NumLock off, with the keypad modifier.
inline Qt::Key PadKeyWithoutNumLock(QChar digit) {
  static constexpr Qt::Key kKeys[] = {
      Qt::Key_Insert, Qt::Key_End,   Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Left,
      Qt::Key_Clear,  Qt::Key_Right, Qt::Key_Home, Qt::Key_Up,       Qt::Key_PageUp};
  return kKeys[digit.unicode() - u'0'];
}

// Told of every tick a screen's engine takes: each comes as Timer1's timer event, whatever
// delivered it (the timer itself, or Tick below).
class TickObserver {
 public:
  virtual ~TickObserver() = default;
  virtual void BeforeTick() {}
  virtual void AfterTick() {}
};

// Tells an observer of each tick of a window's Timer1: before, from the timer event the tick
// comes with, and after, from a handler of the timeout that runs after the window's own.
class TickWatch final : public QObject {
 public:
  TickWatch(QTimer& timer, TickObserver& observer) : observer_(observer) {
    timer.installEventFilter(this);
    QObject::connect(&timer, &QTimer::timeout, this, [this] { observer_.AfterTick(); });
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Timer) observer_.BeforeTick();
    return false;
  }

 private:
  TickObserver& observer_;
};

// The text of a label or of the input box; a marker that no expected text equals when the
// window has no such control.
inline QString TextOf(const QWidget& window, const char* name) {
  if (auto* label = window.findChild<QLabel*>(QLatin1String(name))) return label->text();
  if (auto* box = window.findChild<QLineEdit*>(QLatin1String(name))) return box->text();
  return QStringLiteral("<no control %1>").arg(QLatin1String(name));
}

inline QPushButton* ButtonOf(const QWidget& window, const char* name) {
  return window.findChild<QPushButton*>(QLatin1String(name));
}

// Shows the window and waits, at most 5 s, until it is on the screen and has the keyboard.
inline bool ShowActive(QWidget& window) {
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

// The challenge window of a level as the registry of challenges makes it, over an engine of its
// own on the application's clock or over one that outlives it.
class Screen {
 public:
  explicit Screen(const Pupil& pupil, TickObserver* observer = nullptr)
      : own_(MakeEngineFor(pupil.GameLevel, platform::AppClock())),
        window_(MakeWindow(*own_, pupil)) {
    if (observer) watch_ = std::make_unique<TickWatch>(*window_->tickTimer(), *observer);
  }
  Screen(ChallengeEngine& engine, const Pupil& pupil) : window_(MakeWindow(engine, pupil)) {}

  ChallengeWindow& Window() { return *window_; }
  // Shows the window; false when it did not get the keyboard.
  bool Show() { return ShowActive(*window_); }

  QString Text(const char* name) const { return TextOf(*window_, name); }
  QWidget* Control(const char* name) const {
    return window_->findChild<QWidget*>(QLatin1String(name));
  }
  QPushButton* Button(const char* name) const { return ButtonOf(*window_, name); }
  platform::NumberBox* Box() const {
    return window_->findChild<platform::NumberBox*>(QStringLiteral("Text1"));
  }
  QWidget* Focus() const { return window_->focusWidget(); }

  // Clicks the return button; empty when the window closed as it should, otherwise what is wrong.
  QString Return() {
    Button("Command2")->click();
    if (window_->isVisible()) return QStringLiteral("still shown");
    if (window_->result() != QDialog::Accepted) return QStringLiteral("not accepted");
    if (window_->tickTimer()->isActive()) return QStringLiteral("still ticking");
    return {};
  }

 private:
  std::unique_ptr<ChallengeEngine> own_;
  std::unique_ptr<ChallengeWindow> window_;
  std::unique_ptr<TickWatch> watch_;
};

inline std::unique_ptr<Screen> MakeScreen(const Pupil& pupil, TickObserver* observer = nullptr) {
  return std::make_unique<Screen>(pupil, observer);
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
inline bool Tick(ChallengeWindow& window) {
  QTimer& timer = *window.tickTimer();
  if (!timer.isActive()) return false;
  QTimerEvent event(timer.timerId());
  QCoreApplication::sendEvent(&timer, &event);
  return true;
}

}  // namespace numora::driving
