// SPDX-License-Identifier: GPL-3.0-or-later
#include "open_counting/open_counting_engine.h"

#include <string>

#include "rules/level_table.h"
#include "rules/time_text.h"

namespace numora {

namespace {

constexpr std::string_view kRangeMessage = "本次有效数字范围是 1 - ";
constexpr std::string_view kRecordMessage = "记录又被刷新,有效数字范围是 1 - ";

std::string WithCount(std::string_view message, std::int32_t n) {
  std::string text(message);
  text += NumberText(n);
  return text;
}

}  // namespace

void OpenCountingEngine::Load(ChallengeView& view, const Pupil& pupil) {
  Bind(view);
  ShowPupil(pupil);
  run_.Reset();
  ClearBoard();
  const int level = pupil.GameLevel;
  if (IsLevelOf(level, LevelMode::OpenCounting)) {
    const LevelRule& rule = RuleFor(level);
    this->view().SetText(Role::Rule, rule.ScreenRuleText);
    this->view().SetText(Role::Minutes, rule.MinutesText.value_or(""));
  }
  // Any other level gets the limit of the nearest open counting level.
  const LevelRule& rule = NearestRuleOf(level, LevelMode::OpenCounting);
  timeLimitMs_ = rule.TimeLimitMs.value_or(0);
  run_.SetLargestEntry(rule.LargestEntry);
  SetTicking(false);
  clockStarted_ = false;
  intervalFrozen_ = false;
  bestCount_ = 0;
  // Nothing can be typed before the first start.
  OpenEntry(false);
}

void OpenCountingEngine::Start() {
  const double now = Now();
  if (!clockStarted_) {
    // The time limit runs from the first start of the visit, or of the first start after a
    // time-out, over every run until it is used up.
    clockStarted_ = true;
    startMs_ = now;
    SetTicking(true);
  }
  intervalStartMs_ = now;
  intervalFrozen_ = false;
  BeginRun();
  run_.Begin();
}

void OpenCountingEngine::PlayAgain() {
  run_.Reset();
  PrepareNextRun();
  view().SetText(Role::LowerSeconds, "00");
  view().SetText(Role::LowerHundredths, "00");
}

int OpenCountingEngine::KeyPress(int code) {
  if (!EntryOpen()) return 0;
  const OpenRun::Key key = run_.Judge(view(), code);
  if (key == OpenRun::Key::Backspace) EndByBackspace();
  if (key == OpenRun::Key::Wrong) EndWrongEntry();
  return OpenRun::Passed(key, code);
}

void OpenCountingEngine::Tick() {
  if (!Ticking()) return;
  const double now = Now();
  if (!intervalFrozen_) ShowElapsedRow(DayDiff(now, intervalStartMs_));
  const std::int32_t left = timeLimitMs_ - DayDiff(now, startMs_);
  if (left < 0) {
    EndAtTimeLimit();
    // The next start begins a new time limit of the level's full length.
    clockStarted_ = false;
    return;
  }
  ShowTimeLeft(left);
}

void OpenCountingEngine::EndByBackspace() {
  view().SetText(Role::Mark, kMarkWrong);
  OpenEntry(false);
  intervalFrozen_ = true;
  OfferPlayAgain(true);
  const std::int32_t n = run_.Count();
  view().SetText(Role::Message, WithCount(kRangeMessage, n));
  // The first count is the best without a word; a higher one later is a record.
  if (bestCount_ != 0 && n > bestCount_)
    view().SetText(Role::Message, WithCount(kRecordMessage, n));
  KeepBest(n);
}

void OpenCountingEngine::EndWrongEntry() {
  view().SetText(Role::Mark, kMarkWrong);
  OpenEntry(false);
  // The level's time limit outlives the run: the countdown goes on, only the second row stops.
  intervalFrozen_ = true;
  KeepBest(run_.Count());
  EndWith(OpenRun::kWrongEntryMessage);
}

void OpenCountingEngine::KeepBest(std::int32_t count) {
  if (bestCount_ != 0 && count <= bestCount_) return;
  bestCount_ = count;
  view().SetText(Role::Best, PlainText(count));
}

}  // namespace numora
