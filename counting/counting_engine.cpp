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

constexpr std::string_view kSuccess = "挑战成功,你真棒!";
constexpr std::string_view kRecord = "记录又被刷新!";
// Followed by the last number typed right, with its leading blank.
constexpr std::string_view kRangePrefix = "您正确输入的数字范围是 1 - ";

}  // namespace

std::int32_t CountingEngine::TimeLimitMs() const {
  if (!IsLevelOf(level_, LevelMode::Counting)) return 0;
  return RuleFor(level_).TimeLimitMs.value_or(0);
}

std::int32_t CountingEngine::MaxNumber() const {
  // A level this window does not play has no highest number.
  if (!IsLevelOf(level_, LevelMode::Counting)) return 0;
  return RuleFor(level_).MaxNumber.value_or(0);
}

void CountingEngine::ResetRun() {
  view().SetVisible(Role::Picture, false);
  expectedNumber_ = 0;
  ClearBoard();
}

void CountingEngine::Load(ChallengeView& view_to_write, const Pupil& pupil) {
  Bind(view_to_write);
  ShowPupil(pupil);
  level_ = pupil.GameLevel;
  ResetRun();
  if (IsLevelOf(level_, LevelMode::Counting)) {
    const LevelRule& rule = RuleFor(level_);
    view().SetText(Role::Rule, rule.ScreenRuleText);
    view().SetText(Role::Minutes, rule.MinutesText.value_or(""));
  }
  expectedNumber_ = 0;
  SetTicking(false);
  clockStarted_ = false;
  // No count may begin before the first Start: it would be untimed.
  OpenEntry(false);
}

void CountingEngine::Start() {
  if (!clockStarted_) {
    clockStarted_ = true;
    firstStartMs_ = Now();
    runStartMs_ = firstStartMs_;
    SetTicking(true);
  } else {
    // The time limit keeps counting from the first Start of the visit.
    runStartMs_ = Now();
  }
  runOver_ = false;
  view().SetText(Role::Message, "");
  OpenEntry(true);
  ++expectedNumber_;
  view().SetText(Role::Entry, "");
  view().SetEnabled(Role::Start, false);
  // Start held the focus and is now disabled; the pupil types at once.
  view().Focus(Role::Entry);
}

void CountingEngine::PlayAgain() {
  ResetRun();
  view().SetText(Role::LastNumber, "");
  expectedNumber_ = 0;
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
    const std::optional<std::int32_t> number =
        ReadEntry(entry, NearestRuleOf(level_, LevelMode::Counting).LargestEntry);
    if (number && *number == expectedNumber_) {
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
  view().SetText(Role::Mark, kMarkAccepted);
  ++expectedNumber_;
  view().SetText(Role::LastNumber, LastChars(NumberText(expectedNumber_ - 1), 3));
  view().SetText(Role::Entry, "");
  if (expectedNumber_ != MaxNumber() + 1) return;

  view().SetEnabled(Role::Start, false);
  OpenEntry(false);
  view().SetVisible(Role::Picture, true);
  view().SetText(Role::Message, kSuccess);
  view().SetText(Role::Entry, PlainText(MaxNumber()));
  runOver_ = true;
  OfferPlayAgain(true);
  view().SetText(Role::Mark, "");
  UpdateBest();
}

void CountingEngine::EndWrongNumber() {
  view().SetText(Role::Mark, kMarkWrong);
  // The wrong entry stays in the box for the pupil to see.
  OpenEntry(false);
  runOver_ = true;
  // Put together in place: the message is longer than a short string holds.
  std::array<char, kRangePrefix.size() + 16> message{};
  const std::string number = NumberText(expectedNumber_ - 1);
  char* end = std::copy(kRangePrefix.begin(), kRangePrefix.end(), message.data());
  end = std::copy(number.begin(), number.end(), end);
  view().SetText(Role::Message, std::string_view(message.data(), end - message.data()));
  view().SetEnabled(Role::Start, false);
  OfferPlayAgain(true);
}

void CountingEngine::UpdateBest() {
  // The result comes from the latest tick, the time the pupil saw, with the fraction dropped.
  const std::int32_t result = runElapsedMs_ / 10;
  // A run shown as 0.00 is a result too: the first run is the best whatever its time.
  if (!hasBest_) {
    bestHundredths_ = result;
    hasBest_ = true;
  } else if (result < bestHundredths_) {
    bestHundredths_ = result;
    view().SetText(Role::Message, kRecord);
  }
  view().SetText(Role::Best, BestText(bestHundredths_));
}

void CountingEngine::Tick() {
  nowMs_ = Now();
  runElapsedMs_ = DayDiff(nowMs_, runStartMs_);
  if (!runOver_) ShowElapsedRow(runElapsedMs_);
  const std::int32_t left = TimeLimitMs() - DayDiff(nowMs_, firstStartMs_) - kLimitMarginMs;
  if (left < 0) {
    EndAtTimeLimit();
    // The next Start, after Play again, begins a new time limit with the clock and the tick.
    clockStarted_ = false;
    return;
  }
  ShowTimeLeft(left);
}

}  // namespace numora
