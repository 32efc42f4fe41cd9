// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of level 9, played on a recording screen with a clock the test moves.
#include "endurance/endurance_engine.h"

#include <QtTest>
#include <string>
#include <vector>

#include "tests/support/columns.h"
#include "tests/support/engine_rig.h"
#include "tests/support/game_messages.h"

using namespace numora;
using namespace numora::testing;

namespace {

// One run of a best-result sequence: how many numbers, in how many milliseconds.
struct Run {
  int count;
  int ms;
};

struct Rig : EngineRig<EnduranceEngine> {
  Rig() { Open(9, "小刚", "实验小学"); }
  // Keeps a started run going for `ms` by typing a digit (never confirmed) every 1.5 s.
  void KeepGoingFor(int ms) {
    for (int left = ms; left > 0; left -= 1500) {
      TickAfter(left < 1500 ? left : 1500);
      if (left > 1500) view.Type(engine, '1');
    }
  }
  // Starts and plays `run.count` right numbers with the keys spread evenly over `run.ms`; a tick
  // at the last moment sets the elapsed row, then a backspace ends the run and play-again
  // follows when `again` is set.
  void Play(const Run& run, bool again = true) {
    std::string keys;
    for (int n = 1; n <= run.count; ++n) keys += std::to_string(n) + '\r';
    const double start = clock.now;
    engine.Start();
    for (std::size_t i = 0; i < keys.size(); ++i) {
      clock.now = start + std::floor(run.ms * double(i + 1) / double(keys.size() + 1));
      engine.Tick();
      view.Type(engine, keys[i]);
    }
    clock.now = start + run.ms;
    engine.Tick();
    view.Type(engine, kKeyBackspace);
    if (again) engine.PlayAgain();
  }
  bool Ended() const {
    return !view.ticking && !view.isEnabled(Role::Entry) && view.isVisible(Role::PlayAgain) &&
           view.isEnabled(Role::PlayAgain) && view.focus == Role::PlayAgain &&
           !view.isEnabled(Role::Start);
  }
};

}  // namespace

Q_DECLARE_METATYPE(QList<Run>)

class EnduranceEngineTest : public QObject {
  Q_OBJECT

 private slots:
  // The board every engine loads is checked with all of them; level 9 adds its caption and
  // leaves the minutes and the best time empty.
  void loadSetsTheBoard() {
    Rig rig;
    QCOMPARE(rig.Text(Role::Caption), "Numora  V2.0 2017-11-22 ");
    for (const Role c : {Role::Minutes, Role::Colon, Role::BestSeconds, Role::BestHundredths}) {
      QVERIFY2(rig.Text(c).isEmpty(), testing::RoleName(c));
    }
    // The caption comes first, before any control is written.
    QCOMPARE(rig.view.log.front(), std::string("text Caption=Numora  V2.0 2017-11-22 "));
  }

  // The box is shut before the first start: no key starts the clock or records a count of -1.
  void keysBeforeTheFirstStartAreNotJudged() {
    Rig rig;
    for (const char key : {'0', '\r', 'x', '\b'}) QCOMPARE(rig.view.Type(rig.engine, key), 0);
    QVERIFY(!rig.view.ticking);
    QVERIFY(rig.Text(Role::Best).isEmpty());
    QCOMPARE(rig.Text(Role::Message), " ");
    rig.engine.Start();
    QVERIFY(rig.view.ticking && rig.view.isEnabled(Role::Entry));
    QVERIFY(!rig.view.isEnabled(Role::Start));
    rig.Enter("1");
    QCOMPARE(rig.Text(Role::Mark), "√");
  }

