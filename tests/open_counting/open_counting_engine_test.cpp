// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of levels 7 and 8, played on a recording screen with a clock the test moves.
#include "open_counting/open_counting_engine.h"

#include <QtTest>
#include <string>

#include "tests/support/columns.h"
#include "tests/support/engine_rig.h"
#include "tests/support/game_messages.h"

using namespace numora;
using namespace numora::testing;

namespace {

struct Rig : EngineRig<OpenCountingEngine> {
  explicit Rig(int level = 7) { Open(level, "小红", "实验小学"); }
  // A whole run: Start, `count` right numbers, then backspace.
  void RunEndedByBackspace(int count) {
    engine.Start();
    EnterUpTo(count);
    view.Type(engine, kKeyBackspace);
    engine.PlayAgain();
  }
  bool PlayAgainOffered(bool focused) const {
    return view.isVisible(Role::PlayAgain) && view.isEnabled(Role::PlayAgain) &&
           (view.focus == Role::PlayAgain) == focused;
  }
  QStringList Countdown() const {
    return {Text(Role::Minutes), Text(Role::Seconds), Text(Role::Hundredths)};
  }
};

}  // namespace

class OpenCountingEngineTest : public QObject {
  Q_OBJECT

 private slots:
  // The box is shut before the first start: nothing typed there counts, so no run of -1.
  void keysBeforeTheFirstStartAreNotJudged() {
    Rig rig;
    QCOMPARE(rig.view.Type(rig.engine, '0'), 0);
    QCOMPARE(rig.view.Type(rig.engine, kKeyEnter), 0);
    QCOMPARE(rig.view.Type(rig.engine, kKeyBackspace), 0);
    QVERIFY(rig.Text(Role::Best).isEmpty());
    QCOMPARE(rig.Text(Role::Message), " ");
    QVERIFY(!rig.view.ticking);
    rig.engine.Start();
    QVERIFY(rig.view.isEnabled(Role::Entry) && !rig.view.isEnabled(Role::Start));
    rig.Enter("1");
    QCOMPARE(rig.Text(Role::Mark), "√");
  }

  void keysDuringARun_data() {
    AddColumns<char, bool>("key", "passed");
    QTest::newRow("digit 0") << '0' << true;
    QTest::newRow("letter") << 'a' << false;
    QTest::newRow("blank") << ' ' << false;
    QTest::newRow("point") << '.' << false;
    QTest::newRow("escape") << '\x1b' << false;
  }
  void keysDuringARun() {
    QFETCH(char, key);
    QFETCH(bool, passed);
    Rig rig;
    rig.engine.Start();
    rig.Enter("1");
    QCOMPARE(rig.view.Type(rig.engine, key) == key, passed);
    QCOMPARE(rig.Text(Role::Entry), passed ? QString(QChar(key)) : QString());
    // Only a digit clears the mark; nothing else ends the run or says anything.
    QCOMPARE(rig.Text(Role::Mark), passed ? QString() : QString("√"));
    QVERIFY(rig.Text(Role::Message).isEmpty());
    QVERIFY(rig.view.isEnabled(Role::Entry));
  }

  void acceptedNumbers_data() {
    AddColumns<int, QString, QString>("number", "typed", "label4");
    QTest::newRow("7") << 7 << "7"
                       << " 7";
    QTest::newRow("999") << 999 << "999"
                         << " 999";
    QTest::newRow("1000") << 1000 << "1000"
                          << "1000";
    QTest::newRow("leading zeros") << 13 << "0013"
                                   << " 13";
    QTest::newRow("many leading zeros") << 2 << "00000000000000000002"
                                        << " 2";
    QTest::newRow("12345 keeps four characters") << 12345 << "12345"
                                                 << "2345";
  }
  void acceptedNumbers() {
    QFETCH(int, number);
    QFETCH(QString, typed);
    QFETCH(QString, label4);
    Rig rig;
    rig.engine.Start();
    rig.EnterUpTo(number - 1);
    rig.view.log.clear();
    rig.Enter(typed.toStdString());
    QCOMPARE(rig.Text(Role::Mark), "√");
    QCOMPARE(rig.Text(Role::LastNumber), label4);
    QVERIFY(rig.Text(Role::Entry).isEmpty());
    rig.Enter(std::to_string(number + 1));
    QCOMPARE(rig.Text(Role::Mark), "√");
  }

