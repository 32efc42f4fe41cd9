// SPDX-License-Identifier: GPL-3.0-or-later
// Random events against the counting engine; every rule a pupil would notice is
// checked after each event. NUMORA_FUZZ_EVENTS sets how many events run.
#include <QtTest>

#include "counting/counting_engine.h"
#include "tests/support/engine_profiles.h"

using namespace numora;
using namespace numora::testing;

class CountingEngineFuzzTest : public QObject {
  Q_OBJECT

 private slots:
  void randomEventsKeepTheScreenSane_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<uint>("seed");
    for (int level = 1; level <= 6; ++level) {
      QTest::addRow("level %d", level) << level << uint(1000 + level);
    }
  }
  void randomEventsKeepTheScreenSane() {
    QFETCH(int, level);
    QFETCH(uint, seed);
    ManualClock clock(DayMillisOf(23, 50, 0, 0));
    CountingEngine engine(clock);
    const EngineProfile profile = CountingProfile();
    EngineFuzzer fuzzer(engine, clock, profile, level);
    SeededChoices choices(seed);
    const std::string failure = fuzzer.Run(choices, FuzzEvents() / 6);
    QVERIFY2(failure.empty(), failure.c_str());
    qInfo("numbers accepted: %ld", fuzzer.acceptedTotal());
    QVERIFY2(fuzzer.acceptedTotal() > 100, "the random runs hardly counted");
  }
};

QTEST_GUILESS_MAIN(CountingEngineFuzzTest)
#include "counting_engine_fuzz_test.moc"
