// SPDX-License-Identifier: GPL-3.0-or-later
// The counting rules of levels 1 to 6, played on a recording screen with a clock the test moves.
#include "counting/counting_engine.h"

#include <QtTest>
#include <algorithm>

#include "tests/support/columns.h"
#include "tests/support/engine_rig.h"
#include "tests/support/game_messages.h"

using namespace numora;
using namespace numora::testing;

namespace {

struct Rig : EngineRig<CountingEngine> {
  explicit Rig(int level = 1) { Open(level); }
  void Open(int level) { EngineRig::Open(level, "小明", ""); }
  // Start, one tick after `ms`, then every number of the level.
  void CompleteRun(int level, double ms) {
    engine.Start();
    TickAfter(ms);
    EnterUpTo(50 * level);
  }
  // Where in the log an entry first appears; the log's size when it is missing.
  std::size_t At(const std::string& entry, std::size_t from = 0) const {
    return std::find(view.log.begin() + static_cast<std::ptrdiff_t>(from), view.log.end(), entry) -
           view.log.begin();
  }
};

}  // namespace

class CountingEngineTest : public QObject {
  Q_OBJECT

 private slots:
  // The board every engine loads is checked with all of them; this one also hides the picture
  // and opens the box only at Start.
  void startOpensTheBox() {
    Rig rig;
    QVERIFY(!rig.view.isVisible(Role::Picture));
    // No count can begin before Start: the box stays shut until then.
    QVERIFY(!rig.view.isEnabled(Role::Entry));
    rig.engine.Start();
    QVERIFY(rig.view.isEnabled(Role::Entry));
    QVERIFY(rig.view.ticking);
    QCOMPARE(rig.view.focus, Role::Entry);
    // Start hands the focus on only once the box is open and the button shut.
    QVERIFY(rig.At("enable Entry") < rig.At("disable Start"));
    QVERIFY(rig.At("disable Start") < rig.At("focus Entry"));
  }

  void completeRun_data() {
    QTest::addColumn<int>("level");
    for (int level = 1; level <= 6; ++level) QTest::addRow("level %d", level) << level;
  }
  void completeRun() {
    QFETCH(int, level);
    Rig rig(level);
    rig.engine.Start();
    rig.TickAfter(60000);
    const int max = 50 * level;
    rig.EnterUpTo(max - 1);
    QCOMPARE(rig.Text(Role::Mark), "√");
    QVERIFY(!rig.view.isVisible(Role::Picture));
    QVERIFY(rig.view.isEnabled(Role::Entry));
    rig.Enter(std::to_string(max));
    QCOMPARE(rig.Text(Role::Message), message::kSuccess);
    QCOMPARE(rig.Text(Role::Entry), QString::number(max));
    QCOMPARE(rig.Text(Role::LastNumber), QString(max < 100 ? " %1" : "%1").arg(max));
    QCOMPARE(rig.Text(Role::Mark), "");
    QCOMPARE(rig.Text(Role::Best), "60.00");
    QVERIFY(rig.view.isVisible(Role::Picture));
    QVERIFY(!rig.view.isEnabled(Role::Entry) && !rig.view.isEnabled(Role::Start));
    QVERIFY(rig.view.isVisible(Role::PlayAgain) && rig.view.isEnabled(Role::PlayAgain));
    QCOMPARE(rig.view.focus, Role::PlayAgain);
  }

  void acceptedNumbers_data() {
    QTest::addColumn<int>("before");  // numbers typed right before this entry
    AddColumns<QString, QString>("typed", "label4");
    QTest::newRow("01 is 1") << 0 << "01"
                             << " 1";
    QTest::newRow("007 is 7") << 6 << "007"
                              << " 7";
    QTest::newRow("three digits, no blank") << 149 << "150"
                                            << "150";
  }
  void acceptedNumbers() {
    QFETCH(int, before);
    QFETCH(QString, typed);
    QFETCH(QString, label4);
    Rig rig(4);
    rig.engine.Start();
    rig.EnterUpTo(before);
    rig.Type(typed.toStdString());
    QCOMPARE(rig.Text(Role::Entry), typed);
    rig.Type("\r");
    QCOMPARE(rig.Text(Role::Mark), "√");
    QCOMPARE(rig.Text(Role::LastNumber), label4);
    QCOMPARE(rig.Text(Role::Entry), "");
    QCOMPARE(rig.engine.ExpectedNumber(), before + 2);
  }