  // The 2-second rule, from Start and from every key; a tick that comes late still ends the run.
  void pauseBetweenKeys_data() {
    QTest::addColumn<QList<int>>("keysAt");  // ms after Start
    AddColumns<QList<int>, bool, QString, QString>("ticksAt", "ended", "seconds", "hundredths");
    QTest::newRow("key at 1999 keeps the run")
        << QList<int>{1999} << QList<int>{1000, 1999, 3998} << false << "1"
        << "00";
    QTest::newRow("first tick at 2000 ends it")
        << QList<int>{} << QList<int>{1000, 2000} << true << "2"
        << "00";
    QTest::newRow("2000 after the last key")
        << QList<int>{1500} << QList<int>{1499, 3500} << true << "2"
        << "00";
    QTest::newRow("late first tick at 3100") << QList<int>{} << QList<int>{3100} << true << "3"
                                             << "10";
    QTest::newRow("1996 ms shows 1 and 00") << QList<int>{} << QList<int>{1996} << false << "1"
                                            << "00";
    QTest::newRow("12.34 s after a stall") << QList<int>{} << QList<int>{12340} << true << "12"
                                           << "34";
    QTest::newRow("10 s after a suspend") << QList<int>{} << QList<int>{10000} << true << "10"
                                          << "00";
  }
  void pauseBetweenKeys() {
    QFETCH(QList<int>, keysAt);
    QFETCH(QList<int>, ticksAt);
    QFETCH(bool, ended);
    QFETCH(QString, seconds);
    QFETCH(QString, hundredths);
    Rig rig;
    const double start = rig.clock.now;
    rig.engine.Start();
    rig.Enter("1");
    // Events in time order; at equal times the key comes first.
    qsizetype k = 0;
    for (const int t : ticksAt) {
      for (; k < keysAt.size() && keysAt[k] <= t; ++k) {
        rig.clock.now = start + keysAt[k];
        rig.view.Type(rig.engine, '2');
      }
      rig.clock.now = start + t;
      rig.engine.Tick();
    }
    QCOMPARE(rig.Text(Role::LowerSeconds), seconds);
    QCOMPARE(rig.Text(Role::LowerHundredths), hundredths);
    QCOMPARE(rig.Ended(), ended);
    QCOMPARE(rig.Text(Role::Message), ended ? message::kPauseEnd : QString());
    if (ended) {
      QVERIFY(rig.Text(Role::Mark).isEmpty());
      QCOMPARE(rig.Text(Role::Best), "1");
    }
  }

  void entries_data() {
    AddColumns<QStringList, bool, QString, QString>("typed", "ended", "label4", "best");
    QTest::newRow("007 at 7") << QStringList{"1", "2", "3", "4", "5", "6", "007"} << false << " 7"
                              << "";
    QTest::newRow("1 2 4") << QStringList{"1", "2", "4"} << true << " 2"
                           << "2";
    QTest::newRow("empty Enter first") << QStringList{""} << true << ""
                                       << "0";
    QTest::newRow("empty Enter later") << QStringList{"1", ""} << true << " 1"
                                       << "1";
    QTest::newRow("too large to read") << QStringList{"1", "99999999999"} << true << " 1"
                                       << "1";
  }
  void entries() {
    QFETCH(QStringList, typed);
    QFETCH(bool, ended);
    QFETCH(QString, label4);
    QFETCH(QString, best);
    Rig rig;
    rig.engine.Start();
    for (const QString& entry : typed) {
      rig.clock.Advance(400);
      rig.Enter(entry.toStdString());
    }
    QCOMPARE(rig.Text(Role::LastNumber), label4);
    QCOMPARE(rig.Text(Role::Best), best);
    QCOMPARE(rig.Ended(), ended);
    QCOMPARE(rig.Text(Role::Mark), ended ? "×" : "√");
    QCOMPARE(rig.Text(Role::Message), ended ? message::kWrongEntry : QString());
  }

  // Keys that end a run at once; none of them reaches the box.
  void endingKeys_data() {
    AddColumns<char, QString, QString>("key", "message", "mark");
    QTest::newRow("backspace") << '\b' << message::kBackspaceEnd << "×";
    QTest::newRow("letter") << 'a' << message::kOtherKeyEnd << "";
    QTest::newRow("blank") << ' ' << message::kOtherKeyEnd << "";
    QTest::newRow("point") << '.' << message::kOtherKeyEnd << "";
    QTest::newRow("escape") << '\x1b' << message::kOtherKeyEnd << "";
  }
  void endingKeys() {
    QFETCH(char, key);
    QFETCH(QString, message);
    QFETCH(QString, mark);
    Rig rig;
    rig.engine.Start();
    rig.EnterUpTo(3);
    rig.view.Type(rig.engine, '4');
    rig.view.log.clear();
    QCOMPARE(rig.view.Type(rig.engine, key), 0);
    // The key restarts the tick before it is judged, like every key.
    QCOMPARE(rig.view.log.front(), std::string("tick on"));
    QCOMPARE(rig.Text(Role::Entry), "4");
    QCOMPARE(rig.Text(Role::Message), message);
    QCOMPARE(rig.Text(Role::Mark), mark);
    QCOMPARE(rig.Text(Role::Best), "3");  // the unconfirmed 4 does not count
    QCOMPARE(rig.Text(Role::LastNumber), " 3");
    QVERIFY(rig.Ended());
  }

