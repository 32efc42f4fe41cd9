// SPDX-License-Identifier: GPL-3.0-or-later
// The road a pupil takes with the keyboard alone, from the start screen into each challenge
// window: Enter presses the focused button, an Enter the input box takes presses none, and the
// levels whose rule says "不能改" let no key or click change what was typed.
#include <QStyle>
#include <QtTest>

#include "platform/clock.h"
#include "platform/layout.h"
#include "rules/level_table.h"
#include "start/form0.h"
#include "tests/support/columns.h"
#include "tests/support/game_messages.h"
#include "tests/support/screen_driver.h"

using namespace numora;
using namespace numora::testing;

namespace {

// Counts every click of the window's three buttons.
class ClickCounter {
 public:
  explicit ClickCounter(QWidget& window) {
    for (const char* name : {"Command1", "Command2", "Command3"}) {
      QObject::connect(ButtonOf(window, name), &QPushButton::clicked, &context_,
                       [this] { ++clicks_; });
    }
  }
  int clicks() const { return clicks_; }

 private:
  QObject context_;
  int clicks_ = 0;
};

// Keys and clicks that would correct an entry where corrections are allowed.
enum class Correction {
  LeftDelete,
  HomeDelete,
  ShiftLeftDigit,
  DoubleClickDigit,
  TripleClickDigit
};

}  // namespace

Q_DECLARE_METATYPE(Correction)
Q_DECLARE_METATYPE(numora::testing::Keys)

class KeyboardRoadTest : public ClockSuite {
  Q_OBJECT

 private slots:
  void initTestCase() { platform::InstallFontSubstitutions(); }

  void levels_data() {
    AddColumns<int, QString, Keys>("level", "window", "keys");
    const auto row = [](int level, const char* window, const char* how, Keys keys) {
      QTest::addRow("level %d, %s", level, how) << level << QString::fromLatin1(window) << keys;
    };
    row(1, "Form1", "main keys", Keys::Main);
    row(6, "Form1", "number pad", Keys::Pad);
    row(2, "Form1", "number pad without NumLock", Keys::PadWithoutNumLock);
    row(3, "Form1", "full-width keys", Keys::FullWidth);
    row(4, "Form1", "input method", Keys::Commit);
    row(7, "Form789", "number pad", Keys::Pad);
    row(7, "Form789", "number pad without NumLock", Keys::PadWithoutNumLock);
    row(8, "Form789", "main keys", Keys::Main);
    row(8, "Form789", "full-width keys", Keys::FullWidth);
    row(8, "Form789", "input method", Keys::Commit);
    row(9, "Form9", "number pad", Keys::Pad);
    row(9, "Form9", "number pad without NumLock", Keys::PadWithoutNumLock);
    row(9, "Form9", "full-width keys", Keys::FullWidth);
    row(9, "Form9", "input method", Keys::Commit);
  }

  // Start screen to challenge and back without the mouse but for the level: Enter on each
  // focused button starts, prepares the next run and returns; no Enter typed into the box
  // presses a button, not even the one that takes the focus when the Enter ends the run. Every
  // way of typing digits follows the digit keys' rules, two digits included.
  void enterPressesTheFocusedButton() {
    QFETCH(int, level);
    QFETCH(QString, window);
    QFETCH(Keys, keys);
    const bool numberPad = keys == Keys::Pad || keys == Keys::PadWithoutNumLock;
    const Qt::Key enter = numberPad ? Qt::Key_Enter : Qt::Key_Return;
    const Qt::KeyboardModifiers pad = numberPad ? Qt::KeypadModifier : Qt::NoModifier;
    QString visited;
    VisitChallenge(level, [&](QDialog& w) {
      visited = w.objectName();
      ClickCounter counter(w);
      QCOMPARE(w.focusWidget(), ButtonOf(w, "Command1"));
      QTest::keyClick(w.focusWidget(), enter, pad);
      QVERIFY(TextBox(w)->isEnabled());
      QCOMPARE(w.focusWidget(), TextBox(w));

      TypeEntry(w, QStringLiteral("1"), keys);
      QCOMPARE(TextOf(w, "Label4"), QStringLiteral(" 1"));
      TypeEntry(w, QStringLiteral("5"), keys);  // wrong: ends the run
      QCOMPARE(counter.clicks(), 1);
      QCOMPARE(TextOf(w, "Label9"), QStringLiteral("×"));
      QCOMPARE(w.focusWidget(), ButtonOf(w, "Command3"));

      QTest::keyClick(w.focusWidget(), enter, pad);
      QCOMPARE(w.focusWidget(), ButtonOf(w, "Command1"));
      QTest::keyClick(w.focusWidget(), enter, pad);
      QCOMPARE(w.focusWidget(), TextBox(w));
      TypeEntry(w, QStringLiteral("01"), keys);
      QCOMPARE(TextOf(w, "Label4"), QStringLiteral(" 1"));
      TypeEntry(w, QStringLiteral("2"), keys);
      QCOMPARE(TextOf(w, "Label4"), QStringLiteral(" 2"));
      QCOMPARE(counter.clicks(), 3);

      // Escape closes nothing; Tab reaches the return button, and Enter there returns.
      QTest::keyClick(w.focusWidget(), Qt::Key_Escape);
      QVERIFY(w.isVisible());
      for (int i = 0; i < 6 && w.focusWidget() != ButtonOf(w, "Command2"); ++i) {
        QTest::keyClick(w.focusWidget(), Qt::Key_Tab);
      }
      QCOMPARE(w.focusWidget(), ButtonOf(w, "Command2"));
      QTest::keyClick(w.focusWidget(), enter, pad);
    });
    QCOMPARE(visited, window);
    QVERIFY(!QApplication::activeModalWidget());
  }
  void enterPressesTheFocusedButton_data() { levels_data(); }

