// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/challenge_engine.h"

#include "rules/time_text.h"

namespace numora {

std::optional<std::int32_t> ReadEntry(std::string_view text, std::int32_t max) {
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > max) return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

void ChallengeEngine::ShowPupil(const Pupil& pupil) {
  view().SetText(Role::Level, PlainText(pupil.GameLevel));
  view().SetText(Role::Name, pupil.StudentName);
  view().SetText(Role::School, pupil.School);
  view().SetText(Role::LastNumber, "");
  view().SetText(Role::Best, "");
  view().SetVisible(Role::PlayAgain, false);
}

void ChallengeEngine::ClearBoard() {
  view().SetText(Role::Mark, "");
  view().SetText(Role::Entry, "");
  view().SetText(Role::Message, " ");
  view().SetText(Role::LastNumber, "");
  view().SetEnabled(Role::Start, true);
  view().SetVisible(Role::Start, true);
}

void ChallengeEngine::BeginRun() {
  view().SetText(Role::Message, "");
  OpenEntry(true);
  view().SetText(Role::Entry, "");
  view().SetEnabled(Role::Start, false);
}

void ChallengeEngine::PrepareNextRun() {
  ClearBoard();
  view().SetText(Role::LastNumber, "");
  view().SetEnabled(Role::PlayAgain, false);
  view().Focus(Role::Start);
}

void ChallengeEngine::EndWith(std::string_view message) {
  view().SetText(Role::Message, message);
  view().SetEnabled(Role::Start, false);
  OfferPlayAgain(true);
}

void ChallengeEngine::OfferPlayAgain(bool focus) {
  view().SetVisible(Role::PlayAgain, true);
  view().SetEnabled(Role::PlayAgain, true);
  if (focus) view().Focus(Role::PlayAgain);
}

void ChallengeEngine::EndAtTimeLimit() {
  OpenEntry(false);
  SetTicking(false);
  view().SetEnabled(Role::Start, false);
  OfferPlayAgain(false);
  view().SetText(Role::Hundredths, "00");
  view().SetText(Role::Message, kTimeUpMessage);
}

void ChallengeEngine::OpenEntry(bool open) {
  entryOpen_ = open;
  view().SetEnabled(Role::Entry, open);
}

void ChallengeEngine::SetTicking(bool on) {
  ticking_ = on;
  view().SetTicking(on);
}

void ChallengeEngine::ShowElapsedRow(std::int32_t elapsedMs) {
  const ElapsedFields elapsed = SplitElapsed(elapsedMs);
  view().SetText(Role::LowerSeconds, TwoDigitText(elapsed.Seconds));
  view().SetText(Role::LowerHundredths, TwoDigitText(elapsed.Hundredths));
}

void ChallengeEngine::ShowTimeLeft(std::int32_t leftMs) {
  const CountdownFields left = SplitCountdown(leftMs);
  view().SetText(Role::Minutes, MinutesFieldText(left.Minutes));
  view().SetText(Role::Seconds, TwoDigitText(left.Seconds));
  view().SetText(Role::Hundredths, TwoDigitText(left.Hundredths));
}

}  // namespace numora
