// SPDX-License-Identifier: GPL-3.0-or-later
// The counting window played through its widgets: keys, clicks and the tick timer, with a clock
// the test moves.
#include "counting/form1.h"

#include <QApplication>
#include <QClipboard>
#include <QtTest>
#include <memory>

#include "tests/support/game_messages.h"
#include "tests/support/screen_driver.h"

using numora::CountingEngine;
using numora::Form1;
using numora::Pupil;
using namespace numora::testing;

class Form1Test : public ScreenSuite {
  Q_OBJECT

  // The engine lives as long as the program; each visit opens a window over it.
  std::unique_ptr<CountingEngine> engine_;

  bool Open(int level) {
    return ScreenSuite::Open(*engine_, Pupil{static_cast<std::int16_t>(level), "小明", ""});
  }
  QTimer* Timer() { return Window().tickTimer(); }
  // The number and Enter, typed in one of the pupil's ways.
  void Enter(int number, Keys keys = Keys::Main) {
    TypeEntry(Window(), QString::number(number), keys);
  }
  // The running timer's next tick shows the clock's time since the run started.
  bool TickShows(const QString& seconds, const QString& hundredths) {
    return Tick(Window()) && Text("Label2") == seconds && Text("Label11") == hundredths;
  }

 private slots:
  void init() {
    clock_.Set(10, 0, 0, 0);
    engine_ = std::make_unique<CountingEngine>(numora::platform::AppClock());
  }
  void cleanup() { Close(); }

  void opensReadyForStart() {
    QVERIFY(Open(4));
    QCOMPARE(Window().windowTitle(), "Numora");
    QCOMPARE(Text("Label3"), "4");
    QCOMPARE(Text("Label19"), "4级规则: 6分钟 不限次 连续输入数字 1-200 ");
    QCOMPARE(Text("Label15"), "6");
    QCOMPARE(Text("Label14"), "00");
    QCOMPARE(Text("Label13"), "00");
    QCOMPARE(Text("Label6"), "");
    QCOMPARE(Text("Label1"), " ");
    QCOMPARE(Text("Text1"), "");
    QVERIFY(!Box()->isEnabled());
    QVERIFY(Control("Command3")->isHidden());
    QVERIFY(Control("Picture1")->isHidden());
    QVERIFY(!Timer()->isActive());
    QCOMPARE(Timer()->interval(), 7);
    QCOMPARE(Timer()->timerType(), Qt::PreciseTimer);
    QCOMPARE(Control("Label9")->property("index").toInt(), 10);
    QCOMPARE(Focus(), Control("Command1"));
    // Keys before Start cannot begin an untimed count.
    QTest::keyClicks(Box(), "0");
    QCOMPARE(Text("Text1"), "");
    QCOMPARE(Text("Label9"), "");
    // The tab order: Start, the box, Play again, Return.
    QCOMPARE(Control("Command1")->nextInFocusChain(), Control("Text1"));
    QCOMPARE(Control("Text1")->nextInFocusChain(), Control("Command3"));
    QCOMPARE(Control("Command3")->nextInFocusChain(), Control("Command2"));
  }

  void wholeLevel1Run() {
    QVERIFY(Open(1));
    Click("Command1");
    QVERIFY(Timer()->isActive());
    QCOMPARE(Focus(), Control("Text1"));
    // Every way of typing digits counts the same, two-digit numbers included.
    for (int n = 1; n < 50; ++n) {
      Enter(n, kEveryWayOfKeys[n % std::size(kEveryWayOfKeys)]);
      QCOMPARE(Text("Label9"), "√");
      QCOMPARE(Text("Text1"), "");
    }
    QCOMPARE(Text("Label4"), " 49");
    clock_.Advance(83275);
    QVERIFY(TickShows("83", "28"));
    Enter(50);
    QCOMPARE(Text("Label1"), message::kSuccess);
    QCOMPARE(Text("Text1"), "50");
    QCOMPARE(Text("Label6"), "83.27");
    QCOMPARE(Text("Label9"), "");
    QVERIFY(!Box()->isEnabled());
    QVERIFY(!Control("Command1")->isEnabled());
    QVERIFY(Control("Command3")->isVisible() && Control("Command3")->isEnabled());
    QCOMPARE(Focus(), Control("Command3"));
    // The picture is shown over the last-number label.
    QWidget* picture = Control("Picture1");
    QVERIFY(picture->isVisible());
    const QRect under = Control("Label4")->geometry();
    QVERIFY(picture->geometry().intersects(under));
    QCOMPARE(Window().childAt(under.center()), picture);
    // The elapsed row stays; the time left goes on.
    const QString left = Text("Label13");
    clock_.Advance(1234);
    QVERIFY(Tick(Window()));
    QVERIFY(Text("Label13") != left);
    QCOMPARE(Text("Label2"), "83");

    Click("Command3");
    QCOMPARE(Focus(), Control("Command1"));
    QVERIFY(picture->isHidden());
    QCOMPARE(Text("Label2"), "00");
  }