  // Whatever reaches Enter and is not the expected number ends the run, never the program.
  void wrongNumber_data() {
    AddColumns<int, QString, QString>("before", "entry", "message");
    const QString range = message::kCountingRange;
    QTest::newRow("6 for 5") << 4 << "6" << range + " 4";
    QTest::newRow("wrong first number") << 0 << "2" << range + " 0";
    QTest::newRow("0 for 1") << 0 << "0" << range + " 0";
    QTest::newRow("above 32767") << 2 << "32768" << range + " 2";
    QTest::newRow("far above 32767") << 2 << "99999999999" << range + " 2";
    QTest::newRow("not digits") << 1 << "2a" << range + " 1";
    QTest::newRow("minus sign") << 1 << "-2" << range + " 1";
    QTest::newRow("blank inside") << 1 << " 2" << range + " 1";
  }
  void wrongNumber() {
    QFETCH(int, before);
    QFETCH(QString, entry);
    QFETCH(QString, message);
    Rig rig(1);
    rig.engine.Start();
    rig.EnterUpTo(before);
    // Put straight into the box, as if it had got there without the key filter.
    rig.view.texts[static_cast<std::size_t>(Role::Entry)] = entry.toStdString();
    QCOMPARE(rig.view.Type(rig.engine, '\r'), 13);
    QCOMPARE(rig.Text(Role::Mark), "×");
    QCOMPARE(rig.Text(Role::Message), message);
    QCOMPARE(rig.Text(Role::Entry), entry);
    QVERIFY(!rig.view.isEnabled(Role::Entry) && !rig.view.isEnabled(Role::Start));
    QVERIFY(rig.view.isVisible(Role::PlayAgain) && rig.view.isEnabled(Role::PlayAgain));
    QCOMPARE(rig.view.focus, Role::PlayAgain);
    QVERIFY(!rig.view.isVisible(Role::Picture));
    QCOMPARE(rig.Text(Role::Best), "");
  }

  void keys_data() {
    AddColumns<int, int>("key", "passed");
    QTest::addColumn<QString>("mark");  // after a number was accepted
    QTest::newRow("digit") << int('7') << int('7') << "";
    QTest::newRow("backspace") << 8 << 8 << "";
    QTest::newRow("letter") << int('a') << 0 << "√";
    QTest::newRow("blank") << int(' ') << 0 << "√";
    QTest::newRow("minus") << int('-') << 0 << "√";
    QTest::newRow("Ctrl+V") << 22 << 0 << "√";
    QTest::newRow("Escape") << 27 << 0 << "√";
    QTest::newRow("Delete") << 127 << 0 << "√";
    QTest::newRow("Enter, empty box") << 13 << 13 << "√";
  }
  void keys() {
    QFETCH(int, key);
    QFETCH(int, passed);
    QFETCH(QString, mark);
    Rig rig(1);
    rig.engine.Start();
    rig.Enter("1");
    // Every key empties the message line, whatever follows.
    rig.view.texts[static_cast<std::size_t>(Role::Message)] = "x";
    QCOMPARE(rig.engine.KeyPress(key), passed);
    QCOMPARE(rig.Text(Role::Mark), mark);
    QCOMPARE(rig.Text(Role::Message), "");
    QCOMPARE(rig.engine.ExpectedNumber(), 2);  // no key but a wrong Enter ends the run
    QVERIFY(rig.view.isEnabled(Role::Entry));
  }

  // The elapsed fields round to the nearest hundredth; the result drops the fraction.
  void elapsedAndBest_data() {
    AddColumns<int, int, QString, QString, QString>("level", "ms", "seconds", "hundredths", "best");
    QTest::newRow("83275") << 1 << 83275 << "83"
                           << "28"
                           << "83.27";
    QTest::newRow("rounds to 100") << 1 << 12996 << "12"
                                   << "00"
                                   << "12.99";
    QTest::newRow("half to even") << 1 << 12005 << "12"
                                  << "00"
                                  << "12.00";
    QTest::newRow("longer than 327.67 s") << 3 << 345678 << "45"
                                          << "68"
                                          << "345.67";
    QTest::newRow("nearly 7 minutes") << 6 << 419800 << "19"
                                      << "80"
                                      << "419.80";
  }
  void elapsedAndBest() {
    QFETCH(int, level);
    QFETCH(int, ms);
    QFETCH(QString, seconds);
    QFETCH(QString, hundredths);
    QFETCH(QString, best);
    Rig rig(level);
    rig.CompleteRun(level, ms);
    QCOMPARE(rig.Text(Role::LowerSeconds), seconds);
    QCOMPARE(rig.Text(Role::LowerHundredths), hundredths);
    QCOMPARE(rig.Text(Role::Best), best);
    QCOMPARE(rig.Text(Role::Message), message::kSuccess);
    // The run is over: later ticks move the time left but not the run's time.
    rig.TickAfter(50);
    QCOMPARE(rig.Text(Role::LowerSeconds), seconds);
    QCOMPARE(rig.Text(Role::LowerHundredths), hundredths);
  }

