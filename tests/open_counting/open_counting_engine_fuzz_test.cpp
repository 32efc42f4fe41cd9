// SPDX-License-Identifier: GPL-3.0-or-later
// Random events against the open counting engine; every rule a pupil would notice is checked
// after each event. NUMORA_FUZZ_EVENTS sets how many events run.
#include <QtTest>

#include "open_counting/open_counting_engine.h"
#include "tests/support/engine_profiles.h"

using namespace numora;
using namespace numora::testing;

class OpenCountingEngineFuzzTest : public QObject {
  Q_OBJECT

 private slots:
  void randomEventsKeepTheScreenSane_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<uint>("seed");
    QTest::newRow("level 7") << 7 << 7007u;
    QTest::newRow("level 8") << 8 << 8008u;
  }
  void randomEventsKeepTheScreenSane() {
    QFETCH(int, level);
    QFETCH(uint, seed);
    ManualClock clock(DayMillisOf(23, 50, 0, 0));
    OpenCountingEngine engine(clock);
    const EngineProfile profile = OpenCountingProfile();
    EngineFuzzer fuzzer(engine, clock, profile, level);
    SeededChoices choices(seed);
    const std::string failure = fuzzer.Run(choices, FuzzEvents() / 2);
    QVERIFY2(failure.empty(), failure.c_str());
    qInfo("numbers accepted: %ld", fuzzer.acceptedTotal());
    QVERIFY2(fuzzer.acceptedTotal() > 100, "the random runs hardly counted");
  }
};

QTEST_GUILESS_MAIN(OpenCountingEngineFuzzTest)
#include "open_counting_engine_fuzz_test.moc"