  // The best result: the higher count, and for equal counts the shorter time.
  void bestResult_data() {
    AddColumns<QList<Run>, QString, QString, QString>("runs", "count", "seconds", "hundredths");
    const Run first{15, 40120};
    QTest::newRow("15 in 40.12") << QList<Run>{first} << "15"
                                 << "40"
                                 << "12";
    QTest::newRow("then 14") << QList<Run>{first, {14, 30000}} << "15"
                             << "40"
                             << "12";
    QTest::newRow("then 15 in 38.50") << QList<Run>{first, {14, 30000}, {15, 38500}} << "15"
                                      << "38"
                                      << "50";
    QTest::newRow("then 15 in 38.07")
        << QList<Run>{first, {14, 30000}, {15, 38500}, {15, 38070}} << "15"
        << "38"
        << "07";
    QTest::newRow("9.80 beats 10.00") << QList<Run>{{15, 10000}, {15, 9800}} << "15"
                                      << "9"
                                      << "80";
    QTest::newRow("10.00 loses to 9.80") << QList<Run>{{15, 9800}, {15, 10000}} << "15"
                                         << "9"
                                         << "80";
    QTest::newRow("a higher count wins slower") << QList<Run>{{15, 9800}, {16, 50000}} << "16"
                                                << "50"
                                                << "00";
    QTest::newRow("backspace first") << QList<Run>{{0, 500}} << "0"
                                     << "0"
                                     << "50";
    QTest::newRow("a best of 0 is none") << QList<Run>{{0, 500}, {0, 900}} << "0"
                                         << "0"
                                         << "90";
    QTest::newRow("anything beats a best of 0") << QList<Run>{{0, 500}, {2, 4000}} << "2"
                                                << "4"
                                                << "00";
  }
  void bestResult() {
    QFETCH(QList<Run>, runs);
    QFETCH(QString, count);
    QFETCH(QString, seconds);
    QFETCH(QString, hundredths);
    Rig rig;
    for (const Run& run : runs) rig.Play(run);
    QCOMPARE(rig.Text(Role::Best), count);
    QCOMPARE(rig.Text(Role::BestSeconds), seconds);
    QCOMPARE(rig.Text(Role::BestHundredths), hundredths);
    QCOMPARE(rig.engine.BestCount(), count.toInt());
    QCOMPARE(rig.engine.BestHundredths(), seconds.toInt() * 100 + hundredths.toInt());
  }

  // The best time is the elapsed row as it stood before the end; a pause end still moves the
  // row on to the moment of its tick.
  void pauseEndCopiesThePreviousRow() {
    Rig rig;
    rig.engine.Start();
    rig.TickAfter(700);
    rig.Enter("1");
    rig.TickAfter(1990);
    QVERIFY(!rig.Ended());
    rig.TickAfter(10);
    QCOMPARE(rig.Text(Role::Message), message::kPauseEnd);
    QCOMPARE(rig.Text(Role::BestSeconds), "2");
    QCOMPARE(rig.Text(Role::BestHundredths), "69");
    QCOMPARE(rig.Text(Role::Seconds), "2");
    QCOMPARE(rig.Text(Role::Hundredths), "70");
  }

  // A run that ends before any tick has shown its time shows the time of its end, also after a
  // run whose row play-again has reset (that run's count of 0 leaves no best).
  void endBeforeTheFirstTick_data() {
    QTest::addColumn<QList<Run>>("before");
    QTest::newRow("first run") << QList<Run>{};
    QTest::newRow("after a run of 7 s") << QList<Run>{{0, 7000}};
  }
  void endBeforeTheFirstTick() {
    QFETCH(QList<Run>, before);
    Rig rig;
    for (const Run& run : before) rig.Play(run);
    rig.engine.Start();
    rig.clock.Advance(4);
    rig.view.Type(rig.engine, kKeyBackspace);
    QCOMPARE(rig.Text(Role::Seconds), "0");
    QCOMPARE(rig.Text(Role::Hundredths), "00");
    QCOMPARE(rig.Text(Role::BestSeconds), "0");
    QCOMPARE(rig.Text(Role::BestHundredths), "00");
  }

