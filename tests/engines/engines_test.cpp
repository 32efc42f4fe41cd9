// SPDX-License-Identifier: GPL-3.0-or-later
// What every challenge engine, as the registry makes it, does alike: the board it loads, and
// random events after each of which every rule a pupil would notice is checked.
// NUMORA_FUZZ_EVENTS sets how many events run per engine.
#include "registry/engines.h"

#include <QtTest>

#include "tests/support/columns.h"
#include "tests/support/engine_profiles.h"
#include "tests/support/engine_rig.h"

using namespace numora;
using namespace numora::testing;

Q_DECLARE_METATYPE(numora::ChallengeScreen)

class EnginesTest : public QObject {
  Q_OBJECT

 private slots:
  // The pupil, the level's rule and limit as the level table has them, an empty board, and a
  // box that stays shut until Start.
  void loadShowsTheLevel_data() {
    QTest::addColumn<int>("level");
    for (int level = 1; level <= 9; ++level) QTest::addRow("level %d", level) << level;
  }
  void loadShowsTheLevel() {
    QFETCH(int, level);
    ManualClock clock;
    FakeView view;
    // The board as a run leaves it, so that only what Load writes passes.
    view.texts.fill("9");
    view.SetEnabled(Role::Start, false);
    view.SetVisible(Role::Start, false);
    view.SetVisible(Role::PlayAgain, true);
    view.SetEnabled(Role::Entry, true);
    view.SetTicking(true);
    const std::unique_ptr<ChallengeEngine> played = MakeEngineFor(level, clock);
    played->Load(view, Pupil{static_cast<std::int16_t>(level), "小明", "实验小学"});
    const LevelRule& rule = RuleFor(level);
    const auto text = [&view](Role role) { return Q(view.text(role)); };
    QCOMPARE(text(Role::Level), QString::number(level));
    QCOMPARE(text(Role::Name), "小明");
    QCOMPARE(text(Role::School), "实验小学");
    QCOMPARE(text(Role::Rule), Q(rule.ScreenRuleText));
    QCOMPARE(text(Role::Minutes), Q(rule.MinutesText.value_or("")));
    QCOMPARE(text(Role::Message), " ");
    for (const Role empty : {Role::LastNumber, Role::Best, Role::Mark, Role::Entry}) {
      QVERIFY2(text(empty).isEmpty(), RoleName(empty));
    }
    QVERIFY(!view.isVisible(Role::PlayAgain));
    QVERIFY(view.isEnabled(Role::Start) && view.isVisible(Role::Start));
    QVERIFY(!view.isEnabled(Role::Entry));
    QVERIFY(!view.ticking);
  }

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

QTEST_GUILESS_MAIN(EnginesTest)
#include "engines_test.moc"
