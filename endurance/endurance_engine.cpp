// SPDX-License-Identifier: GPL-3.0-or-later
#include "endurance/endurance_engine.h"

#include <initializer_list>
#include <limits>
#include <string>

#include "rules/level_table.h"
#include "rules/time_text.h"

namespace numora {

namespace {

constexpr std::string_view kBackspaceMessage = "不能退格，挑战结束！";
constexpr std::string_view kOtherKeyMessage = "按了非数字键,挑战结束!";
constexpr std::string_view kPauseMessage = "两次按键时间超过2秒,挑战结束!";

// The seconds of the interval row: no leading zero, at most two digits.
std::string IntervalSecondsText(std::int32_t seconds) {
  return LastChars(NumberText(seconds), seconds < 10 ? 1 : 2);
}

}  // namespace

EnduranceEngine::EnduranceEngine(DayClock& clock) : OpenRunEngine(clock) {
  // Any entry that can be read is compared; one below the largest 32-bit value so that the
  // number after it still fits.
  max_entry_ = std::numeric_limits<std::int32_t>::max() - 1;
}

void EnduranceEngine::Load(ChallengeView& view, const Pupil& pupil) {
  Bind(view);
  this->view().SetText(Ctl::Caption, kCaption);
  LoadBoard(pupil);
  this->view().SetText(Ctl::Label19, RuleFor(9).ScreenRuleText);
  for (const Ctl c : {Ctl::Label15, Ctl::Label17, Ctl::Label21, Ctl::Label23}) {
    this->view().SetText(c, "");
  }
  expected_ = 0;
  SetTicking(false);
  best_count_ = 0;
  best_hundredths_ = 0;
  // The time rows keep the window's first texts until the first tick or play-again.
  row_shown_ = false;
  // Nothing can be typed before the first start.
  OpenEntry(false);
}

void EnduranceEngine::Start() {
  start_ms_ = Now();
  interval_start_ms_ = start_ms_;
  SetTicking(true);
  BeginRun();
}

void EnduranceEngine::PlayAgain() {
  PrepareNextRun();
  view().SetText(Ctl::Label2, "0");
  view().SetText(Ctl::Label11, "00");
  view().SetText(Ctl::Label13, "00");
  view().SetText(Ctl::Label14, "0");
  row_shown_ = true;
  row_seconds_ = 0;
  row_hundredths_ = 0;
  view().SetVisible(Ctl::Text1, true);
}

int EnduranceEngine::KeyPress(int code) {
  if (!EntryOpen()) return 0;
  // Every key restarts the 2-second interval, whatever it turns out to be.
  interval_start_ms_ = Now();
  SetTicking(true);
  return JudgeKey(code);
}

void EnduranceEngine::OtherKey() {
  EndRun(kOtherKeyMessage);
}

void EnduranceEngine::Tick() {
  if (!Ticking()) return;
  const double now = Now();
  const std::int32_t interval_ms = DayDiff(now, interval_start_ms_);
  const ElapsedFields pause = SplitElapsed(interval_ms);
  view().SetText(Ctl::Label2, IntervalSecondsText(pause.Seconds));
  view().SetText(Ctl::Label11, TwoDigitText(pause.Hundredths));
  // A late tick still ends the run: the pause is too long once it reaches the limit.
  if (interval_ms >= kPauseLimitMs) EndRun(kPauseMessage);
  // The elapsed row shows the time of this tick even when the run has just ended; the best
  // time took the row as the previous tick left it.
  ShowElapsed(DayDiff(now, start_ms_));
}

void EnduranceEngine::EndByBackspace() {
  view().SetText(Ctl::Mark, "×");
  OpenEntry(false);
  SetTicking(false);
  OfferPlayAgain(true);
  UpdateBest();
  view().SetText(Ctl::Label1, kBackspaceMessage);
}

void EnduranceEngine::EndRun(std::string_view message) {
  SetTicking(false);
  OpenEntry(false);
  view().SetText(Ctl::Mark, "");
  UpdateBest();
  view().SetText(Ctl::Label1, message);
  OfferPlayAgain(true);
}

void EnduranceEngine::UpdateBest() {
  const std::int32_t n = --expected_;
  // A run that ends before its first tick has no elapsed row of its own yet.
  if (!row_shown_) ShowElapsed(DayDiff(Now(), start_ms_));
  const std::int32_t time = row_seconds_ * 100 + row_hundredths_;
  if (best_count_ == 0 || n > best_count_) {
    best_count_ = n;
    view().SetText(Ctl::Label6, PlainText(n));
    CopyElapsedToBest();
  } else if (n == best_count_) {
    view().SetText(Ctl::Label6, PlainText(n));
    // Equal counts: the shorter run wins, judged on the times the rows show.
    if (time < best_hundredths_) CopyElapsedToBest();
  }
}

void EnduranceEngine::StopTimingOnWrongEntry() {
  SetTicking(false);
}

void EnduranceEngine::ShowElapsed(std::int32_t ms) {
  const ElapsedFields run = SplitElapsed(ms);
  row_shown_ = true;
  row_seconds_ = run.Seconds;
  row_hundredths_ = run.Hundredths;
  view().SetText(Ctl::Label14, PlainText(run.Seconds));
  view().SetText(Ctl::Label13, TwoDigitText(run.Hundredths));
}

void EnduranceEngine::CopyElapsedToBest() {
  best_hundredths_ = row_seconds_ * 100 + row_hundredths_;
  view().SetText(Ctl::Label21, PlainText(row_seconds_));
  view().SetText(Ctl::Label23, TwoDigitText(row_hundredths_));
}

}  // namespace numora
