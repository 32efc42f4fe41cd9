// SPDX-License-Identifier: GPL-3.0-or-later
// Whatever reaches a challenge window's input box, in whatever state the window is, only digits
// ever stand in it and nothing breaks; the start screen's name box takes any text.
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QtTest>

#include "platform/layout.h"
#include "start/form0.h"
#include "tests/support/screen_driver.h"

using namespace numora;
using namespace numora::testing;

namespace {

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
  commit.setCommitString(QStringLiteral("七八九ａｂ"));
  QApplication::sendEvent(box, &commit);
  TypeText(box, QStringLiteral("数字"));
  TypeText(box, QStringLiteral("😀"));
  TypeText(box, QStringLiteral("é"));
}

class Probe {
 public:
  explicit Probe(int level) : pupil_{static_cast<std::int16_t>(level), "小明", ""} { Fresh(); }

  void Fresh() {
    screen_.reset();
    screen_ = std::make_unique<Screen>(pupil_);
    screen_->Window().show();
  }

  bool Pressable(const char* name) const {
    QPushButton* button = screen_->Button(name);
    return button->isEnabled() && button->isVisible();
  }

  void Reach(State state) {
    switch (state) {
      case State::Loaded:
        // As the window opens: the focus on the start button (a Tab may have moved it on).
        if (!Pressable("Command1") || screen_->Button("Command3")->isVisible() ||
            screen_->Focus() != screen_->Button("Command1")) {
          Fresh();
        }
        break;
      case State::Running:
        if (screen_->Box()->isEnabled()) break;
        if (!Pressable("Command1") && Pressable("Command3")) screen_->Button("Command3")->click();
        if (Pressable("Command1")) screen_->Button("Command1")->click();
        break;
      case State::EndedByWrongEntry:
        Reach(State::Running);
        QTest::keyClicks(screen_->Box(), QStringLiteral("7"));
        QTest::keyClick(screen_->Box(), Qt::Key_Return);
        break;
      case State::PlayAgain:
        Reach(State::EndedByWrongEntry);
        if (Pressable("Command3")) screen_->Button("Command3")->click();
        break;
      default:
        QFAIL("the sweeps know how to reach only the four states above");
    }
  }

  QString Box() const { return screen_->Box()->text(); }
  QWidget* BoxWidget() const { return screen_->Box(); }
  bool Shown() const { return screen_->Window().isVisible(); }

 private:
  Pupil pupil_;
  std::unique_ptr<Screen> screen_;
};

}  // namespace

class HostileInputTest : public ClockSuite {
  Q_OBJECT

 private slots:
  void initTestCase() { platform::InstallFontSubstitutions(); }

  void everyKeyCodeLeavesOnlyDigits_data() {
    QTest::addColumn<State>("state");
    QTest::newRow("before start") << State::Loaded;
    QTest::newRow("running") << State::Running;
    QTest::newRow("ended") << State::EndedByWrongEntry;
    QTest::newRow("after play again") << State::PlayAgain;
  }
  void everyKeyCodeLeavesOnlyDigits() {
    QFETCH(State, state);
    Sweep(1, state);
    Sweep(8, state);
    Sweep(9, state);
  }

  void noOtherWayIn_data() { everyKeyCodeLeavesOnlyDigits_data(); }
  void noOtherWayIn() {
    QFETCH(State, state);
    OtherWays(2, state);
    OtherWays(7, state);
    OtherWays(9, state);
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
    // Full-width text, digits too, as an input method's full-width mode types it.
    TypeText(box, QStringLiteral("１"));
    commit.setCommitString(QStringLiteral("２Ａ"));
    QApplication::sendEvent(box, &commit);
    QCOMPARE(box->text(), QStringLiteral("小明同学张三😀１２Ａ"));
    QCOMPARE(form.StudentName, box->text());
    QCOMPARE(level->text(), QStringLiteral("5"));
  }

 private:
  void Sweep(int level, State state) {
    Probe probe(level);
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

  void OtherWays(int level, State state) {
    Probe probe(level);
    probe.Reach(state);
    const QString before = probe.Box();
    TryEveryOtherWayIn(probe.BoxWidget());
    QVERIFY2(OnlyDigits(probe.Box()), qPrintable(probe.Box()));
    QVERIFY(QApplication::activePopupWidget() == nullptr);
    // In a running counting window the box keeps what it had; in the others a non-digit key
    // may end the run, which never adds text either.
    QVERIFY2(probe.Box().size() <= before.size(), qPrintable(probe.Box()));
  }
};

QTEST_MAIN(HostileInputTest)
#include "hostile_input_test.moc"
