// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drives a challenge window in a GUI suite the way the pupil would: buttons clicked, keys typed
// into whatever has the focus, the tick delivered on demand.

#include <QApplication>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <memory>

#include "platform/challenge_window.h"
#include "platform/clock.h"
#include "platform/design_label.h"
#include "platform/number_box.h"
#include "rules/challenge.h"
#include "tests/support/fake_view.h"

namespace numora::testing {

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

// Where the keys the pupil types go.
inline QWidget* KeyTarget(QWidget& window) {
  QWidget* focus = window.focusWidget();
  return focus ? focus : &window;
}

inline void Press(QWidget& window, Qt::Key key) {
  QTest::keyClick(KeyTarget(window), key);
}

// Types the characters, then Enter, each to whatever has the focus at that moment: on the main
// keys, or digits and Enter on the number pad.
inline void TypeEntry(QWidget& window, const QString& keys, bool numberPad = false) {
  if (!numberPad) {
    for (const QChar c : keys) QTest::keyClicks(KeyTarget(window), QString(c));
    Press(window, Qt::Key_Return);
    return;
  }
  for (const QChar c : keys) {
    QTest::keyClick(KeyTarget(window), static_cast<Qt::Key>(c.unicode()), Qt::KeypadModifier);
  }
  QTest::keyClick(KeyTarget(window), Qt::Key_Enter, Qt::KeypadModifier);
}

// One tick, as the running timer would deliver it; false (and no tick) when the timer is stopped.
inline bool Tick(platform::ChallengeWindow& window) {
  QTimer* timer = window.tickTimer();
  if (!timer->isActive()) return false;
  return QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
}

// A row of a table with a label's object name and a text.
inline void LabelRow(const char* row, const char* label, const QString& text) {
  QTest::newRow(row) << QString::fromLatin1(label) << text;
}

// Shows the window and waits until it has the keyboard.
inline bool ShowActive(QWidget& window) {
  window.show();
  window.activateWindow();
  return QTest::qWaitForWindowActive(&window);
}

// A challenge window of type W over an engine E of its own on the application's clock, as its
// opening function builds them, or over an engine that outlives it, for a suite to drive.
template <class E, class W>
class Screen {
 public:
  explicit Screen(const Pupil& pupil)
      : own_(std::make_unique<E>(platform::AppClock())), window_(*own_, pupil) {}
  Screen(E& engine, const Pupil& pupil) : window_(engine, pupil) {}

  W& window() { return window_; }
  // Shows the window; false when it did not get the keyboard.
  bool Show() { return ShowActive(window_); }

  QString Text(const char* name) const { return TextOf(window_, name); }
  QWidget* Control(const char* name) const {
    return window_.template findChild<QWidget*>(QLatin1String(name));
  }
  QPushButton* Button(const char* name) const { return ButtonOf(window_, name); }
  platform::NumberBox* Box() const {
    return window_.template findChild<platform::NumberBox*>(QStringLiteral("Text1"));
  }
  QWidget* Focus() const { return window_.focusWidget(); }

  // Types the numbers first to last, each `gapMs` on the clock after the one before, with a tick
  // after each when the timer runs.
  void PlayNumbers(ManualClock& clock, int first, int last, double gapMs) {
    for (int n = first; n <= last; ++n) {
      clock.Advance(gapMs);
      TypeEntry(window_, QString::number(n));
      Tick(window_);
    }
  }

  // Clicks the return button; empty when the window closed as it should, otherwise what is wrong.
  QString Return() {
    Button("Command2")->click();
    if (window_.isVisible()) return QStringLiteral("still shown");
    if (window_.result() != QDialog::Accepted) return QStringLiteral("not accepted");
    if (window_.tickTimer()->isActive()) return QStringLiteral("still ticking");
    return {};
  }

