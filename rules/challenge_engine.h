// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the three challenge engines share: the pupil's data they are loaded with, the key codes
// and entries they judge, and the base class of the five operations a screen calls.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "rules/challenge_view.h"
#include "rules/day_clock.h"

namespace numora {

// What the start screen hands to a challenge screen when it opens it.
struct Pupil {
  std::int16_t GameLevel = 0;
  std::string StudentName;
  std::string School;
};

// The message of a run ended by the level's time limit.
inline constexpr std::string_view kTimeUpMessage = "时间到!";

// Character codes the key filter hands to KeyPress.
inline constexpr int kKeyBackspace = 8;
inline constexpr int kKeyEnter = 13;
constexpr bool IsDigitKey(int code) {
  return code >= '0' && code <= '9';
}

// The number an entry spells: digits only, leading zeros allowed, at most `max`. Anything else
// (empty, a non-digit, too large) has no value and counts as a wrong entry.
std::optional<std::int32_t> ReadEntry(std::string_view text, std::int32_t max);

// The operations a challenge screen calls, one per event. The engine writes the screen through
// the view bound by Load until Detach.
class ChallengeEngine {
 public:
  explicit ChallengeEngine(DayClock& clock) : clock_(&clock) {}
  virtual ~ChallengeEngine() = default;
  ChallengeEngine(const ChallengeEngine&) = delete;
  ChallengeEngine& operator=(const ChallengeEngine&) = delete;

  // The window's load event: binds the view and sets the screen's starting state.
  virtual void Load(ChallengeView& view, const Pupil& pupil) = 0;
  virtual void Start() = 0;
  virtual void PlayAgain() = 0;
  // A character key typed into the input box before the box applies it; returns the code to
  // pass on, 0 to swallow the key.
  virtual int KeyPress(int code) = 0;
  virtual void Tick() = 0;

  // The window is gone: nothing more is written to it.
  virtual void Detach() { view_ = &detached_; }

 protected:
  void Bind(ChallengeView& view) { view_ = &view; }
  // The first steps of every Load: the pupil's header, an empty result board, no play-again
  // button.
  void ShowPupil(const Pupil& pupil);
  // Clears the board before a run: no mark, an empty box, message line and last number, and the
  // start button offered.
  void ClearBoard();
  // The common steps of a start: an empty message line, the box open and empty, the start
  // button disabled (the focus it held passes on to the box).
  void BeginRun();
  // The common steps of a play-again before the time rows: the board cleared, play again
  // disabled but still shown, the focus on Start.
  void PrepareNextRun();
  // Shows and enables the play-again button, and gives it the focus when `focus` is set.
  void OfferPlayAgain(bool focus);
  // The steps of an end the engines share: `message` on the message line, Start shut and play
  // again offered with the focus.
  void EndWith(std::string_view message);
  // The end of a run at the level's time limit: the box and Start shut, the tick stopped, play
  // again offered without the focus, the hundredths at 00 and the time-up message.
  void EndAtTimeLimit();
  // The input box takes keys only while it is enabled; the engine keeps the same rule, so no
  // key is judged outside a run.
  void OpenEntry(bool open);
  bool EntryOpen() const { return entryOpen_; }
  void SetTicking(bool on);
  bool Ticking() const { return ticking_; }
  // The row of the time since a start: seconds and hundredths of `elapsedMs`, two digits each.
  void ShowElapsedRow(std::int32_t elapsedMs);
  // The row of the time left of a limit: minutes, seconds and hundredths of `leftMs`.
  void ShowTimeLeft(std::int32_t leftMs);
  ChallengeView& view() { return *view_; }
  double Now() { return clock_->DayMillis(); }

 private:
  DayClock* clock_;
  DetachedView detached_;
  ChallengeView* view_ = &detached_;
  bool entryOpen_ = false;
  bool ticking_ = false;
};

}  // namespace numora