  void elapsedRow_data() {
    AddColumns<int, QString, QString>("ms", "seconds", "hundredths");
    QTest::newRow("125 s shows every digit") << 125000 << "125"
                                             << "00";
    QTest::newRow("12.996 s") << 12996 << "12"
                              << "00";
    QTest::newRow("1.015 s rounds to even") << 1015 << "1"
                                            << "02";
    QTest::newRow("0.5 s") << 500 << "0"
                           << "50";
  }
  void elapsedRow() {
    QFETCH(int, ms);
    QFETCH(QString, seconds);
    QFETCH(QString, hundredths);
    Rig rig;
    rig.engine.Start();
    rig.KeepGoingFor(ms);
    QCOMPARE(rig.Text(Role::Seconds), seconds);
    QCOMPARE(rig.Text(Role::Hundredths), hundredths);
    QVERIFY(rig.view.ticking);
  }

  void playAgainResetsBothRows() {
    Rig rig;
    rig.Play({4, 7000}, false);
    rig.engine.PlayAgain();
    QCOMPARE(rig.Text(Role::LowerSeconds), "0");
    QCOMPARE(rig.Text(Role::LowerHundredths), "00");
    QCOMPARE(rig.Text(Role::Seconds), "0");
    QCOMPARE(rig.Text(Role::Hundredths), "00");
    QCOMPARE(rig.Text(Role::Message), " ");
    QVERIFY(rig.Text(Role::LastNumber).isEmpty() && rig.Text(Role::Mark).isEmpty());
    QCOMPARE(rig.Text(Role::Best), "4");
    QCOMPARE(rig.Text(Role::BestSeconds), "7");
    QVERIFY(rig.view.isVisible(Role::PlayAgain) && !rig.view.isEnabled(Role::PlayAgain));
    QVERIFY(rig.view.isEnabled(Role::Start));
    QCOMPARE(rig.view.focus, Role::Start);
    QVERIFY(!rig.view.isEnabled(Role::Entry) && rig.view.isVisible(Role::Entry));
    QVERIFY(!rig.view.ticking);
    // The next run counts from its own start.
    rig.clock.Advance(30000);
    rig.engine.Start();
    rig.TickAfter(1250);
    QCOMPARE(rig.Text(Role::Seconds), "1");
    QCOMPARE(rig.Text(Role::Hundredths), "25");
  }

  // Midnight ends nothing: the run is timed on through it.
  void acrossMidnight() {
    Rig rig;
    rig.clock.Set(23, 59, 58, 500);
    rig.engine.Start();
    for (int n = 1; n <= 4; ++n) {
      rig.TickAfter(900);
      rig.Enter(std::to_string(n));
    }
    rig.TickAfter(1000);
    QCOMPARE(rig.clock.now, DayMillisOf(0, 0, 3, 100));
    QCOMPARE(rig.Text(Role::Seconds), "4");
    QCOMPARE(rig.Text(Role::Hundredths), "60");
    QCOMPARE(rig.Text(Role::LowerSeconds), "1");
    QVERIFY(rig.view.ticking);
    rig.TickAfter(1000);
    QCOMPARE(rig.Text(Role::Message), message::kPauseEnd);
    QCOMPARE(rig.Text(Role::BestSeconds), "4");
    QCOMPARE(rig.Text(Role::BestHundredths), "60");
  }

  // The count and the number asked for are wide enough for any run.
  void aRunPasses32767() {
    Rig rig;
    rig.engine.Start();
    for (int n = 1; n <= 32770; ++n) {
      rig.Enter(std::to_string(n));
      if (n % 1000 == 0) rig.view.log.clear();
    }
    QCOMPARE(rig.Text(Role::Mark), "√");
    QCOMPARE(rig.Text(Role::LastNumber), "2770");
    rig.Enter("32770");
    QCOMPARE(rig.Text(Role::Message), message::kWrongEntry);
    QCOMPARE(rig.Text(Role::Best), "32770");
    QCOMPARE(rig.engine.BestCount(), 32770);
  }
};

QTEST_APPLESS_MAIN(EnduranceEngineTest)
#include "endurance_engine_test.moc"