  // Each run after the first, on the same visit or after reopening at another level.
  void bestResult_data() {
    QTest::addColumn<int>("firstMs");
    QTest::addColumn<int>("reopenLevel");  // 0: stay; else return and open this level
    AddColumns<int, QString, QString>("secondMs", "message", "best");
    QTest::newRow("faster") << 83275 << 0 << 83265 << message::kFasterRun << "83.26";
    QTest::newRow("same hundredth") << 83275 << 0 << 83279 << message::kSuccess << "83.27";
    QTest::newRow("slower") << 83275 << 0 << 90000 << message::kSuccess << "83.27";
    QTest::newRow("slower, reopened at 2") << 83275 << 2 << 90000 << message::kSuccess << "83.27";
    QTest::newRow("faster, reopened at 2") << 90000 << 2 << 83275 << message::kFasterRun << "83.27";
    QTest::newRow("long best beaten") << 345670 << 3 << 345660 << message::kFasterRun << "345.66";
    QTest::newRow("long run after short") << 90000 << 3 << 345670 << message::kSuccess << "90.00";
    QTest::newRow("first run within a hundredth") << 4 << 0 << 90000 << message::kSuccess << "0.00";
  }
  void bestResult() {
    QFETCH(int, firstMs);
    QFETCH(int, reopenLevel);
    QFETCH(int, secondMs);
    QFETCH(QString, message);
    QFETCH(QString, best);
    const int firstLevel = firstMs > 300000 ? 3 : 1;
    Rig rig(firstLevel);
    rig.CompleteRun(firstLevel, firstMs);
    QCOMPARE(rig.Text(Role::Message), message::kSuccess);  // the first best is no record
    int level = firstLevel;
    if (reopenLevel == 0) {
      rig.engine.PlayAgain();
    } else {
      rig.engine.Detach();
      level = reopenLevel;
      rig.view = FakeView();
      rig.Open(level);
      QCOMPARE(rig.Text(Role::Best), "");
    }
    rig.CompleteRun(level, secondMs);
    QCOMPARE(rig.Text(Role::Message), message);
    QCOMPARE(rig.Text(Role::Best), best);
  }

  void playAgainClearsTheBoard() {
    Rig rig(1);
    rig.CompleteRun(1, 30000);
    rig.TickAfter(7);
    const QString minutes = rig.Text(Role::Minutes), seconds = rig.Text(Role::Seconds);
    rig.view.log.clear();
    rig.engine.PlayAgain();
    QCOMPARE(rig.Text(Role::Entry), "");
    QCOMPARE(rig.Text(Role::Message), " ");
    QCOMPARE(rig.Text(Role::LastNumber), "");
    QCOMPARE(rig.Text(Role::LowerSeconds), "00");
    QCOMPARE(rig.Text(Role::LowerHundredths), "00");
    QCOMPARE(rig.Text(Role::Best), "30.00");
    QVERIFY(!rig.view.isVisible(Role::Picture));
    QVERIFY(rig.view.isVisible(Role::PlayAgain) && !rig.view.isEnabled(Role::PlayAgain));
    QVERIFY(rig.view.isEnabled(Role::Start) && !rig.view.isEnabled(Role::Entry));
    QCOMPARE(rig.view.focus, Role::Start);
    QVERIFY(rig.At("disable PlayAgain") < rig.At("focus Start"));
    // The time limit goes on: nothing restarts the tick or touches the time left.
    QCOMPARE(rig.At("tick on"), rig.view.log.size());
    QCOMPARE(rig.Text(Role::Minutes), minutes);
    QCOMPARE(rig.Text(Role::Seconds), seconds);
    rig.engine.Start();
    QCOMPARE(rig.At("tick on"), rig.view.log.size());
    rig.TickAfter(1000);
    QCOMPARE(rig.Text(Role::LowerSeconds), "01");
    QCOMPARE(rig.Text(Role::Seconds), "28");  // 300000 - 31007 - 100 ms left
  }

