// SPDX-License-Identifier: GPL-3.0-or-later
// Whatever reaches a challenge window's input box, in whatever state the window is, only digits
// ever stand in it and nothing breaks; the start screen's name box takes any text.
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QtTest>

#include "counting/form1.h"
#include "endurance/form9.h"
#include "open_counting/form789.h"
#include "platform/layout.h"
#include "start/form0.h"
#include "tests/support/screen_driver.h"

using namespace numora;
using namespace numora::testing;

namespace {

enum class State { BeforeStart, Running, Ended, AfterPlayAgain };

// A key that carries character code `code`, as a keyboard would send it.
void SendCode(QWidget* target, int code) {
  Qt::Key key = Qt::Key_unknown;
  Qt::KeyboardModifiers modifiers = Qt::NoModifier;
  if (code == 8) {
    key = Qt::Key_Backspace;
  } else if (code == 9) {
    key = Qt::Key_Tab;
  } else if (code == 13) {
    key = Qt::Key_Return;
  } else if (code == 27) {
    key = Qt::Key_Escape;
  } else if (code == 127) {
    key = Qt::Key_Delete;
  } else if (code >= 1 && code <= 26) {
    key = Qt::Key(Qt::Key_A + code - 1);
    modifiers = Qt::ControlModifier;
  } else if (code >= 'a' && code <= 'z') {
    key = Qt::Key(code - 'a' + 'A');
  } else if (code >= 32) {
    key = Qt::Key(code);  // ASCII and Latin-1 keys carry their own codes
  }
  QTest::sendKeyEvent(QTest::Click, target, key, QString(QChar(code)), modifiers);
}

bool OnlyDigits(const QString& text) {
  for (const QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  }
  return true;
}

// A key of a keyboard layout that types text outside ASCII.
void TypeText(QWidget* target, const QString& text) {
  QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, text, Qt::NoModifier);
}

// Everything that tries to get text into the box other than typed keys.
void TryEveryOtherWayIn(QWidget* box) {
  QGuiApplication::clipboard()->setText(QStringLiteral("123abc"));
  QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
  QTest::mouseClick(box, Qt::MiddleButton);
  QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(box, &menu);
  QMimeData data;
  data.setText(QStringLiteral("456"));
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(box, &enter);
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(box, &drop);
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("789"));
  QApplication::sendEvent(box, &commit);
  TypeText(box, QStringLiteral("数字"));
  TypeText(box, QStringLiteral("😀"));
  TypeText(box, QStringLiteral("é"));
}

template <class E, class W>
class Probe {
 public:
  explicit Probe(int level) : pupil_{static_cast<std::int16_t>(level), "小明", ""} { Fresh(); }

  void Fresh() {
    screen_.reset();
    screen_ = std::make_unique<Screen<E, W>>(pupil_);
    screen_->window().show();
  }

  bool Pressable(const char* name) const {
    QPushButton* button = screen_->Button(name);
    return button->isEnabled() && button->isVisible();
  }

  void Reach(State state) {
    switch (state) {
      case State::BeforeStart:
        if (!Pressable("Command1") || screen_->Button("Command3")->isVisible()) Fresh();
        break;
      case State::Running:
        if (screen_->Box()->isEnabled()) break;
        if (!Pressable("Command1") && Pressable("Command3")) screen_->Button("Command3")->click();
        if (Pressable("Command1")) screen_->Button("Command1")->click();
        break;
      case State::Ended:
        Reach(State::Running);
        QTest::keyClicks(screen_->Box(), QStringLiteral("7"));
        QTest::keyClick(screen_->Box(), Qt::Key_Return);
        break;
      case State::AfterPlayAgain:
        Reach(State::Ended);
        if (Pressable("Command3")) screen_->Button("Command3")->click();
        break;
    }
  }

  QString Box() const { return screen_->Box()->text(); }
  QWidget* BoxWidget() const { return screen_->Box(); }
  bool Shown() const { return screen_->window().isVisible(); }

