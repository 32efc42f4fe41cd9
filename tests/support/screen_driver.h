// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window suites add to the window driver (window_driver.h): keys typed through Qt Test
// into whatever has the focus, modal visits, checks that a label shows its text whole, and the
// base of a window suite.

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "challenges/challenge_window.h"
#include "platform/clock.h"
#include "platform/design_label.h"
#include "platform/number_box.h"
#include "registry/screens.h"
#include "rules/challenge_engine.h"
#include "rules/level_table.h"
#include "tests/support/fake_view.h"
#include "tests/support/window_driver.h"

namespace numora::testing {

using namespace numora::driving;

// Where the keys the pupil types go.
inline QWidget* KeyTarget(QWidget& window) {
  QWidget* focus = window.focusWidget();
  return focus ? focus : &window;
}

inline void Press(QWidget& window, Qt::Key key) {
  QTest::keyClick(KeyTarget(window), key);
}

// The ways the pupil's digits come into a window.
enum class Keys {
  Main,               // the main keys
  Pad,                // the number pad with NumLock on
  PadWithoutNumLock,  // the number pad with NumLock off: Insert, End, Down, ... as keypad keys
  FullWidth,          // keys typed in an input method's full-width mode: ０ to ９
  Commit,             // the full-width digits committed by an input method in one go
};

// Types the digits, then Enter (the number pad's on the pad), each to whatever has the focus at
// that moment.
inline void TypeEntry(QWidget& window, const QString& digits, Keys keys = Keys::Main) {
  const auto fullWidth = [](QChar digit) { return QChar(u'０' + (digit.unicode() - u'0')); };
  if (keys == Keys::Commit) {
    QString text;
    for (const QChar c : digits) text += fullWidth(c);
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(KeyTarget(window), &commit);
  } else {
    for (const QChar c : digits) {
      QWidget* target = KeyTarget(window);
      if (keys == Keys::Pad) {
        QTest::keyClick(target, static_cast<Qt::Key>(c.unicode()), Qt::KeypadModifier);
      } else if (keys == Keys::PadWithoutNumLock) {
        QTest::keyClick(target, PadKeyWithoutNumLock(c), Qt::KeypadModifier);
      } else if (keys == Keys::FullWidth) {
        QTest::sendKeyEvent(QTest::Click, target, static_cast<Qt::Key>(fullWidth(c).unicode()),
                            QString(fullWidth(c)), Qt::NoModifier);
      } else {
        QTest::keyClicks(target, QString(c));
      }
    }
  }
  const bool pad = keys == Keys::Pad || keys == Keys::PadWithoutNumLock;
  QTest::keyClick(KeyTarget(window), pad ? Qt::Key_Enter : Qt::Key_Return,
                  pad ? Qt::KeypadModifier : Qt::NoModifier);
}

// Each way of Keys, for the rows of a table.
inline constexpr Keys kEveryWayOfKeys[] = {Keys::Main, Keys::Pad, Keys::PadWithoutNumLock,
                                           Keys::FullWidth, Keys::Commit};

// A row of a table with a label's object name and a text.
inline void LabelRow(const char* row, const char* label, const QString& text) {
  QTest::newRow(row) << QString::fromLatin1(label) << text;
}

// Types the numbers first to last into the screen, each `gapMs` on the clock after the one
// before, with a tick after each when the timer runs.
inline void PlayNumbers(Screen& screen, ManualClock& clock, int first, int last, double gapMs) {
  for (int n = first; n <= last; ++n) {
    clock.Advance(gapMs);
    TypeEntry(screen.Window(), QString::number(n));
    Tick(screen.Window());
  }
}

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

// Opens level `level`'s window for 小明 the way the start screen does, as a modal window of type
// W over the level's program-long engine, and runs `visit` on it as VisitModal does.
template <class W>
void VisitLevel(int level, const std::function<void(W&)>& visit) {
  VisitModal<W>(
      [level] {
        const Pupil pupil{static_cast<std::int16_t>(level), "小明", ""};
        ScreenOf(kChallengeScreens, level)(pupil, nullptr);
      },
      visit);
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

// The states a visit can be in when the pupil acts.
enum class State {
  Loaded,
  Running,
  EndedByBackspace,
  EndedByWrongEntry,
  EndedByLetter,
  EndedByPause,
  TimedOut,
  PlayAgain
};

// A state's name, for the rows of a table.
inline const char* StateName(State state) {
  switch (state) {
    case State::Loaded:
      return "loaded";
    case State::Running:
      return "running";
    case State::EndedByBackspace:
      return "ended by backspace";
    case State::EndedByWrongEntry:
      return "ended by wrong entry";
    case State::EndedByLetter:
      return "ended by letter";
    case State::EndedByPause:
      return "ended by pause";
    case State::TimedOut:
      return "timed out";
    case State::PlayAgain:
      break;
  }
  return "after play again";
}

}  // namespace numora::testing

Q_DECLARE_METATYPE(numora::testing::State)

namespace numora::testing {

// How a suite's window is played into a state: Start, the numbers 1 to Numbers typed GapMs apart,
// then the state's own step; Messages holds the message line each state must end with.
struct Reaching {
  int Numbers = 3;
  double GapMs = 400;
  std::map<State, QString> Messages;
};

// The base of a suite that plays windows: the clock the application reads while the suite lives.
class ClockSuite : public QObject {
 protected:
  ClockSuite() { platform::ReplaceDayClock(&clock_); }
  ~ClockSuite() override { platform::ReplaceDayClock(nullptr); }

