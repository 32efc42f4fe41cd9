// SPDX-License-Identifier: GPL-3.0-or-later
#include "endurance/endurance_engine.h"

#include <initializer_list>
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

void EnduranceEngine::Load(ChallengeView& view, const Pupil& pupil) {
  Bind(view);
  this->view().SetText(Role::Caption, kCaption);
  ShowPupil(pupil);
  run_.Reset();
  ClearBoard();
  const LevelRule& rule = NearestRuleOf(pupil.GameLevel, LevelMode::Endurance);
  this->view().SetText(Role::Rule, rule.ScreenRuleText);
  run_.SetLargestEntry(rule.LargestEntry);
  for (const Role c : {Role::Minutes, Role::Colon, Role::BestSeconds, Role::BestHundredths}) {
    this->view().SetText(c, "");
  }
  SetTicking(false);
  bestCount_ = 0;
  bestHundredths_ = 0;
  // The time rows keep the window's first texts until the first tick or play-again.
  rowShown_ = false;
  // Nothing can be typed before the first start.
  OpenEntry(false);
}

void EnduranceEngine::Start() {
  startMs_ = Now();
  intervalStartMs_ = startMs_;
  SetTicking(true);
  BeginRun();
  run_.Begin();
}

void EnduranceEngine::PlayAgain() {
  run_.Reset();
  PrepareNextRun();
  view().SetText(Role::LowerSeconds, "0");
  view().SetText(Role::LowerHundredths, "00");
  view().SetText(Role::Hundredths, "00");
  view().SetText(Role::Seconds, "0");
  rowShown_ = true;
  rowSeconds_ = 0;
  rowHundredths_ = 0;
  view().SetVisible(Role::Entry, true);
}

int EnduranceEngine::KeyPress(int code) {
  if (!EntryOpen()) return 0;
  // Every key restarts the 2-second pause, whatever it turns out to be, and the beat with it.
  intervalStartMs_ = Now();
  SetTicking(true);
  const OpenRun::Key key = run_.Judge(view(), code);
  switch (key) {
    case OpenRun::Key::Backspace:
      EndByBackspace();
      break;
    case OpenRun::Key::Wrong:
      EndWrongEntry();
      break;
    case OpenRun::Key::Other:
      EndRun(kOtherKeyMessage);
      break;
    case OpenRun::Key::Digit:
    case OpenRun::Key::Accepted:
      break;
  }
  return OpenRun::Passed(key, code);
}

void EnduranceEngine::Tick() {
  if (!Ticking()) return;
  const double now = Now();
  const std::int32_t interval_ms = DayDiff(now, intervalStartMs_);
  const ElapsedFields pause = SplitElapsed(interval_ms);
  view().SetText(Role::LowerSeconds, IntervalSecondsText(pause.Seconds));
  view().SetText(Role::LowerHundredths, TwoDigitText(pause.Hundredths));
  // A late tick still ends the run: the pause is too long once it reaches the limit.
  if (interval_ms >= kPauseLimitMs) EndRun(kPauseMessage);
  // The elapsed row shows the time of this tick even when the run has just ended; the best
  // time took the row as the previous tick left it.
  ShowElapsed(DayDiff(now, startMs_));
}

void EnduranceEngine::EndByBackspace() {
  view().SetText(Role::Mark, kMarkWrong);
  OpenEntry(false);
  SetTicking(false);
  OfferPlayAgain(true);
  KeepBest(run_.Count());
  view().SetText(Role::Message, kBackspaceMessage);
}

void EnduranceEngine::EndWrongEntry() {
  view().SetText(Role::Mark, kMarkWrong);
  OpenEntry(false);
  SetTicking(false);
  KeepBest(run_.Count());
  EndWith(OpenRun::kWrongEntryMessage);
}

void EnduranceEngine::EndRun(std::string_view message) {
  SetTicking(false);
  OpenEntry(false);
  view().SetText(Role::Mark, "");
  KeepBest(run_.Count());
  view().SetText(Role::Message, message);
  OfferPlayAgain(true);
}

void EnduranceEngine::KeepBest(std::int32_t n) {
  // A run that ends before its first tick has no elapsed row of its own yet.
  if (!rowShown_) ShowElapsed(DayDiff(Now(), startMs_));
  const std::int32_t time = rowSeconds_ * 100 + rowHundredths_;
  if (bestCount_ == 0 || n > bestCount_) {
    bestCount_ = n;
    view().SetText(Role::Best, PlainText(n));
    CopyElapsedToBest();
  } else if (n == bestCount_) {
    view().SetText(Role::Best, PlainText(n));
    // Equal counts: the shorter run wins, judged on the times the rows show.
    if (time < bestHundredths_) CopyElapsedToBest();
  }
}

void EnduranceEngine::ShowElapsed(std::int32_t ms) {
  const ElapsedFields run = SplitElapsed(ms);
  rowShown_ = true;
  rowSeconds_ = run.Seconds;
  rowHundredths_ = run.Hundredths;
  view().SetText(Role::Seconds, PlainText(run.Seconds));
  view().SetText(Role::Hundredths, TwoDigitText(run.Hundredths));
}

void EnduranceEngine::CopyElapsedToBest() {
  bestHundredths_ = rowSeconds_ * 100 + rowHundredths_;
  view().SetText(Role::BestSeconds, PlainText(rowSeconds_));
  view().SetText(Role::BestHundredths, TwoDigitText(rowHundredths_));
}

}  // namespace numora
