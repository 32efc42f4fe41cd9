// SPDX-License-Identifier: GPL-3.0-or-later
// Random events against each challenge engine, as the registry makes it; every rule a pupil would
// notice is checked after each event. NUMORA_FUZZ_EVENTS sets how many events run per engine.
#include <QtTest>

#include "challenges/engines.h"
#include "tests/support/columns.h"
#include "tests/support/engine_profiles.h"

using namespace numora;
using namespace numora::testing;

Q_DECLARE_METATYPE(numora::ChallengeScreen)

class EngineFuzzTest : public QObject {
  Q_OBJECT

 private slots:
  // Each engine takes FuzzEvents() in all, shared out over its rows.
  void randomEventsKeepTheScreenSane_data() {
    AddColumns<ChallengeScreen, int, uint, int>("engine", "level", "seed", "share");
    for (int level = 1; level <= 6; ++level) {
      QTest::addRow("counting, level %d", level)
          << ChallengeScreen::Form1 << level << uint(1000 + level) << 6;
    }
    QTest::newRow("open counting, level 7") << ChallengeScreen::Form789 << 7 << 7007u << 2;
    QTest::newRow("open counting, level 8") << ChallengeScreen::Form789 << 8 << 8008u << 2;
    QTest::newRow("endurance, first seed") << ChallengeScreen::Form9 << 9 << 9009u << 2;
    QTest::newRow("endurance, second seed") << ChallengeScreen::Form9 << 9 << 90210u << 2;
  }
  void randomEventsKeepTheScreenSane() {
    QFETCH(ChallengeScreen, engine);
    QFETCH(int, level);
    QFETCH(uint, seed);
    QFETCH(int, share);
    QCOMPARE(RuleFor(level).Screen, engine);
    ManualClock clock(DayMillisOf(23, 50, 0, 0));
    const std::unique_ptr<ChallengeEngine> played = MakeEngine(engine, clock);
    EngineFuzzer fuzzer(*played, clock, ProfileFor(engine), level);
    SeededChoices choices(seed);
    const long events = FuzzEvents() / share;
    const std::string failure = fuzzer.Run(choices, events);
    QVERIFY2(failure.empty(), failure.c_str());
    qInfo("numbers accepted: %ld", fuzzer.acceptedTotal());
    const std::string shortfall = CoverageShortfall(fuzzer.acceptedTotal(), events);
    QVERIFY2(shortfall.empty(), shortfall.c_str());
  }
};

QTEST_GUILESS_MAIN(EngineFuzzTest)
#include "engine_fuzz_test.moc"