 private:
  std::unique_ptr<E> own_;
  W window_;
};

// Calls `open`, which shows a modal window of type W and returns once it has closed, and runs
// `visit` on that window as soon as it has the keyboard. `visit` must close it; should the window
// not come up, whatever is modal is closed after a while so that the suite goes on.
template <class W>
void VisitModal(const std::function<void()>& open, const std::function<void(W&)>& visit) {
  QObject guard;
  QTimer::singleShot(0, &guard, [&visit] {
    auto* window = qobject_cast<W*>(QApplication::activeModalWidget());
    if (window && QTest::qWaitForWindowActive(window)) visit(*window);
  });
  QTimer::singleShot(5000, &guard, [] {
    if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
  });
  open();
}

// The box in label coordinates that the ink of `text` covers when the label draws it.
inline QRectF InkOf(const platform::DesignLabel& label, const QString& text) {
  return QFontMetricsF(label.font()).tightBoundingRect(text).translated(label.TextOrigin(text));
}

// The box the label's drawn ink covers inside its frame, found in a rendering of the label.
inline QRect DrawnInk(platform::DesignLabel& label) {
  const QImage image = label.grab().toImage();
  const QColor background = label.palette().color(label.backgroundRole());
  const QRect area = label.TextArea();
  QRect ink;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QColor c = image.pixelColor(x, y);
      const int difference = std::abs(c.red() - background.red()) +
                             std::abs(c.green() - background.green()) +
                             std::abs(c.blue() - background.blue());
      if (difference > 96) ink |= QRect(x, y, 1, 1);
    }
  }
  return ink;
}

// "x,y wxh", for messages.
inline QString BoxText(const QRectF& box) {
  return QStringLiteral("%1,%2 %3x%4")
      .arg(box.left())
      .arg(box.top())
      .arg(box.width())
      .arg(box.height());
}

// Empty when the label shows `text` whole, where InkOf says; otherwise what is wrong. The label
// is given the text for the check.
inline QString CheckShownWhole(platform::DesignLabel& label, const QString& text) {
  label.setText(text);
  const QRectF expected = InkOf(label, text);
  if (!QRectF(label.rect()).contains(expected)) {
    return QStringLiteral("ink %1 does not fit in %2x%3")
        .arg(BoxText(expected))
        .arg(label.width())
        .arg(label.height());
  }
  // The measured box is a little larger than the ink (a leading blank, antialiasing), so the
  // drawing must lie inside it, give or take a pixel or two, and fill most of its height.
  const QRect drawn = DrawnInk(label);
  const QRectF allowed = expected.adjusted(-2.5, -2.5, 2.5, 2.5);
  if (drawn.isEmpty() || !allowed.contains(QRectF(drawn)) ||
      drawn.height() < 0.75 * expected.height()) {
    return QStringLiteral("drawn at %1, expected %2").arg(BoxText(drawn), BoxText(expected));
  }
  return {};
}

// The base of a window suite: the clock the application reads, and the window under test with
// shortcuts to its controls. The clock takes the place of the local time of day while the suite
// lives.
template <class E, class W>
class ScreenSuite : public QObject {
 protected:
  ScreenSuite() { platform::ReplaceDayClock(&clock_); }
  ~ScreenSuite() override { platform::ReplaceDayClock(nullptr); }

  // A fresh window for the pupil in place of the last one, over an engine of its own or over
  // `engine`; false when it did not come up.
  bool Open(const Pupil& pupil) {
    screen_.reset();
    screen_ = std::make_unique<Screen<E, W>>(pupil);
    return screen_->Show();
  }
  bool Open(E& engine, const Pupil& pupil) {
    screen_.reset();
    screen_ = std::make_unique<Screen<E, W>>(engine, pupil);
    return screen_->Show();
  }
  void Close() { screen_.reset(); }

  W& Window() { return screen_->window(); }
  QString Text(const char* name) const { return screen_->Text(name); }
  QWidget* Control(const char* name) const { return screen_->Control(name); }
  QPushButton* Button(const char* name) const { return screen_->Button(name); }
  // A click of the left mouse button on the named control.
  void Click(const char* name) { QTest::mouseClick(Control(name), Qt::LeftButton); }
  platform::NumberBox* Box() const { return screen_->Box(); }
  QWidget* Focus() const { return screen_->Focus(); }
  void PlayNumbers(int first, int last, double gapMs) {
    screen_->PlayNumbers(clock_, first, last, gapMs);
  }
  QString Return() { return screen_->Return(); }
  // Empty when the label shows `text` whole, otherwise what is wrong.
  QString ShowsWhole(const QString& label, const QString& text) {
    auto* widget = Window().template findChild<platform::DesignLabel*>(label);
    return widget ? CheckShownWhole(*widget, text) : QStringLiteral("no label ") + label;
  }

  ManualClock clock_;

 private:
  std::unique_ptr<Screen<E, W>> screen_;
};

}  // namespace numora::testing