  // Backspace ends a run with its count; only a count above the best so far is a record.
  void backspaceEndsWithTheRange_data() {
    AddColumns<QList<int>, QString, QString>("counts", "message", "best");
    const QString range = message::kOpenRange;
    const QString record = message::kOpenRecordRange;
    QTest::newRow("first run 57") << QList<int>{57} << range + " 57"
                                  << "57";
    QTest::newRow("60 beats 57") << QList<int>{57, 60} << record + " 60"
                                 << "60";
    QTest::newRow("60 again") << QList<int>{57, 60, 60} << range + " 60"
                              << "60";
    QTest::newRow("40 after 60") << QList<int>{57, 60, 40} << range + " 40"
                                 << "60";
    QTest::newRow("backspace first") << QList<int>{0} << range + " 0"
                                     << "0";
    // A best of 0 is no best: the next run takes its place without a record message.
    QTest::newRow("after a best of 0") << QList<int>{0, 3} << range + " 3"
                                       << "3";
  }
  void backspaceEndsWithTheRange() {
    QFETCH(QList<int>, counts);
    QFETCH(QString, message);
    QFETCH(QString, best);
    Rig rig;
    for (qsizetype i = 0; i + 1 < counts.size(); ++i) rig.RunEndedByBackspace(counts[i]);
    rig.engine.Start();
    rig.EnterUpTo(counts.back());
    rig.view.Type(rig.engine, '5');
    QCOMPARE(rig.view.Type(rig.engine, kKeyBackspace), 0);
    QCOMPARE(rig.Text(Role::Entry), "5");  // the key never reaches the box
    QCOMPARE(rig.Text(Role::Message), message);
    QCOMPARE(rig.Text(Role::Best), best);
    QCOMPARE(rig.engine.BestCount(), best.toInt());
    QCOMPARE(rig.Text(Role::Mark), "×");
    QVERIFY(!rig.view.isEnabled(Role::Entry));
    QVERIFY(!rig.view.isEnabled(Role::Start));
    QVERIFY(rig.PlayAgainOffered(true));
    QVERIFY(rig.view.ticking);  // the time limit goes on
  }

  void wrongEntryEndsTheRun_data() {
    AddColumns<int, int, QString, QString>("bestBefore", "accepted", "typed", "best");
    QTest::newRow("13 expected, 14 typed") << 0 << 12 << "14"
                                           << "12";
    QTest::newRow("below an old best") << 20 << 12 << "12"
                                       << "20";
    QTest::newRow("above an old best") << 5 << 12 << "130"
                                       << "12";
    QTest::newRow("empty at the first number") << 0 << 0 << ""
                                               << "0";
    QTest::newRow("above 32767") << 0 << 3 << "99999"
                                 << "3";
    QTest::newRow("more digits than any number") << 0 << 3 << "40000000000000000000"
                                                 << "3";
  }
  void wrongEntryEndsTheRun() {
    QFETCH(int, bestBefore);
    QFETCH(int, accepted);
    QFETCH(QString, typed);
    QFETCH(QString, best);
    Rig rig;
    if (bestBefore > 0) rig.RunEndedByBackspace(bestBefore);
    rig.engine.Start();
    rig.EnterUpTo(accepted);
    rig.Enter(typed.toStdString());
    QCOMPARE(rig.Text(Role::Message), message::kWrongEntry);
    QCOMPARE(rig.Text(Role::Best), best);
    QCOMPARE(rig.Text(Role::Mark), "×");
    QCOMPARE(rig.Text(Role::LastNumber), accepted > 0 ? Q(NumberText(accepted)) : QString());
    QVERIFY(!rig.view.isEnabled(Role::Entry));
    QVERIFY(!rig.view.isEnabled(Role::Start));
    QVERIFY(rig.PlayAgainOffered(true));
  }