  ManualClock clock_;
};

// The base of a window suite: the clock the application reads, and the window under test with
// shortcuts to its controls. The clock takes the place of the local time of day while the suite
// lives.
class ScreenSuite : public ClockSuite {
 protected:
  ScreenSuite() = default;

  // A suite of windows for `pupil`, played into its states as `reaching` says.
  ScreenSuite(const Pupil& pupil, Reaching reaching)
      : pupil_(pupil), reaching_(std::move(reaching)) {}

  // A fresh window for the pupil in place of the last one, over an engine of its own or over
  // `engine`; false when it did not come up.
  bool Open() { return Open(pupil_); }
  bool Open(const Pupil& pupil) {
    level_ = pupil.GameLevel;
    screen_.reset();
    screen_ = std::make_unique<Screen>(pupil);
    return screen_->Show();
  }
  bool Open(ChallengeEngine& engine, const Pupil& pupil) {
    level_ = pupil.GameLevel;
    screen_.reset();
    screen_ = std::make_unique<Screen>(engine, pupil);
    return screen_->Show();
  }
  void Close() { screen_.reset(); }

  ChallengeWindow& Window() { return screen_->Window(); }
  QString Text(const char* name) const { return screen_->Text(name); }
  QWidget* Control(const char* name) const { return screen_->Control(name); }
  QPushButton* Button(const char* name) const { return screen_->Button(name); }
  // A click of the left mouse button on the named control.
  void Click(const char* name) { QTest::mouseClick(Control(name), Qt::LeftButton); }
  platform::NumberBox* Box() const { return screen_->Box(); }
  QWidget* Focus() const { return screen_->Focus(); }
  void PlayNumbers(int first, int last, double gapMs) {
    testing::PlayNumbers(*screen_, clock_, first, last, gapMs);
  }
  QString Return() { return screen_->Return(); }
  // Empty when the label shows `text` whole, otherwise what is wrong.
  QString ShowsWhole(const QString& label, const QString& text) {
    auto* widget = Window().findChild<platform::DesignLabel*>(label);
    return widget ? CheckShownWhole(*widget, text) : QStringLiteral("no label ") + label;
  }

  // Brings a freshly opened window into `state`; false when it did not get there.
  bool Reach(State state) {
    if (state == State::Loaded) return true;
    Button("Command1")->click();
    PlayNumbers(1, reaching_.Numbers, reaching_.GapMs);
    switch (state) {
      case State::Loaded:
      case State::Running:
        return Text("Label4") == QStringLiteral(" %1").arg(reaching_.Numbers);
      case State::EndedByBackspace:
        Press(Window(), Qt::Key_Backspace);
        break;
      case State::EndedByWrongEntry:
        TypeEntry(Window(), QString::number(reaching_.Numbers + 2));
        break;
      case State::EndedByLetter:
        QTest::keyClicks(Focus(), QStringLiteral("a"));
        break;
      case State::EndedByPause:
      case State::TimedOut:
        clock_.Advance(state == State::TimedOut ? *RuleFor(level_).TimeLimitMs + 1 : 2000);
        if (!Tick(Window())) return false;
        break;
      case State::PlayAgain:
        Press(Window(), Qt::Key_Backspace);
        Button("Command3")->click();
        return Button("Command1")->isEnabled();
    }
    const auto message = reaching_.Messages.find(state);
    if (message != reaching_.Messages.end() && Text("Label1") != message->second) return false;
    return Button("Command3")->isVisible();
  }

