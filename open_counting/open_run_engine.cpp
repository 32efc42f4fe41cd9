// SPDX-License-Identifier: GPL-3.0-or-later
#include "open_counting/open_run_engine.h"

#include "rules/time_text.h"

namespace numora {

void OpenRunEngine::ResetRun() {
  view().SetText(Ctl::Mark, "");
  expected_ = 0;
  view().SetText(Ctl::Text1, "");
  view().SetText(Ctl::Label1, " ");
  view().SetText(Ctl::Label4, "");
  view().SetEnabled(Ctl::Command1, true);
  view().SetVisible(Ctl::Command1, true);
}

void OpenRunEngine::EndWrongDigit() {
  view().SetText(Ctl::Mark, "×");
  OpenEntry(false);
  StopTimingOnWrongEntry();
  UpdateBest();
  view().SetText(Ctl::Label1, kWrongEntryMessage);
  view().SetEnabled(Ctl::Command1, false);
  OfferPlayAgain(true);
}

int OpenRunEngine::ConfirmEntry() {
  const std::optional<std::int32_t> value = ReadEntry(view().Text(Ctl::Text1), max_entry_);
  if (value && *value == expected_) {
    view().SetText(Ctl::Mark, "√");
    ++expected_;
    view().SetText(Ctl::Label4, LastChars(NumberText(*value), 4));
    view().SetText(Ctl::Text1, "");
  } else {
    EndWrongDigit();
  }
  // Enter adds nothing to a single-line box; it is handed on unchanged.
  return kKeyEnter;
}

void OpenRunEngine::LoadBoard(const Pupil& pupil) {
  view().SetText(Ctl::Label3, PlainText(pupil.GameLevel));
  view().SetText(Ctl::Label8, pupil.StudentName);
  view().SetText(Ctl::Label12, pupil.School);
  view().SetText(Ctl::Label4, "");
  view().SetText(Ctl::Label6, "");
  view().SetVisible(Ctl::Command3, false);
  ResetRun();
}

void OpenRunEngine::BeginRun() {
  view().SetText(Ctl::Label1, "");
  OpenEntry(true);
  expected_ = 1;
  view().SetText(Ctl::Text1, "");
  view().SetEnabled(Ctl::Command1, false);
}

int OpenRunEngine::JudgeKey(int code) {
  view().SetText(Ctl::Label1, "");
  if (code == kKeyBackspace) {
    EndByBackspace();
    return 0;
  }
  if (code == kKeyEnter) return ConfirmEntry();
  if (IsDigitKey(code)) {
    view().SetText(Ctl::Mark, "");
    return code;
  }
  OtherKey();
  return 0;
}

void OpenRunEngine::PrepareNextRun() {
  ResetRun();
  view().SetText(Ctl::Label4, "");
  expected_ = 0;
  view().SetEnabled(Ctl::Command3, false);
  view().Focus(Ctl::Command1);
}

void OpenRunEngine::OfferPlayAgain(bool focus) {
  view().SetVisible(Ctl::Command3, true);
  view().SetEnabled(Ctl::Command3, true);
  if (focus) view().Focus(Ctl::Command3);
}

void OpenRunEngine::OpenEntry(bool open) {
  entry_open_ = open;
  view().SetEnabled(Ctl::Text1, open);
}

void OpenRunEngine::SetTicking(bool on) {
  ticking_ = on;
  view().SetTicking(on);
}

}  // namespace numora
