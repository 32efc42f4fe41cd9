// SPDX-License-Identifier: GPL-3.0-or-later
// The level table: every rule text to the character, limits and the window each level opens.
#include "rules/level_table.h"

#include <QtTest>

#include "tests/support/columns.h"

using numora::ChallengeScreen;
using numora::LevelMode;
using numora::RuleFor;
using numora::testing::AddColumns;

Q_DECLARE_METATYPE(numora::LevelMode)
Q_DECLARE_METATYPE(numora::ChallengeScreen)

class LevelTableTest : public QObject {
  Q_OBJECT

 private slots:
  void rowsHoldTheirLevelsTexts_data() {
    AddColumns<int, QString, QString>("level", "startRule", "screenRule");
    QTest::newRow("1") << 1 << "1级规则: 5分钟 不限次 连续输入数字 1-50 "
                       << "1级规则: 5分钟 不限次 连续输入数字 1-50 ";
    QTest::newRow("2") << 2 << "2级规则: 5分钟 不限次 连续输入数字 1-100 "
                       << "2级规则: 5分钟 不限次 连续输入数字 1-100 ";
    QTest::newRow("3") << 3 << "3级规则: 6分钟 不限次 连续输入数字 1-150 "
                       << "3级规则: 6分钟 不限次 连续输入数字 1-150 ";
    QTest::newRow("4") << 4 << "4级规则: 6分钟 不限次 连续输入数字 1-200 "
                       << "4级规则: 6分钟 不限次 连续输入数字 1-200 ";
    QTest::newRow("5") << 5 << "5级规则: 7分钟 不限次 连续输入数字 1-250 "
                       << "5级规则: 7分钟 不限次 连续输入数字 1-250 ";
    QTest::newRow("6") << 6 << "6级规则: 7分钟 不限次 连续输入数字 1-300 "
                       << "6级规则: 7分钟 不限次 连续输入数字 1-300 ";
    // The challenge screen puts two blanks before 不限位; level 7 there has no trailing blank.
    QTest::newRow("7") << 7 << "7级规则: 5分钟 不限位 不能改 "
                       << "7级规则: 5分钟  不限位 不能改";
    QTest::newRow("8") << 8 << "8级规则: 7分钟 不限位 不能改 "
                       << "8级规则: 7分钟  不限位 不能改 ";
    QTest::newRow("9") << 9 << "9级规则: 不限时 不限位 不能改 按键间隔小于2秒"
                       << "9级规则: 不限时 不限位 不能改 按键间隔小于2秒";
  }
  void rowsHoldTheirLevelsTexts() {
    QFETCH(int, level);
    QFETCH(QString, startRule);
    QFETCH(QString, screenRule);
    const auto& rule = RuleFor(level);
    QCOMPARE(rule.Level, level);
    QCOMPARE(QString::fromUtf8(rule.StartRuleText.data(), rule.StartRuleText.size()), startRule);
    QCOMPARE(QString::fromUtf8(rule.ScreenRuleText.data(), rule.ScreenRuleText.size()), screenRule);
  }

  void limitsAndScreens_data() {
    // A limit or highest number of -1: none.
    AddColumns<int, LevelMode, ChallengeScreen, int, QString, int>(
        "level", "mode", "screen", "limitMs", "minutes", "maxNumber");
    QTest::newRow("1") << 1 << LevelMode::Counting << ChallengeScreen::Form1 << 300000 << "5" << 50;
    QTest::newRow("2") << 2 << LevelMode::Counting << ChallengeScreen::Form1 << 300000 << "5"
                       << 100;
    QTest::newRow("3") << 3 << LevelMode::Counting << ChallengeScreen::Form1 << 360000 << "6"
                       << 150;
    QTest::newRow("4") << 4 << LevelMode::Counting << ChallengeScreen::Form1 << 360000 << "6"
                       << 200;
    QTest::newRow("5") << 5 << LevelMode::Counting << ChallengeScreen::Form1 << 420000 << "7"
                       << 250;
    QTest::newRow("6") << 6 << LevelMode::Counting << ChallengeScreen::Form1 << 420000 << "7"
                       << 300;
    QTest::newRow("7") << 7 << LevelMode::OpenCounting << ChallengeScreen::Form789 << 300000 << "5"
                       << -1;
    QTest::newRow("8") << 8 << LevelMode::OpenCounting << ChallengeScreen::Form789 << 420000 << "7"
                       << -1;
    QTest::newRow("9") << 9 << LevelMode::Endurance << ChallengeScreen::Form9 << -1 << QString()
                       << -1;
  }
  void limitsAndScreens() {
    QFETCH(int, level);
    QFETCH(LevelMode, mode);
    QFETCH(ChallengeScreen, screen);
    QFETCH(int, limitMs);
    QFETCH(QString, minutes);
    QFETCH(int, maxNumber);
    const auto& rule = RuleFor(level);
    QCOMPARE(rule.Mode, mode);
    QCOMPARE(rule.Screen, screen);
    QCOMPARE(rule.TimeLimitMs.value_or(-1), limitMs);
    QCOMPARE(rule.MaxNumber.value_or(-1), maxNumber);
    QCOMPARE(rule.MinutesText.has_value(), !minutes.isNull());
    if (rule.MinutesText) {
      QCOMPARE(QString::fromUtf8(rule.MinutesText->data(), rule.MinutesText->size()), minutes);
    }
  }

  // The enter button compares the integer level in turn: below 7, 7 or 8, 9.
  void screenChoiceCoversLevelsOutsideTheTable() {
    QCOMPARE(RuleFor(0).Screen, ChallengeScreen::Form1);
    QCOMPARE(RuleFor(-3).Screen, ChallengeScreen::Form1);
    QCOMPARE(RuleFor(10).Screen, ChallengeScreen::Form9);
  }

  // Counting and open counting read entries into 16 bits, endurance into 32 bits less one.
  void largestEntryFollowsTheMode() {
    for (int level = 1; level <= 8; ++level) QCOMPARE(RuleFor(level).LargestEntry, 32767);
    QCOMPARE(RuleFor(9).LargestEntry, 2147483646);
  }

  // An engine loaded with a level of another mode plays by the nearest level of its own.
  void nearestRuleOfAMode() {
    QVERIFY(numora::IsLevelOf(6, LevelMode::Counting));
    QVERIFY(!numora::IsLevelOf(7, LevelMode::Counting));
    QVERIFY(!numora::IsLevelOf(0, LevelMode::Counting));
    QVERIFY(numora::IsLevelOf(8, LevelMode::OpenCounting));
    QVERIFY(!numora::IsLevelOf(10, LevelMode::Endurance));
    QCOMPARE(numora::NearestRuleOf(3, LevelMode::Counting).Level, 3);
    QCOMPARE(numora::NearestRuleOf(0, LevelMode::Counting).Level, 1);
    QCOMPARE(numora::NearestRuleOf(9, LevelMode::Counting).Level, 6);
    QCOMPARE(numora::NearestRuleOf(1, LevelMode::OpenCounting).Level, 7);
    QCOMPARE(numora::NearestRuleOf(8, LevelMode::OpenCounting).Level, 8);
    QCOMPARE(numora::NearestRuleOf(20, LevelMode::OpenCounting).Level, 8);
    QCOMPARE(numora::NearestRuleOf(-5, LevelMode::Endurance).Level, 9);
  }

  void lookUpNeverLeavesTheTable() {
    QCOMPARE(RuleFor(0).Level, 1);
    QCOMPARE(RuleFor(42).Level, 9);
  }
};

QTEST_GUILESS_MAIN(LevelTableTest)
#include "level_table_test.moc"
