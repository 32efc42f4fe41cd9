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
  view().SetText(Ctl::Mark, "");
  view().SetVisible(Ctl::Picture1, false);
  expected_number_ = 0;
  view().SetText(Ctl::Text1, "");
  view().SetText(Ctl::Label1, " ");
  view().SetText(Ctl::Label4, "");
  view().SetEnabled(Ctl::Command1, true);
  view().SetVisible(Ctl::Command1, true);
}

void CountingEngine::Load(ChallengeView& view_to_write, const Pupil& pupil) {
  Bind(view_to_write);
  view().SetText(Ctl::Label3, PlainText(pupil.GameLevel));
  view().SetText(Ctl::Label8, pupil.StudentName);
  view().SetText(Ctl::Label12, pupil.School);
  view().SetText(Ctl::Label4, "");
  view().SetText(Ctl::Label6, "");
  view().SetVisible(Ctl::Command3, false);
  level_ = pupil.GameLevel;
  ResetRun();
  if (IsCountingLevel(level_)) {
    const LevelRule& rule = RuleFor(level_);
    view().SetText(Ctl::Label19, rule.ScreenRuleText);
    view().SetText(Ctl::Label15, rule.MinutesText.value_or(""));
  }
  expected_number_ = 0;
  view().SetTicking(false);
  clock_started_ = false;
  // No count may begin before the first Start: it would be untimed.
  view().SetEnabled(Ctl::Text1, false);
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
  view().SetText(Ctl::Label1, "");
  view().SetEnabled(Ctl::Text1, true);
  ++expected_number_;
  view().SetText(Ctl::Text1, "");
  view().SetEnabled(Ctl::Command1, false);
  // Start held the focus and is now disabled; the pupil types at once.
  view().Focus(Ctl::Text1);
}

void CountingEngine::PlayAgain() {
  ResetRun();
  view().SetText(Ctl::Label4, "");
  expected_number_ = 0;
  view().SetEnabled(Ctl::Command3, false);
  view().SetEnabled(Ctl::Command1, true);
  view().Focus(Ctl::Command1);
  view().SetText(Ctl::Label2, "00");
  view().SetText(Ctl::Label11, "00");
  view().SetVisible(Ctl::Text1, true);
}

int CountingEngine::KeyPress(int code) {
  view().SetText(Ctl::Label1, "");
  if (code == kKeyBackspace) {
    view().SetText(Ctl::Mark, "");
    return code;
  }
  if (code == kKeyEnter) {
    const std::string_view entry = view().Text(Ctl::Text1);
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
    view().SetText(Ctl::Mark, "");
    return code;
  }
  return 0;
}

void CountingEngine::AcceptNumber() {
  view().SetText(Ctl::Mark, kAccepted);
  ++expected_number_;
  view().SetText(Ctl::Label4, LastChars(NumberText(expected_number_ - 1), 3));
  view().SetText(Ctl::Text1, "");
  if (expected_number_ != MaxNumber() + 1) return;

  view().SetEnabled(Ctl::Command1, false);
  view().SetEnabled(Ctl::Text1, false);
  view().SetVisible(Ctl::Picture1, true);
  view().SetText(Ctl::Label1, kSuccess);
  view().SetText(Ctl::Text1, PlainText(MaxNumber()));
  run_over_ = true;
  view().SetVisible(Ctl::Command3, true);
  view().SetEnabled(Ctl::Command3, true);
  view().Focus(Ctl::Command3);
  view().SetText(Ctl::Mark, "");
  UpdateBest();
}

void CountingEngine::EndWrongNumber() {
  view().SetText(Ctl::Mark, kWrong);
  // The wrong entry stays in the box for the pupil to see.
  view().SetEnabled(Ctl::Text1, false);
  run_over_ = true;
  // Put together in place: the message is longer than a short string holds.
  std::array<char, kRangePrefix.size() + 16> message{};
  const std::string number = NumberText(expected_number_ - 1);
  char* end = std::copy(kRangePrefix.begin(), kRangePrefix.end(), message.data());
  end = std::copy(number.begin(), number.end(), end);
  view().SetText(Ctl::Label1, std::string_view(message.data(), end - message.data()));
  view().SetEnabled(Ctl::Command1, false);
  view().SetVisible(Ctl::Command3, true);
  view().SetEnabled(Ctl::Command3, true);
  view().Focus(Ctl::Command3);
}

void CountingEngine::UpdateBest() {
  // The result comes from the latest tick, the time the pupil saw, with the fraction dropped.
  const std::int32_t result = run_elapsed_ms_ / 10;
  if (best_hundredths_ == 0) {
    best_hundredths_ = result;
  } else if (result < best_hundredths_) {
    best_hundredths_ = result;
    view().SetText(Ctl::Label1, kRecord);
  }
  view().SetText(Ctl::Label6, BestText(best_hundredths_));
}

void CountingEngine::Tick() {
  now_ms_ = Now();
  run_elapsed_ms_ = DayDiff(now_ms_, run_start_ms_);
  if (!run_over_) {
    const ElapsedFields elapsed = SplitElapsed(run_elapsed_ms_);
    view().SetText(Ctl::Label2, TwoDigitText(elapsed.Seconds));
    view().SetText(Ctl::Label11, TwoDigitText(elapsed.Hundredths));
  }
  const std::int32_t left = TimeLimitMs() - DayDiff(now_ms_, first_start_ms_) - kLimitMarginMs;
  if (left < 0) {
    TimeUp();
    return;
  }
  const CountdownFields fields = SplitCountdown(left);
  view().SetText(Ctl::Label15, MinutesFieldText(fields.Minutes));
  view().SetText(Ctl::Label14, TwoDigitText(fields.Seconds));
  view().SetText(Ctl::Label13, TwoDigitText(fields.Hundredths));
}

void CountingEngine::TimeUp() {
  view().SetEnabled(Ctl::Text1, false);
  view().SetTicking(false);
  view().SetEnabled(Ctl::Command1, false);
  view().SetVisible(Ctl::Command3, true);
  view().SetEnabled(Ctl::Command3, true);
  view().SetText(Ctl::Label13, "00");
  view().SetText(Ctl::Label1, kTimeUp);
  // The next Start, after Play again, begins a new time limit with the clock and the tick.
  clock_started_ = false;
}

}  // namespace numora
