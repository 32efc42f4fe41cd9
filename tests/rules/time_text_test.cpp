// SPDX-License-Identifier: GPL-3.0-or-later
// The day clock's arithmetic and the field texts the challenge screens show.
#include "rules/time_text.h"

#include <QtTest>

#include "rules/challenge_engine.h"
#include "tests/support/columns.h"

using numora::testing::AddColumns;
using namespace numora;

namespace {
QString Q(const std::string& s) {
  return QString::fromStdString(s);
}
}  // namespace

class TimeTextTest : public QObject {
  Q_OBJECT

 private slots:
  void dayMillisOfLocalTime_data() {
    AddColumns<int, int, int, int, double>("h", "m", "s", "ms", "expected");
    QTest::newRow("afternoon") << 13 << 45 << 7 << 89 << 49507089.0;
    QTest::newRow("midnight") << 0 << 0 << 0 << 0 << 0.0;
    QTest::newRow("last millisecond") << 23 << 59 << 59 << 999 << 86399999.0;
  }
  void dayMillisOfLocalTime() {
    QFETCH(int, h);
    QFETCH(int, m);
    QFETCH(int, s);
    QFETCH(int, ms);
    QFETCH(double, expected);
    QCOMPARE(DayMillisOf(h, m, s, ms), expected);
  }

  void dayDiffCrossesMidnight_data() {
    AddColumns<double, double, int>("later", "earlier", "diff");
    QTest::newRow("same day") << 49507089.0 << 49500000.0 << 7089;
    QTest::newRow("no time") << 5.0 << 5.0 << 0;
    QTest::newRow("across midnight") << 10.0 << 86399990.0 << 20;
    QTest::newRow("from last ms to midnight") << 0.0 << 86399999.0 << 1;
    QTest::newRow("five minutes past midnight") << 290000.0 << 86390000.0 << 300000;
  }
  void dayDiffCrossesMidnight() {
    QFETCH(double, later);
    QFETCH(double, earlier);
    QFETCH(int, diff);
    QCOMPARE(DayDiff(later, earlier), diff);
  }

  // Hundredths round to the nearest integer with halves to the even neighbour, so 0 to 100.
  void splitElapsed_data() {
    AddColumns<int, int, int, QString, QString>("ms", "seconds", "hundredths", "secondsText",
                                                "hundredthsText");
    QTest::newRow("rounds up to 100") << 12996 << 12 << 100 << "12"
                                      << "00";
    QTest::newRow("99") << 12994 << 12 << 99 << "12"
                        << "99";
    QTest::newRow("half to even 0") << 12005 << 12 << 0 << "12"
                                    << "00";
    QTest::newRow("half to even 2") << 12015 << 12 << 2 << "12"
                                    << "02";
    QTest::newRow("half to even 4") << 12045 << 12 << 4 << "12"
                                    << "04";
    QTest::newRow("half up to 6") << 12055 << 12 << 6 << "12"
                                  << "06";
    QTest::newRow("83275") << 83275 << 83 << 28 << "83"
                           << "28";
    QTest::newRow("zero") << 0 << 0 << 0 << "00"
                          << "00";
    QTest::newRow("125 s shows 25") << 125000 << 125 << 0 << "25"
                                    << "00";
    QTest::newRow("1996 ms") << 1996 << 1 << 100 << "01"
                             << "00";
  }
  void splitElapsed() {
    QFETCH(int, ms);
    QFETCH(int, seconds);
    QFETCH(int, hundredths);
    QFETCH(QString, secondsText);
    QFETCH(QString, hundredthsText);
    const ElapsedFields f = SplitElapsed(ms);
    QCOMPARE(f.Seconds, seconds);
    QCOMPARE(int(f.Hundredths), hundredths);
    QCOMPARE(Q(TwoDigitText(f.Seconds)), secondsText);
    QCOMPARE(Q(TwoDigitText(f.Hundredths)), hundredthsText);
  }