  // A wrong entry ends the run, not the level's time: the countdown goes on over the next run
  // while the second row stands still until the next start.
  void wrongEntryKeepsTheTimeLimit() {
    Rig rig(7);
    rig.engine.Start();
    rig.TickAfter(30000);
    rig.Enter("2");
    QVERIFY(rig.view.ticking);
    rig.TickAfter(5000);
    QCOMPARE(rig.Text(Role::LowerSeconds), "30");
    QCOMPARE(rig.Countdown(), (QStringList{" 4", "25", "00"}));
    rig.engine.PlayAgain();
    QCOMPARE(rig.Text(Role::LowerSeconds), "00");
    rig.TickAfter(5000);
    QCOMPARE(rig.Text(Role::LowerSeconds), "00");
    QCOMPARE(rig.Countdown(), (QStringList{" 4", "20", "00"}));
    rig.engine.Start();
    rig.TickAfter(1230);
    QCOMPARE(rig.Text(Role::LowerSeconds), "01");
    QCOMPARE(rig.Text(Role::LowerHundredths), "23");
    QCOMPARE(rig.Countdown(), (QStringList{" 4", "18", "77"}));
    rig.Enter("1");
    rig.TickAfter(300000 - 41230);
    QCOMPARE(rig.Text(Role::Message), "");
    rig.TickAfter(1);
    QCOMPARE(rig.Text(Role::Message), message::kTimeUp);
  }

  // One tick some time after the first start: the countdown and the second row.
  void timeRows_data() {
    AddColumns<int, int, QStringList, QStringList>("level", "elapsed", "countdown", "secondRow");
    QTest::newRow("8 at 419990 left")
        << 8 << 10 << QStringList{" 6", "59", "99"} << QStringList{"00", "01"};
    QTest::newRow("8 at 245300 left")
        << 8 << 174700 << QStringList{" 4", "05", "30"} << QStringList{"74", "70"};
    QTest::newRow("7 at 299900 left")
        << 7 << 100 << QStringList{" 4", "59", "90"} << QStringList{"00", "10"};
    QTest::newRow("remainder 997 does not carry")
        << 7 << 239003 << QStringList{" 1", "00", "00"} << QStringList{"39", "00"};
    QTest::newRow("125 s shows 25")
        << 8 << 125000 << QStringList{" 4", "55", "00"} << QStringList{"25", "00"};
    QTest::newRow("last moment") << 7 << 300000 << QStringList{" 0", "00", "00"}
                                 << QStringList{"00", "00"};
  }
  void timeRows() {
    QFETCH(int, level);
    QFETCH(int, elapsed);
    QFETCH(QStringList, countdown);
    QFETCH(QStringList, secondRow);
    Rig rig(level);
    rig.engine.Start();
    rig.TickAfter(elapsed);
    QCOMPARE(rig.Countdown(), countdown);
    QCOMPARE((QStringList{rig.Text(Role::LowerSeconds), rig.Text(Role::LowerHundredths)}),
             secondRow);
    QVERIFY(rig.view.ticking);
  }

  // The second row counts from the latest start; the countdown from the first.
  void laterRunsShareTheTimeLimit() {
    Rig rig(7);
    rig.engine.Start();
    rig.TickAfter(100000);
    rig.view.Type(rig.engine, kKeyBackspace);
    rig.TickAfter(20000);
    QCOMPARE(rig.Text(Role::LowerSeconds), "00");  // frozen since the backspace at 100 s
    QCOMPARE(rig.Countdown(), (QStringList{" 3", "00", "00"}));
    rig.engine.PlayAgain();
    rig.engine.Start();
    rig.TickAfter(2500);
    QCOMPARE(rig.Text(Role::LowerSeconds), "02");
    QCOMPARE(rig.Text(Role::LowerHundredths), "50");
    QCOMPARE(rig.Countdown(), (QStringList{" 2", "57", "50"}));
  }