  // The limit ends 100 ms early, at the first tick past it, whatever the pupil is doing; that
  // tick leaves the minutes and seconds of the tick before.
  void timeUp_data() {
    AddColumns<int, QString>("level", "state");
    QTest::addColumn<int>("lastLeft");  // the time left shown by the tick before
    QTest::newRow("running, level 1") << 1 << "running" << 0;
    QTest::newRow("running, level 4") << 4 << "running" << 2340;
    QTest::newRow("running, level 6") << 6 << "running" << 0;
    QTest::newRow("ready") << 2 << "ready" << 0;
    QTest::newRow("complete") << 1 << "complete" << 1230;
    QTest::newRow("failed") << 5 << "failed" << 0;
  }
  void timeUp() {
    QFETCH(int, level);
    QFETCH(QString, state);
    QFETCH(int, lastLeft);
    Rig rig(level);
    rig.engine.Start();
    rig.EnterUpTo(state == "complete" ? 50 * level : 1);
    if (state == "failed") rig.Enter("5");
    if (state == "ready") rig.engine.PlayAgain();
    const int limit = level <= 2 ? 300000 : level <= 4 ? 360000 : 420000;
    const Role focus = rig.view.focus;
    const bool command1 = rig.view.isEnabled(Role::Start);
    rig.TickAfter(limit - 100 - lastLeft);
    const QString seconds = QString("%1").arg(lastLeft / 1000, 2, 10, QChar('0'));
    QCOMPARE(rig.Text(Role::Seconds), seconds);
    QVERIFY(rig.view.ticking);
    QCOMPARE(rig.view.isEnabled(Role::Start), command1);
    rig.TickAfter(lastLeft + 1);
    QVERIFY(!rig.view.ticking);
    QCOMPARE(rig.Text(Role::Message), message::kTimeUp);
    QCOMPARE(rig.Text(Role::Minutes), " 0");
    QCOMPARE(rig.Text(Role::Seconds), seconds);
    QCOMPARE(rig.Text(Role::Hundredths), "00");
    QVERIFY(!rig.view.isEnabled(Role::Entry) && !rig.view.isEnabled(Role::Start));
    QVERIFY(rig.view.isVisible(Role::PlayAgain) && rig.view.isEnabled(Role::PlayAgain));
    QCOMPARE(rig.view.focus, focus);
  }

  // Play again and Start after time up begin a whole new limit, clock and tick included.
  void newLimitAfterTimeUp() {
    Rig rig(3);
    rig.engine.Start();
    rig.Enter("1");
    rig.TickAfter(359901);
    QVERIFY(!rig.view.ticking);
    rig.clock.Advance(5000);
    rig.engine.PlayAgain();
    rig.engine.Start();
    QVERIFY(rig.view.ticking);
    QVERIFY(rig.view.isEnabled(Role::Entry));
    rig.TickAfter(1230);
    QCOMPARE(rig.Text(Role::LowerSeconds), "01");
    QCOMPARE(rig.Text(Role::LowerHundredths), "23");
    QCOMPARE(rig.Text(Role::Minutes), " 5");  // 360000 - 1230 - 100 = 358670 ms left
    QCOMPARE(rig.Text(Role::Seconds), "58");
    QCOMPARE(rig.Text(Role::Hundredths), "67");
    rig.EnterUpTo(150);
    QCOMPARE(rig.Text(Role::Best), "1.23");
    rig.TickAfter(360000 - 100 - 1230);
    QVERIFY(rig.view.ticking);
    rig.TickAfter(1);
    QCOMPARE(rig.Text(Role::Message), message::kTimeUp);
  }

  void acrossMidnight() {
    Rig rig(1);
    rig.clock.Set(23, 59, 58, 0);
    rig.engine.Start();
    rig.TickAfter(3500);
    QCOMPARE(rig.clock.now, 1500.0);
    QCOMPARE(rig.Text(Role::LowerSeconds), "03");
    QCOMPARE(rig.Text(Role::LowerHundredths), "50");
    QCOMPARE(rig.Text(Role::Minutes), " 4");  // 296400 ms left
    QCOMPARE(rig.Text(Role::Seconds), "56");
    QCOMPARE(rig.Text(Role::Hundredths), "40");
    rig.EnterUpTo(50);
    QCOMPARE(rig.Text(Role::Best), "3.50");
    // A later run started after midnight still counts the limit from 23:59:58.
    rig.engine.PlayAgain();
    rig.engine.Start();
    rig.TickAfter(296400);
    QVERIFY(rig.view.ticking);
    rig.TickAfter(1);
    QCOMPARE(rig.Text(Role::Message), message::kTimeUp);
  }
};

QTEST_APPLESS_MAIN(CountingEngineTest)
#include "counting_engine_test.moc"
