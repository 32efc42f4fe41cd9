// SPDX-License-Identifier: GPL-3.0-or-later
// The computer's clock misbehaving during a run, as the raw local time of day would: a run
// across local midnight, the clock set back or forward an hour. Whatever the engines make of
// it, every window shows sane time fields, keeps working and keeps the best result.
#include <QtTest>

#include "platform/layout.h"
#include "tests/support/screen_driver.h"

using namespace numora;
using namespace numora::testing;

namespace {

struct Fault {
  double startMs;  // when the visit starts
  double jumpMs;   // how far the clock jumps in the middle of the second run
};

// Empty when every time field shows at most two digits (the endurance elapsed seconds: digits
// only); otherwise the first field that does not.
QString SaneFields(const QWidget& window, bool endurance) {
  for (const char* name : {"Label2", "Label11", "Label13", "Label14", "Label15"}) {
    const QString text = TextOf(window, name);
    const bool digitsOnly = endurance && QLatin1String(name) == QLatin1String("Label14");
    bool ok = digitsOnly || text.size() <= 2;
    for (const QChar c : text) ok = ok && (c.isDigit() || (!digitsOnly && c == QLatin1Char(' ')));
    if (!ok) return QStringLiteral("%1 shows '%2'").arg(QLatin1String(name), text);
  }
  return {};
}

}  // namespace

Q_DECLARE_METATYPE(Fault)

class ClockFaultsTest : public ClockSuite {
  Q_OBJECT

 private slots:
  void initTestCase() { platform::InstallFontSubstitutions(); }

  void faults_data() {
    QTest::addColumn<Fault>("fault");
    QTest::newRow("across midnight") << Fault{DayMillisOf(23, 59, 45, 0), 0};
    QTest::newRow("set back an hour") << Fault{DayMillisOf(10, 0, 0, 0), -3600000};
    QTest::newRow("set forward an hour") << Fault{DayMillisOf(10, 0, 0, 0), 3600000};
    QTest::newRow("set back across midnight") << Fault{DayMillisOf(0, 0, 30, 0), -3600000};
  }

  void countingWindowStaysSane() {
    QFETCH(Fault, fault);
    Run(1, fault, [](Screen& s, ManualClock& c) {
      PlayNumbers(s, c, 1, 50, 250);  // a complete level-1 run sets the best
    });
  }
  void countingWindowStaysSane_data() { faults_data(); }

  void openCountingWindowStaysSane() {
    QFETCH(Fault, fault);
    Run(7, fault, [](Screen& s, ManualClock& c) {
      PlayNumbers(s, c, 1, 30, 250);
      Press(s.Window(), Qt::Key_Backspace);
    });
  }
  void openCountingWindowStaysSane_data() { faults_data(); }

  void enduranceWindowStaysSane() {
    QFETCH(Fault, fault);
    Run(9, fault, [](Screen& s, ManualClock& c) {
      PlayNumbers(s, c, 1, 30, 250);
      Press(s.Window(), Qt::Key_Backspace);
    });
  }
  void enduranceWindowStaysSane_data() { faults_data(); }

 private:
  template <class FirstRun>
  void Run(int level, const Fault& fault, FirstRun firstRun) {
    const bool endurance = level == 9;
    clock_.now = fault.startMs;
    Screen screen(Pupil{static_cast<std::int16_t>(level), "小明", ""});
    numora::ChallengeWindow& window = screen.Window();
    QVERIFY(screen.Show());
    screen.Button("Command1")->click();
    firstRun(screen, clock_);
    const QString best = screen.Text("Label6");
    QVERIFY2(!best.isEmpty(), "the first run left no best result");

    screen.Button("Command3")->click();
    screen.Button("Command1")->click();
    PlayNumbers(screen, clock_, 1, 3, 200);
    clock_.Advance(fault.jumpMs);
    for (int i = 0; i < 60; ++i) {
      clock_.Advance(7);
      Tick(window);
      const QString fields = SaneFields(window, endurance);
      QVERIFY2(fields.isEmpty(), qPrintable(fields));
    }
    if (screen.Box()->isEnabled()) PlayNumbers(screen, clock_, 4, 6, 200);
    const QString fields = SaneFields(window, endurance);
    QVERIFY2(fields.isEmpty(), qPrintable(fields));
    // The best result of the first run is still shown (or a better one).
    const QString bestNow = screen.Text("Label6");
    QVERIFY2(!bestNow.isEmpty(), "the best result was lost");
    if (level <= 6) {
      QVERIFY2(bestNow.toDouble() <= best.toDouble(), qPrintable(bestNow));
    } else {
      QVERIFY2(bestNow.toInt() >= best.toInt(), qPrintable(bestNow));
    }
    // The window still plays: a new run can start.
    if (screen.Button("Command3")->isEnabled()) screen.Button("Command3")->click();
    if (screen.Button("Command1")->isEnabled()) screen.Button("Command1")->click();
    QVERIFY(screen.Box()->isEnabled());
    QVERIFY(screen.Return().isEmpty());
  }
};

QTEST_MAIN(ClockFaultsTest)
#include "clock_faults_test.moc"
