// SPDX-License-Identifier: GPL-3.0-or-later
// The game's day clock: steady against changes of the computer's clock, still wrapping at
// local midnight, and replaceable by a test.
#include "platform/clock.h"

#include <QtTest>

#include "rules/time_text.h"
#include "tests/support/fake_view.h"

using namespace numora;
using numora::platform::SteadyDayClock;

class ClockTest : public QObject {
  Q_OBJECT

 private slots:
  void followsRealTimeNotTheWallClock_data() {
    QTest::addColumn<double>("wallJumpMs");
    QTest::newRow("clock set back an hour") << -3600000.0;
    QTest::newRow("clock set forward an hour") << 3600000.0;
    QTest::newRow("clock unchanged") << 0.0;
  }
  void followsRealTimeNotTheWallClock() {
    QFETCH(double, wallJumpMs);
    double wall = DayMillisOf(14, 0, 0, 0);
    std::int64_t monotonic = 1000;
    SteadyDayClock clock([&] { return wall; }, [&] { return monotonic; });
    const double start = clock.DayMillis();
    QCOMPARE(start, DayMillisOf(14, 0, 0, 0));
    wall += wallJumpMs + 5000;
    monotonic += 5000;
    QCOMPARE(DayDiff(clock.DayMillis(), start), 5000);
  }

  void wrapsAtLocalMidnight() {
    std::int64_t monotonic = 0;
    SteadyDayClock clock([] { return DayMillisOf(23, 59, 59, 990); }, [&] { return monotonic; });
    const double before = clock.DayMillis();
    monotonic += 25;
    const double after = clock.DayMillis();
    QCOMPARE(after, 15.0);
    QCOMPARE(DayDiff(after, before), 25);
  }

  void testsReplaceTheApplicationClock() {
    numora::testing::ManualClock manual(DayMillisOf(8, 30, 0, 0));
    platform::ReplaceDayClock(&manual);
    QCOMPARE(platform::AppClock().DayMillis(), DayMillisOf(8, 30, 0, 0));
    manual.Advance(1234);
    QCOMPARE(platform::AppClock().DayMillis(), DayMillisOf(8, 30, 1, 234));
    platform::ReplaceDayClock(nullptr);
    // Back on the local time of day: within a second of what the wall clock says (unless
    // midnight passes between the two readings).
    const int gap = DayDiff(platform::AppClock().DayMillis(), platform::LocalDayMillis());
    QVERIFY2(gap < 1000 || gap > kMillisPerDay - 1000, qPrintable(QString::number(gap)));
  }
};

QTEST_GUILESS_MAIN(ClockTest)
#include "clock_test.moc"