 private:
  Pupil pupil_;
  std::unique_ptr<Screen<E, W>> screen_;
};

}  // namespace

Q_DECLARE_METATYPE(State)

class HostileInputTest : public QObject {
  Q_OBJECT

 public:
  HostileInputTest() { platform::ReplaceDayClock(&clock_); }
  ~HostileInputTest() override { platform::ReplaceDayClock(nullptr); }

 private slots:
  void initTestCase() { platform::InstallFontSubstitutions(); }

  void everyKeyCodeLeavesOnlyDigits_data() {
    QTest::addColumn<State>("state");
    QTest::newRow("before start") << State::BeforeStart;
    QTest::newRow("running") << State::Running;
    QTest::newRow("ended") << State::Ended;
    QTest::newRow("after play again") << State::AfterPlayAgain;
  }
  void everyKeyCodeLeavesOnlyDigits() {
    QFETCH(State, state);
    Sweep<CountingEngine, Form1>(1, state);
    Sweep<OpenCountingEngine, Form789>(8, state);
    Sweep<EnduranceEngine, Form9>(9, state);
  }

  void noOtherWayIn_data() { everyKeyCodeLeavesOnlyDigits_data(); }
  void noOtherWayIn() {
    QFETCH(State, state);
    OtherWays<CountingEngine, Form1>(2, state);
    OtherWays<OpenCountingEngine, Form789>(7, state);
    OtherWays<EnduranceEngine, Form9>(9, state);
  }

  // The name box is a plain text box: typed, pasted and composed text all go in, and nothing
  // typed there changes the level.
  void nameBoxTakesAnyText() {
    Form0 form;
    form.show();
    auto* box = form.findChild<QLineEdit*>(QStringLiteral("Text1"));
    auto* level = form.findChild<QLabel*>(QStringLiteral("Label9"));
    QVERIFY(box && level);
    form.PickLevel(5);
    for (int code = 0; code < 256; ++code) {
      if (code == 13) continue;  // Enter cuts the name; its own suite covers that
      SendCode(box, code);
      QCOMPARE(level->text(), QStringLiteral("5"));
    }
    box->clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("小明同学"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("张三"));
    QApplication::sendEvent(box, &commit);
    TypeText(box, QStringLiteral("😀"));
    QCOMPARE(box->text(), QStringLiteral("小明同学张三😀"));
    QCOMPARE(form.StudentName, box->text());
    QCOMPARE(level->text(), QStringLiteral("5"));
  }

 private:
  template <class E, class W>
  void Sweep(int level, State state) {
    Probe<E, W> probe(level);
    for (int code = 0; code < 256; ++code) {
      probe.Reach(state);
      // A few digits first, so that keys which edit or end have something to work on.
      if (probe.BoxWidget()->isEnabled()) QTest::keyClicks(probe.BoxWidget(), QStringLiteral("1"));
      SendCode(probe.BoxWidget(), code);
      QVERIFY2(
          OnlyDigits(probe.Box()),
          qPrintable(
              QStringLiteral("level %1, code %2: '%3'").arg(level).arg(code).arg(probe.Box())));
      QVERIFY2(
          probe.Shown(),
          qPrintable(QStringLiteral("level %1, code %2 closed the window").arg(level).arg(code)));
    }
  }

  template <class E, class W>
  void OtherWays(int level, State state) {
    Probe<E, W> probe(level);
    probe.Reach(state);
    const QString before = probe.Box();
    TryEveryOtherWayIn(probe.BoxWidget());
    QVERIFY2(OnlyDigits(probe.Box()), qPrintable(probe.Box()));
    QVERIFY(QApplication::activePopupWidget() == nullptr);
    // In a running counting window the box keeps what it had; in the others a non-digit key
    // may end the run, which never adds text either.
    QVERIFY2(probe.Box().size() <= before.size(), qPrintable(probe.Box()));
  }

  ManualClock clock_;
};

QTEST_MAIN(HostileInputTest)
#include "hostile_input_test.moc"
