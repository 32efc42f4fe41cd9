// SPDX-License-Identifier: GPL-3.0-or-later
#include "open_counting/open_counting_engine.h"

#include <string>

#include "rules/level_table.h"
#include "rules/time_text.h"

namespace numora {

namespace {

constexpr std::string_view kRangeMessage = "本次有效数字范围是 1 - ";
constexpr std::string_view kRecordMessage = "记录又被刷新,有效数字范围是 1 - ";
constexpr std::string_view kTimeUpMessage = "时间到!";

std::string WithCount(std::string_view message, std::int32_t n) {
  std::string text(message);
  text += NumberText(n);
  return text;
}

}  // namespace

void OpenCountingEngine::Load(ChallengeView& view, const Pupil& pupil) {
  Bind(view);
  LoadBoard(pupil);
  const int level = pupil.GameLevel;
  if (level == 7 || level == 8) {
    const LevelRule& rule = RuleFor(level);
    this->view().SetText(Ctl::Label19, rule.ScreenRuleText);
    this->view().SetText(Ctl::Label15, rule.MinutesText.value_or(""));
  }
  // This window plays levels 7 and 8 only; any other level gets the nearer one's limit.
  time_limit_ms_ = RuleFor(level <= 7 ? 7 : 8).TimeLimitMs.value_or(0);
  expected_ = 0;
  SetTicking(false);
  clock_started_ = false;
  interval_frozen_ = false;
  best_count_ = 0;
  // Nothing can be typed before the first start.
  OpenEntry(false);
}

void OpenCountingEngine::Start() {
  const double now = Now();
  if (!clock_started_) {
    // The time limit runs from the first start of the visit, or of the first start after a
    // time-out, over every run until it is used up.
    clock_started_ = true;
    start_ms_ = now;
    SetTicking(true);
  }
  interval_start_ms_ = now;
  interval_frozen_ = false;
  BeginRun();
}

void OpenCountingEngine::PlayAgain() {
  PrepareNextRun();
  view().SetText(Ctl::Label2, "00");
  view().SetText(Ctl::Label11, "00");
}

int OpenCountingEngine::KeyPress(int code) {
  if (!EntryOpen()) return 0;
  return JudgeKey(code);
}

void OpenCountingEngine::Tick() {
  if (!Ticking()) return;
  const double now = Now();
  if (!interval_frozen_) {
    const ElapsedFields run = SplitElapsed(DayDiff(now, interval_start_ms_));
    view().SetText(Ctl::Label2, TwoDigitText(run.Seconds));
    view().SetText(Ctl::Label11, TwoDigitText(run.Hundredths));
  }
  const std::int32_t remaining_ms = time_limit_ms_ - DayDiff(now, start_ms_);
  if (remaining_ms < 0) {
    TimeOut();
    return;
  }
  const CountdownFields left = SplitCountdown(remaining_ms);
  view().SetText(Ctl::Label15, MinutesFieldText(left.Minutes));
  view().SetText(Ctl::Label14, TwoDigitText(left.Seconds));
  view().SetText(Ctl::Label13, TwoDigitText(left.Hundredths));
}

void OpenCountingEngine::EndByBackspace() {
  view().SetText(Ctl::Mark, "×");
  OpenEntry(false);
  interval_frozen_ = true;
  OfferPlayAgain(true);
  const std::int32_t n = --expected_;
  view().SetText(Ctl::Label1, WithCount(kRangeMessage, n));
  if (best_count_ == 0) {
    best_count_ = n;
    view().SetText(Ctl::Label6, PlainText(n));
  }
  if (n > best_count_) {
    best_count_ = n;
    view().SetText(Ctl::Label1, WithCount(kRecordMessage, n));
    view().SetText(Ctl::Label6, PlainText(n));
  }
}

void OpenCountingEngine::UpdateBest() {
  const std::int32_t n = --expected_;
  if (best_count_ == 0 || n > best_count_) {
    best_count_ = n;
    view().SetText(Ctl::Label6, PlainText(n));
  }
}

void OpenCountingEngine::StopTimingOnWrongEntry() {
  // The level's time limit outlives the run: the countdown goes on, only the second row stops.
  interval_frozen_ = true;
}

void OpenCountingEngine::TimeOut() {
  OpenEntry(false);
  SetTicking(false);
  // The next start begins a new time limit of the level's full length.
  clock_started_ = false;
  view().SetEnabled(Ctl::Command1, false);
  OfferPlayAgain(false);
  view().SetText(Ctl::Label13, "00");
  view().SetText(Ctl::Label1, kTimeUpMessage);
}

}  // namespace numora