  // How the run stood when the time ran out: the time-out ends every state but leaves the
  // results alone.
  void timeOut_data() {
    AddColumns<QString, QString>("state", "mark");
    QTest::newRow("in a run") << "run"
                              << "√";
    QTest::newRow("after a backspace") << "backspace"
                                       << "×";
    QTest::newRow("after a wrong entry") << "wrong"
                                         << "×";
    QTest::newRow("between runs") << "again"
                                  << "";
  }
  void timeOut() {
    QFETCH(QString, state);
    QFETCH(QString, mark);
    Rig rig(8);
    rig.RunEndedByBackspace(9);
    rig.engine.Start();
    rig.TickAfter(1000);
    rig.EnterUpTo(5);
    if (state == "backspace") rig.view.Type(rig.engine, kKeyBackspace);
    if (state == "wrong" || state == "again") rig.Enter("9");
    if (state == "again") rig.engine.PlayAgain();
    const Role focus = rig.view.focus;
    rig.TickAfter(419000);
    QVERIFY(rig.Text(Role::Message) != message::kTimeUp);
    QCOMPARE(rig.Countdown(), (QStringList{" 0", "00", "00"}));
    rig.TickAfter(1);
    QCOMPARE(rig.Text(Role::Message), message::kTimeUp);
    QCOMPARE(rig.Text(Role::Hundredths), "00");
    QCOMPARE(rig.Text(Role::Mark), mark);
    QCOMPARE(rig.Text(Role::LastNumber), state == "again" ? QString() : QString(" 5"));
    QCOMPARE(rig.Text(Role::Best), "9");
    QVERIFY(!rig.view.ticking);
    QVERIFY(!rig.view.isEnabled(Role::Entry));
    QVERIFY(!rig.view.isEnabled(Role::Start));
    QVERIFY(rig.view.isVisible(Role::PlayAgain) && rig.view.isEnabled(Role::PlayAgain));
    QCOMPARE(rig.view.focus, focus);
    // The stopped clock shows nothing more.
    const QStringList frozen = rig.Countdown();
    rig.TickAfter(5000);
    QCOMPARE(rig.Countdown(), frozen);
  }

  // After a time-out the next start begins the level's whole time again.
  void playAgainAfterATimeOutStartsAFullLimit() {
    Rig rig(7);
    rig.engine.Start();
    rig.TickAfter(300001);
    QCOMPARE(rig.Text(Role::Message), message::kTimeUp);
    rig.clock.Advance(60000);
    rig.engine.PlayAgain();
    QCOMPARE(rig.view.focus, Role::Start);
    rig.engine.Start();
    QVERIFY(rig.view.ticking);
    QCOMPARE(rig.Text(Role::Message), "");
    rig.TickAfter(1000);
    QCOMPARE(rig.Countdown(), (QStringList{" 4", "59", "00"}));
    rig.Enter("1");
    rig.TickAfter(299000);
    QCOMPARE(rig.Text(Role::Mark), "√");
    rig.TickAfter(1);
    QCOMPARE(rig.Text(Role::Message), message::kTimeUp);
  }

  void playAgainPreparesTheBoard() {
    Rig rig(7);
    rig.engine.Start();
    rig.EnterUpTo(4);
    rig.TickAfter(3000);
    rig.view.Type(rig.engine, kKeyBackspace);
    rig.engine.PlayAgain();
    QVERIFY(rig.Text(Role::LastNumber).isEmpty() && rig.Text(Role::Mark).isEmpty());
    QCOMPARE(rig.Text(Role::Message), " ");
    QCOMPARE(rig.Text(Role::Best), "4");
    QCOMPARE(rig.Text(Role::LowerSeconds), "00");
    QCOMPARE(rig.Text(Role::LowerHundredths), "00");
    QVERIFY(rig.view.isVisible(Role::PlayAgain) && !rig.view.isEnabled(Role::PlayAgain));
    QVERIFY(rig.view.isEnabled(Role::Start));
    QCOMPARE(rig.view.focus, Role::Start);
    QVERIFY(!rig.view.isEnabled(Role::Entry));
    rig.engine.Start();
    rig.Enter("1");  // every run asks for 1 first
    QCOMPARE(rig.Text(Role::Mark), "√");
  }

  // A visit that spans local midnight counts on through it.
  void acrossMidnight() {
    Rig rig(7);
    rig.clock.Set(23, 58, 0, 0);
    rig.engine.Start();
    rig.clock.Set(0, 1, 0, 250);
    rig.engine.Tick();
    QCOMPARE(rig.Countdown(), (QStringList{" 1", "59", "75"}));
    QCOMPARE(rig.Text(Role::LowerSeconds), "80");
    QCOMPARE(rig.Text(Role::LowerHundredths), "25");
    rig.clock.Set(0, 3, 0, 0);
    rig.engine.Tick();
    QVERIFY(rig.Text(Role::Message) != message::kTimeUp);
    rig.clock.Set(0, 3, 0, 1);
    rig.engine.Tick();
    QCOMPARE(rig.Text(Role::Message), message::kTimeUp);
  }
};

QTEST_APPLESS_MAIN(OpenCountingEngineTest)
#include "open_counting_engine_test.moc"