  // Delete edits the box without the key filter; Backspace goes through it and clears the mark.
  void deleteAndBackspace() {
    QVERIFY(Open(1));
    Click("Command1");
    Enter(1);
    QTest::keyClick(Box(), Qt::Key_Delete);
    QCOMPARE(Text("Label9"), "√");
    QTest::keyClick(Box(), Qt::Key_Backspace);
    QCOMPARE(Text("Label9"), "");
    QTest::keyClicks(Box(), "23");
    QTest::keyClick(Box(), Qt::Key_Home);
    QTest::keyClick(Box(), Qt::Key_Delete);
    QCOMPARE(Text("Text1"), "3");
    QTest::keyClick(Box(), Qt::Key_End);
    QTest::keyClick(Box(), Qt::Key_Backspace);
    QCOMPARE(Text("Text1"), "");
    Enter(2);
    QCOMPARE(Text("Label9"), "√");
    QCOMPARE(Text("Label4"), " 2");
  }

  void pasteIsRefused_data() { PasteRows(); }
  void pasteIsRefused() {
    QVERIFY(Open(1));
    CheckPasteRefused();
  }

  // Escape is a key like any other and Enter only ends an entry: neither closes the window.
  void escapeAndEnterKeepTheWindow() {
    QVERIFY(Open(1));
    QTest::keyClick(&Window(), Qt::Key_Escape);
    QTest::keyClick(Control("Command1"), Qt::Key_Escape);
    Click("Command1");
    QTest::keyClick(Box(), Qt::Key_Escape);
    QTest::keyClick(Box(), Qt::Key_Return);
    QTest::keyClick(Box(), Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(Window().isVisible());
    QVERIFY(Box()->isEnabled());
    QCOMPARE(Text("Label9"), "");
    Enter(1);
    QCOMPARE(Text("Label9"), "√");
  }

  // After time is up, Play again and Start begin a new limit with a running tick.
  void timeUpAndANewLimit() {
    QVERIFY(Open(1));
    Click("Command1");
    Enter(1);
    clock_.Advance(299901);
    QVERIFY(Tick(Window()));
    QCOMPARE(Text("Label1"), message::kTimeUp);
    QVERIFY(!Timer()->isActive());
    QVERIFY(!Box()->isEnabled());
    Click("Command3");
    Click("Command1");
    QVERIFY(Timer()->isActive());
    clock_.Advance(1000);
    QVERIFY(TickShows("01", "00"));
    QCOMPARE(Text("Label15"), " 4");
    QCOMPARE(Text("Label14"), "58");
    QCOMPARE(Text("Label13"), "90");
  }

  void returnInEveryState_data() {
    QTest::addColumn<QString>("state");
    QTest::addColumn<bool>("titleBar");  // closed by the title bar instead of Return
    for (const char* state : {"ready", "running", "complete", "failed", "time up", "again"}) {
      QTest::addRow("%s", state) << state << false;
    }
    QTest::newRow("running, title bar") << "running" << true;
  }
  void returnInEveryState() {
    QFETCH(QString, state);
    QFETCH(bool, titleBar);
    QVERIFY(Open(1));
    if (state != "ready") Click("Command1");
    if (state == "complete" || state == "again") {
      clock_.Advance(42000);
      QVERIFY(TickShows("42", "00"));
      for (int n = 1; n <= 50; ++n) Enter(n);
    }
    if (state == "failed") Enter(3);
    if (state == "time up") {
      clock_.Advance(300000);
      QVERIFY(Tick(Window()));
      QCOMPARE(Text("Label1"), message::kTimeUp);
    }
    if (state == "again") Click("Command3");
    if (titleBar) {
      Window().close();
    } else {
      Click("Command2");
    }
    QVERIFY(!Window().isVisible());
    QCOMPARE(Window().result(), int(QDialog::Accepted));
    QVERIFY(!Timer()->isActive());
    Close();
    // The engine outlives the window; a new visit starts from Load and keeps only the best.
    const bool hadBest = state == "complete" || state == "again";
    QCOMPARE(engine_->BestHundredths(), hadBest ? 4200 : 0);
    QVERIFY(Open(2));
    QCOMPARE(Text("Label3"), "2");
    QCOMPARE(Text("Label6"), "");
    QCOMPARE(Text("Label1"), " ");
    QVERIFY(Control("Command3")->isHidden());
    QVERIFY(!Timer()->isActive());
    QCOMPARE(Focus(), Control("Command1"));
  }

  // The start screen's way in: a modal window over a program-long engine.
  void openingKeepsTheBestAcrossVisits() {
    QStringList seen;
    const auto play = [&](int level, double ms) {
      VisitLevel<Form1>(level, [&](Form1& window) {
        seen << TextOf(window, "Label3") + "|" + TextOf(window, "Label6");
        QTest::mouseClick(ButtonOf(window, "Command1"), Qt::LeftButton);
        clock_.Advance(ms);
        if (!Tick(window) || TextOf(window, "Label2") != QString::number(ms / 1000)) {
          seen << "no tick";
        }
        for (int n = 1; n <= 50 * level; ++n) TypeEntry(window, QString::number(n));
        seen << TextOf(window, "Label1") + "|" + TextOf(window, "Label6");
        QTest::mouseClick(ButtonOf(window, "Command2"), Qt::LeftButton);
      });
    };
    play(1, 30000);
    play(2, 40000);
    const QString success = QString(message::kSuccess) + "|30.00";
    const QStringList expected = {"1|", success, "2|", success};
    QCOMPARE(seen, expected);
  }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
