// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/open_run.h"

#include <optional>

#include "rules/challenge_engine.h"
#include "rules/time_text.h"

namespace numora {

OpenRun::Key OpenRun::Judge(ChallengeView& view, int code) {
  view.SetText(Role::Message, "");
  if (code == kKeyBackspace) return Key::Backspace;
  if (IsDigitKey(code)) {
    view.SetText(Role::Mark, "");
    return Key::Digit;
  }
  if (code != kKeyEnter) return Key::Other;
  const std::optional<std::int32_t> value = ReadEntry(view.Text(Role::Entry), largestEntry_);
  if (!value || *value != expected_) return Key::Wrong;
  view.SetText(Role::Mark, kMarkAccepted);
  ++expected_;
  view.SetText(Role::LastNumber, LastChars(NumberText(*value), 4));
  view.SetText(Role::Entry, "");
  return Key::Accepted;
}

int OpenRun::Passed(Key key, int code) {
  switch (key) {
    case Key::Digit:
      return code;
    case Key::Accepted:
    case Key::Wrong:
      return kKeyEnter;
    case Key::Backspace:
    case Key::Other:
      break;
  }
  return 0;
}

}  // namespace numora
