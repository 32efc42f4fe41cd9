// Random events against the endurance engine; every rule a pupil would notice is checked after
// each event. NUMORA_FUZZ_EVENTS sets how many events run.
#include <QtTest>

#include "endurance/endurance_engine.h"
#include "tests/support/engine_fuzz.h"

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
    EngineProfile profile{EngineProfile::Best::CountThenTime,
                          {"数字输入错误，挑战结束！", "不能退格，挑战结束！",
                           "按了非数字键,挑战结束!", "两次按键时间超过2秒,挑战结束!"},
                          {},
                          4,
                          {Ctl::Label2, Ctl::Label11, Ctl::Label13, Ctl::Label15},
                          {Ctl::Label14},
                          false,
                          false};
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