  void splitCountdown_data() {
    AddColumns<int, QString, QString, QString>("ms", "minutes", "seconds", "hundredths");
    QTest::newRow("299900") << 299900 << " 4"
                            << "59"
                            << "90";
    QTest::newRow("419990") << 419990 << " 6"
                            << "59"
                            << "99";
    QTest::newRow("245300") << 245300 << " 4"
                            << "05"
                            << "30";
    QTest::newRow("997 does not carry") << 997 << " 0"
                                        << "00"
                                        << "00";
    QTest::newRow("full seven minutes") << 420000 << " 7"
                                        << "00"
                                        << "00";
    QTest::newRow("zero") << 0 << " 0"
                          << "00"
                          << "00";
  }
  void splitCountdown() {
    QFETCH(int, ms);
    QFETCH(QString, minutes);
    QFETCH(QString, seconds);
    QFETCH(QString, hundredths);
    const CountdownFields f = SplitCountdown(ms);
    QCOMPARE(Q(MinutesFieldText(f.Minutes)), minutes);
    QCOMPARE(Q(TwoDigitText(f.Seconds)), seconds);
    QCOMPARE(Q(TwoDigitText(f.Hundredths)), hundredths);
  }

  void numberTexts_data() {
    AddColumns<qlonglong, QString, QString, QString, QString>("v", "number", "plain", "twoDigit",
                                                              "minutes");
    QTest::newRow("0") << 0LL << " 0"
                       << "0"
                       << "00"
                       << " 0";
    QTest::newRow("7") << 7LL << " 7"
                       << "7"
                       << "07"
                       << " 7";
    QTest::newRow("10") << 10LL << " 10"
                        << "10"
                        << "10"
                        << "10";
    QTest::newRow("42") << 42LL << " 42"
                        << "42"
                        << "42"
                        << "42";
    QTest::newRow("100") << 100LL << " 100"
                         << "100"
                         << "00"
                         << "00";
    QTest::newRow("-1") << -1LL << "-1"
                        << "-1"
                        << "01"
                        << "-1";
    QTest::newRow("40000") << 40000LL << " 40000"
                           << "40000"
                           << "00"
                           << "00";
  }
  void numberTexts() {
    QFETCH(qlonglong, v);
    QFETCH(QString, number);
    QFETCH(QString, plain);
    QFETCH(QString, twoDigit);
    QFETCH(QString, minutes);
    QCOMPARE(Q(NumberText(v)), number);
    QCOMPARE(Q(PlainText(v)), plain);
    QCOMPARE(Q(TwoDigitText(v)), twoDigit);
    QCOMPARE(Q(MinutesFieldText(v)), minutes);
  }

  void bestText_data() {
    AddColumns<qlonglong, QString>("hundredths", "text");
    QTest::newRow("2345") << 2345LL << "23.45";
    QTest::newRow("5") << 5LL << "0.05";
    QTest::newRow("10: no padding from ten on") << 10LL << "0.10";
    QTest::newRow("1210") << 1210LL << "12.10";
    QTest::newRow("1200") << 1200LL << "12.00";
    QTest::newRow("8327") << 8327LL << "83.27";
    QTest::newRow("beyond 16 bits") << 34567LL << "345.67";
  }
  void bestText() {
    QFETCH(qlonglong, hundredths);
    QFETCH(QString, text);
    QCOMPARE(Q(BestText(hundredths)), text);
  }

  void readEntry_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");  // -1: no value
    QTest::newRow("plain") << "13" << 13;
    QTest::newRow("leading zeros") << "0013" << 13;
    QTest::newRow("many leading zeros") << "000000000000000007" << 7;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("largest") << "32767" << 32767;
    QTest::newRow("too large") << "32768" << -1;
    QTest::newRow("far too large") << "99999999999999999999999" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("letter") << "1a" << -1;
    QTest::newRow("blank") << " 1" << -1;
    QTest::newRow("sign") << "-1" << -1;
    QTest::newRow("chinese") << "一" << -1;
  }
  void readEntry() {
    QFETCH(QString, text);
    QFETCH(int, value);
    const std::string utf8 = text.toStdString();
    QCOMPARE(ReadEntry(utf8, 32767).value_or(-1), value);
  }
};

QTEST_GUILESS_MAIN(TimeTextTest)
#include "time_text_test.moc"