  void timeUpLeavesEnterHarmless_data() {
    AddColumns<int, bool>("level", "ready");
    for (int level = 1; level <= 8; ++level) {
      QTest::addRow("level %d, running", level) << level << false;
      QTest::addRow("level %d, ready after play again", level) << level << true;
    }
  }
  // The time runs out while the pupil types, or while 开始 waits for the next run: the next
  // Enter must not leave the window (and the visit's best) through a button the focus fell on.
  // Tab then reaches 再玩一次, and Enter there prepares a run with a new time limit.
  void timeUpLeavesEnterHarmless() {
    QFETCH(int, level);
    QFETCH(bool, ready);
    VisitChallenge(level, [&](QDialog& w) {
      auto& window = static_cast<ChallengeWindow&>(w);
      ClickCounter counter(w);
      QTest::keyClick(w.focusWidget(), Qt::Key_Return);
      TypeEntry(w, QStringLiteral("1"));
      if (ready) {
        // Backspace ends an open count and keeps it; the counting levels end on a wrong number.
        if (level <= 6) {
          TypeEntry(w, QStringLiteral("5"));
        } else {
          Press(w, Qt::Key_Backspace);
        }
        QTest::keyClick(w.focusWidget(), Qt::Key_Return);
        QCOMPARE(w.focusWidget(), ButtonOf(w, "Command1"));
      } else {
        QTest::keyClicks(w.focusWidget(), QStringLiteral("2"));
      }
      const int clicks = counter.clicks();
      clock_.Advance(*RuleFor(level).TimeLimitMs + 1000);
      QVERIFY(Tick(window));
      QCOMPARE(TextOf(w, "Label1"), message::kTimeUp);
      QVERIFY(!window.tickTimer()->isActive());
      QTest::keyClick(KeyTarget(w), Qt::Key_Return);
      QVERIFY(w.isVisible());
      QCOMPARE(counter.clicks(), clicks);
      if (ready && level >= 7) QCOMPARE(TextOf(w, "Label6"), QStringLiteral("1"));
      QTest::keyClick(KeyTarget(w), Qt::Key_Tab);
      QCOMPARE(w.focusWidget(), ButtonOf(w, "Command3"));
      QTest::keyClick(w.focusWidget(), Qt::Key_Return);
      QCOMPARE(w.focusWidget(), ButtonOf(w, "Command1"));
    });
  }

  void focusedButtonShowsItsFocus_data() {
    QTest::addColumn<int>("level");
    QTest::newRow("counting") << 1;
    QTest::newRow("open counting") << 7;
    QTest::newRow("endurance") << 9;
    QTest::newRow("start screen") << 0;
  }
  // Enter presses the focused button, so the pupil sees which one it is from the start, before
  // any Tab: 开始 as a window opens, 退出 after Enter in the name box.
  void focusedButtonShowsItsFocus() {
    QFETCH(int, level);
    const auto differsUnfocused = [](QPushButton* focused, QWidget* elsewhere) {
      const QImage drawn = focused->grab().toImage();
      elsewhere->setFocus(Qt::OtherFocusReason);
      return !focused->hasFocus() && focused->grab().toImage() != drawn;
    };
    if (level == 0) {
      Form0 start;
      QVERIFY(ShowActive(start));
      QTest::keyClick(start.focusWidget(), Qt::Key_Return);
      QPushButton* exit = ButtonOf(start, "Command1");
      QCOMPARE(start.focusWidget(), exit);
      QVERIFY(differsUnfocused(exit, ButtonOf(start, "Command0")));
      return;
    }
    VisitChallenge(level, [&](QDialog& w) {
      QPushButton* start = ButtonOf(w, "Command1");
      w.activateWindow();
      QTRY_VERIFY(w.isActiveWindow());
      QCOMPARE(w.focusWidget(), start);
      QVERIFY(differsUnfocused(start, ButtonOf(w, "Command2")));
    });
  }