  // The runs every window suite makes.
  // The rows of CheckReturnFrom: before the start, during a run, after each end this window
  // knows and Backspace's, and after play again.
  void EveryStateRows() {
    QTest::addColumn<State>("state");
    std::vector<State> states = {State::Loaded, State::Running, State::EndedByBackspace};
    for (const auto& [state, message] : reaching_.Messages) {
      if (state != State::EndedByBackspace) states.push_back(state);
    }
    states.push_back(State::PlayAgain);
    for (const State state : states) QTest::newRow(StateName(state)) << state;
  }
  // The return button closes the window from the state the row names.
  void CheckReturnFrom() {
    QFETCH(State, state);
    QVERIFY(Open());
    QVERIFY(Reach(state));
    const QString fault = Return();
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
  }
  // The label the row names shows the row's text whole.
  void CheckShowsWhole() {
    QFETCH(QString, label);
    QFETCH(QString, text);
    QVERIFY(Open());
    const QString fault = ShowsWhole(label, text);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
  }
  // The rows of CheckPasteRefused: each way of pasting, and letters and signs typed.
  static void PasteRows() {
    QTest::addColumn<QString>("how");
    for (const char* how :
         {"ctrl+v", "shift+insert", "middle click", "context menu", "letters and signs"}) {
      QTest::newRow(how) << QString::fromLatin1(how);
    }
  }
  // In a run of the open window, after the number 1, the row's way in leaves the box empty and
  // the mark as it was; the run goes on with the number 2.
  void CheckPasteRefused() {
    QFETCH(QString, how);
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (how == QStringLiteral("middle click")) {
      if (!clipboard->supportsSelection()) QSKIP("this platform has no selection to paste");
      clipboard->setText(QStringLiteral("999"), QClipboard::Selection);
    }
    clipboard->setText(QStringLiteral("999"));
    QCOMPARE(clipboard->text(), QStringLiteral("999"));
    Button("Command1")->click();
    TypeEntry(Window(), QStringLiteral("1"));
    if (how == QStringLiteral("ctrl+v")) {
      QTest::keyClick(Box(), Qt::Key_V, Qt::ControlModifier);
    } else if (how == QStringLiteral("shift+insert")) {
      QTest::keyClick(Box(), Qt::Key_Insert, Qt::ShiftModifier);
    } else if (how == QStringLiteral("middle click")) {
      QTest::mouseClick(Box(), Qt::MiddleButton);
    } else if (how == QStringLiteral("context menu")) {
      const QPoint at = Box()->rect().center();
      QContextMenuEvent menu(QContextMenuEvent::Mouse, at, Box()->mapToGlobal(at));
      QApplication::sendEvent(Box(), &menu);
      QCOMPARE(QApplication::activePopupWidget(), nullptr);
    } else {
      QTest::keyClicks(Box(), QStringLiteral("a -+."));
    }
    QCOMPARE(Text("Text1"), QString());
    // Nothing that is not a digit or Backspace clears the mark.
    QCOMPARE(Text("Label9"), QStringLiteral("√"));
    TypeEntry(Window(), QStringLiteral("2"));
    QCOMPARE(Text("Label4"), QStringLiteral(" 2"));
    QCOMPARE(Text("Label9"), QStringLiteral("√"));
  }
  // Start gives the focus to the box, which takes the first digit.
  void CheckStartFocusesTheBox() {
    QVERIFY(Open());
    Button("Command1")->click();
    QVERIFY(!Button("Command1")->isEnabled());
    QCOMPARE(Focus(), Box());
    QCOMPARE(QApplication::focusWidget(), Box());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1"));
    QCOMPARE(Text("Text1"), QStringLiteral("1"));
  }

 private:
  Pupil pupil_;
  Reaching reaching_;
  int level_ = 0;
  std::unique_ptr<Screen> screen_;
};

}  // namespace numora::testing
