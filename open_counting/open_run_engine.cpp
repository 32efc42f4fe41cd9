// SPDX-License-Identifier: GPL-3.0-or-later
#include "open_counting/open_run_engine.h"

#include "rules/time_text.h"

namespace numora {

void OpenRunEngine::ResetRun() {
  expected_ = 0;
  ClearBoard();
}

void OpenRunEngine::EndWrongDigit() {
  view().SetText(Role::Mark, kMarkWrong);
  OpenEntry(false);
  StopTimingOnWrongEntry();
  UpdateBest();
  view().SetText(Role::Message, kWrongEntryMessage);
  view().SetEnabled(Role::Start, false);
  OfferPlayAgain(true);
}

int OpenRunEngine::ConfirmEntry() {
  const std::optional<std::int32_t> value = ReadEntry(view().Text(Role::Entry), maxEntry_);
  if (value && *value == expected_) {
    view().SetText(Role::Mark, kMarkAccepted);
    ++expected_;
    view().SetText(Role::LastNumber, LastChars(NumberText(*value), 4));
    view().SetText(Role::Entry, "");
  } else {
    EndWrongDigit();
  }
  // Enter adds nothing to a single-line box; it is handed on unchanged.
  return kKeyEnter;
}

void OpenRunEngine::LoadBoard(const Pupil& pupil) {
  ShowPupil(pupil);
  ResetRun();
}

void OpenRunEngine::BeginRun() {
  view().SetText(Role::Message, "");
  OpenEntry(true);
  expected_ = 1;
  view().SetText(Role::Entry, "");
  view().SetEnabled(Role::Start, false);
}

int OpenRunEngine::KeyPress(int code) {
  if (!EntryOpen()) return 0;
  KeyTaken();
  view().SetText(Role::Message, "");
  if (code == kKeyBackspace) {
    EndByBackspace();
    return 0;
  }
  if (code == kKeyEnter) return ConfirmEntry();
  if (IsDigitKey(code)) {
    view().SetText(Role::Mark, "");
    return code;
  }
  OtherKey();
  return 0;
}

void OpenRunEngine::PrepareNextRun() {
  ResetRun();
  view().SetText(Role::LastNumber, "");
  expected_ = 0;
  view().SetEnabled(Role::PlayAgain, false);
  view().Focus(Role::Start);
}

}  // namespace numora