  void correctionsFollowTheRule_data() {
    AddColumns<int, Correction>("level", "correction");
    for (const int level : {1, 7, 8, 9}) {
      const auto row = [level](const char* name, Correction c) {
        QTest::addRow("level %d, %s", level, name) << level << c;
      };
      row("25 Left Delete", Correction::LeftDelete);
      row("32 Home Delete", Correction::HomeDelete);
      row("3 Shift+Left 2", Correction::ShiftLeftDigit);
      row("3 double click 2", Correction::DoubleClickDigit);
      row("3 triple click 2", Correction::TripleClickDigit);
    }
  }
  // With 2 expected, each correction makes the entry "2" where the level allows corrections;
  // elsewhere the typed digits stay as typed and the entry is wrong.
  void correctionsFollowTheRule() {
    QFETCH(int, level);
    QFETCH(Correction, correction);
    const bool allowed = level <= 6;
    VisitChallenge(level, [&](QDialog& w) {
      ButtonOf(w, "Command1")->click();
      TypeEntry(w, QStringLiteral("1"));
      QWidget* box = TextBox(w);
      switch (correction) {
        case Correction::LeftDelete:
          QTest::keyClicks(box, QStringLiteral("25"));
          QTest::keyClick(box, Qt::Key_Left);
          QTest::keyClick(box, Qt::Key_Delete);
          break;
        case Correction::HomeDelete:
          QTest::keyClicks(box, QStringLiteral("32"));
          QTest::keyClick(box, Qt::Key_Home);
          QTest::keyClick(box, Qt::Key_Delete);
          break;
        case Correction::ShiftLeftDigit:
          QTest::keyClicks(box, QStringLiteral("3"));
          QTest::keyClick(box, Qt::Key_Left, Qt::ShiftModifier);
          QTest::keyClicks(box, QStringLiteral("2"));
          break;
        case Correction::DoubleClickDigit:
        case Correction::TripleClickDigit: {
          QTest::keyClicks(box, QStringLiteral("3"));
          const QPoint at(box->width() - 20, box->height() / 2);
          QTest::mouseDClick(box, Qt::LeftButton, {}, at);
          if (correction == Correction::TripleClickDigit) {
            QTest::mouseClick(box, Qt::LeftButton, {}, at);
          }
          QTest::keyClicks(box, QStringLiteral("2"));
          break;
        }
      }
      if (!allowed) {
        const bool leftDelete = correction == Correction::LeftDelete;
        QCOMPARE(TextOf(w, "Text1"), leftDelete ? QStringLiteral("25") : QStringLiteral("32"));
      }
      QTest::keyClick(box, Qt::Key_Return);
      QCOMPARE(TextOf(w, "Label4") == QStringLiteral(" 2"), allowed);
      ButtonOf(w, "Command2")->click();
    });
  }

  // A press and drag over the digits selects nothing where corrections are not allowed.
  void dragSelectsNothingWithoutCorrections() {
    VisitChallenge(7, [&](QDialog& w) {
      ButtonOf(w, "Command1")->click();
      auto* box = qobject_cast<QLineEdit*>(TextBox(w));
      QTest::keyClicks(box, QStringLiteral("123"));
      const int y = box->height() / 2;
      QTest::mousePress(box, Qt::LeftButton, {}, QPoint(box->width() - 4, y));
      QMouseEvent move(QEvent::MouseMove, QPointF(4, y), QPointF(box->mapToGlobal(QPoint(4, y))),
                       Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(box, &move);
      QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(4, y));
      QVERIFY(!box->hasSelectedText());
      QCOMPARE(box->cursorPosition(), 3);
      ButtonOf(w, "Command2")->click();
    });
  }

 private:
  static QWidget* TextBox(QWidget& window) {
    return window.findChild<QWidget*>(QStringLiteral("Text1"));
  }

  // Picks the level on a fresh start screen by mouse, as a pupil does, types a name, tabs to
  // 进入 and presses Enter there, and runs `visit` on the challenge window while it is open.
  void VisitChallenge(int level, const std::function<void(QDialog&)>& visit) {
    Form0 start;
    QVERIFY(ShowActive(start));
    QTest::mouseClick(start.findChild<QWidget*>(QStringLiteral("Label%1").arg(12 + level)),
                      Qt::LeftButton);
    QWidget* name = start.findChild<QWidget*>(QStringLiteral("Text1"));
    name->setFocus();
    QTest::keyClicks(name, QStringLiteral("Ming"));
    QTest::keyClick(name, Qt::Key_Tab);
    QCOMPARE(start.focusWidget(), start.findChild<QWidget*>(QStringLiteral("Command0")));
    bool visited = false;
    VisitModal<QDialog>([&] { QTest::keyClick(start.focusWidget(), Qt::Key_Return); },
                        [&](QDialog& w) {
                          visited = true;
                          visit(w);
                          if (w.isVisible()) w.reject();
                        });
    QVERIFY(visited);
  }
};

QTEST_MAIN(KeyboardRoadTest)
#include "keyboard_road_test.moc"
