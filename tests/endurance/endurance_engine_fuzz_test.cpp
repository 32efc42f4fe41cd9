// SPDX-License-Identifier: GPL-3.0-or-later
// Random events against the endurance engine; every rule a pupil would notice is checked after
// each event. NUMORA_FUZZ_EVENTS sets how many events run.
#include <QtTest>

#include "endurance/endurance_engine.h"
#include "tests/support/engine_profiles.h"

using namespace numora;
using namespace numora::testing;

class EnduranceEngineFuzzTest : public QObject {
  Q_OBJECT

 private slots:
  void randomEventsKeepTheScreenSane_data() {
    QTest::addColumn<uint>("seed");
    QTest::newRow("first seed") << 9009u;
    QTest::newRow("second seed") << 90210u;
  }
  void randomEventsKeepTheScreenSane() {
    QFETCH(uint, seed);
    ManualClock clock(DayMillisOf(23, 50, 0, 0));
    EnduranceEngine engine(clock);
    const EngineProfile profile = EnduranceProfile();
    EngineFuzzer fuzzer(engine, clock, profile, 9);
    SeededChoices choices(seed);
    const std::string failure = fuzzer.Run(choices, FuzzEvents() / 2);
    QVERIFY2(failure.empty(), failure.c_str());
    qInfo("numbers accepted: %ld", fuzzer.acceptedTotal());
    QVERIFY2(fuzzer.acceptedTotal() > 100, "the random runs hardly counted");
  }
};

QTEST_GUILESS_MAIN(EnduranceEngineFuzzTest)
#include "endurance_engine_fuzz_test.moc"
