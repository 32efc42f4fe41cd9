// SPDX-License-Identifier: GPL-3.0-or-later
#include "counting/counting_engine.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "rules/level_table.h"
#include "rules/time_text.h"

namespace numora {

namespace {

constexpr std::string_view kAccepted = "√";
constexpr std::string_view kWrong = "×";
constexpr std::string_view kSuccess = "挑战成功,你真棒!";
constexpr std::string_view kRecord = "记录又被刷新!";
constexpr std::string_view kTimeUp = "时间到!";
// Followed by the last number typed right, with its leading blank.
constexpr std::string_view kRangePrefix = "您正确输入的数字范围是 1 - ";

// Above this an entry cannot be a number of the run: it is a wrong number.
constexpr std::int32_t kLargestEntry = 32767;

bool IsCountingLevel(int level) {
  return level >= 1 && level <= 6;
}

}  // namespace

std::int32_t CountingEngine::TimeLimitMs() const {
  if (!IsCountingLevel(level_)) return 0;
  return RuleFor(level_).TimeLimitMs.value_or(0);
}

void CountingEngine::ResetRun() {
  view().SetText(Role::Mark, "");
  view().SetVisible(Role::Picture, false);
  expected_number_ = 0;
  view().SetText(Role::Entry, "");
  view().SetText(Role::Message, " ");
  view().SetText(Role::LastNumber, "");
  view().SetEnabled(Role::Start, true);
  view().SetVisible(Role::Start, true);
}

void CountingEngine::Load(ChallengeView& view_to_write, const Pupil& pupil) {
  Bind(view_to_write);
  view().SetText(Role::Level, PlainText(pupil.GameLevel));
  view().SetText(Role::Name, pupil.StudentName);
  view().SetText(Role::School, pupil.School);
  view().SetText(Role::LastNumber, "");
  view().SetText(Role::Best, "");
  view().SetVisible(Role::PlayAgain, false);
  level_ = pupil.GameLevel;
  ResetRun();
  if (IsCountingLevel(level_)) {
    const LevelRule& rule = RuleFor(level_);
    view().SetText(Role::Rule, rule.ScreenRuleText);
    view().SetText(Role::Minutes, rule.MinutesText.value_or(""));
  }
  expected_number_ = 0;
  view().SetTicking(false);
  clock_started_ = false;
  // No count may begin before the first Start: it would be untimed.
  view().SetEnabled(Role::Entry, false);
}

void CountingEngine::Start() {
  if (!clock_started_) {
    clock_started_ = true;
    first_start_ms_ = Now();
    run_start_ms_ = first_start_ms_;
    view().SetTicking(true);
  } else {
    // The time limit keeps counting from the first Start of the visit.
    run_start_ms_ = Now();
  }
  run_over_ = false;
  view().SetText(Role::Message, "");
  view().SetEnabled(Role::Entry, true);
  ++expected_number_;
  view().SetText(Role::Entry, "");
  view().SetEnabled(Role::Start, false);
  // Start held the focus and is now disabled; the pupil types at once.
  view().Focus(Role::Entry);
}

void CountingEngine::PlayAgain() {
  ResetRun();
  view().SetText(Role::LastNumber, "");
  expected_number_ = 0;
  view().SetEnabled(Role::PlayAgain, false);
  view().SetEnabled(Role::Start, true);
  view().Focus(Role::Start);
  view().SetText(Role::LowerSeconds, "00");
  view().SetText(Role::LowerHundredths, "00");
  view().SetVisible(Role::Entry, true);
}

int CountingEngine::KeyPress(int code) {
  view().SetText(Role::Message, "");
  if (code == kKeyBackspace) {
    view().SetText(Role::Mark, "");
    return code;
  }
  if (code == kKeyEnter) {
    const std::string_view entry = view().Text(Role::Entry);
    if (entry.empty()) return code;
    const std::optional<std::int32_t> number = ReadEntry(entry, kLargestEntry);
    if (number && *number == expected_number_) {
      AcceptNumber();
    } else {
      EndWrongNumber();
    }
    return code;
  }
  if (IsDigitKey(code)) {
    view().SetText(Role::Mark, "");
    return code;
  }
  return 0;
}

void CountingEngine::AcceptNumber() {
  view().SetText(Role::Mark, kAccepted);
  ++expected_number_;
  view().SetText(Role::LastNumber, LastChars(NumberText(expected_number_ - 1), 3));
  view().SetText(Role::Entry, "");
  if (expected_number_ != MaxNumber() + 1) return;

  view().SetEnabled(Role::Start, false);
  view().SetEnabled(Role::Entry, false);
  view().SetVisible(Role::Picture, true);
  view().SetText(Role::Message, kSuccess);
  view().SetText(Role::Entry, PlainText(MaxNumber()));
  run_over_ = true;
  view().SetVisible(Role::PlayAgain, true);
  view().SetEnabled(Role::PlayAgain, true);
  view().Focus(Role::PlayAgain);
  view().SetText(Role::Mark, "");
  UpdateBest();
}

void CountingEngine::EndWrongNumber() {
  view().SetText(Role::Mark, kWrong);
  // The wrong entry stays in the box for the pupil to see.
  view().SetEnabled(Role::Entry, false);
  run_over_ = true;
  // Put together in place: the message is longer than a short string holds.
  std::array<char, kRangePrefix.size() + 16> message{};
  const std::string number = NumberText(expected_number_ - 1);
  char* end = std::copy(kRangePrefix.begin(), kRangePrefix.end(), message.data());
  end = std::copy(number.begin(), number.end(), end);
  view().SetText(Role::Message, std::string_view(message.data(), end - message.data()));
  view().SetEnabled(Role::Start, false);
  view().SetVisible(Role::PlayAgain, true);
  view().SetEnabled(Role::PlayAgain, true);
  view().Focus(Role::PlayAgain);
}

void CountingEngine::UpdateBest() {
  // The result comes from the latest tick, the time the pupil saw, with the fraction dropped.
  const std::int32_t result = run_elapsed_ms_ / 10;
  if (best_hundredths_ == 0) {
    best_hundredths_ = result;
  } else if (result < best_hundredths_) {
    best_hundredths_ = result;
    view().SetText(Role::Message, kRecord);
  }
  view().SetText(Role::Best, BestText(best_hundredths_));
}

void CountingEngine::Tick() {
  now_ms_ = Now();
  run_elapsed_ms_ = DayDiff(now_ms_, run_start_ms_);
  if (!run_over_) {
    const ElapsedFields elapsed = SplitElapsed(run_elapsed_ms_);
    view().SetText(Role::LowerSeconds, TwoDigitText(elapsed.Seconds));
    view().SetText(Role::LowerHundredths, TwoDigitText(elapsed.Hundredths));
  }
  const std::int32_t left = TimeLimitMs() - DayDiff(now_ms_, first_start_ms_) - kLimitMarginMs;
  if (left < 0) {
    TimeUp();
    return;
  }
  const CountdownFields fields = SplitCountdown(left);
  view().SetText(Role::Minutes, MinutesFieldText(fields.Minutes));
  view().SetText(Role::Seconds, TwoDigitText(fields.Seconds));
  view().SetText(Role::Hundredths, TwoDigitText(fields.Hundredths));
}

void CountingEngine::TimeUp() {
  view().SetEnabled(Role::Entry, false);
  view().SetTicking(false);
  view().SetEnabled(Role::Start, false);
  view().SetVisible(Role::PlayAgain, true);
  view().SetEnabled(Role::PlayAgain, true);
  view().SetText(Role::Hundredths, "00");
  view().SetText(Role::Message, kTimeUp);
  // The next Start, after Play again, begins a new time limit with the clock and the tick.
  clock_started_ = false;
}

}  // namespace numora
