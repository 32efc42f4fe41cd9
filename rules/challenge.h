// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the three challenge engines share: the pupil's data they are loaded with, the controls
// they write, the view they write them through and the five operations a screen calls.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "rules/day_clock.h"

namespace numora {

// What the start screen hands to a challenge screen when it opens it.
struct Pupil {
  std::int16_t GameLevel = 0;
  std::string StudentName;
  std::string School;
};

// What a control is on a challenge screen; each window's table names the control that plays
// each role (the message line is Label1 on all three, the best result Label6). The mark is
// element 10 of the one-element control array Label9; the caption is the window's title.
enum class Role : std::uint8_t {
  Caption,
  Message,  // the message line
  Level,    // the big level digit
  Name,     // the pupil's name
  School,   // the pupil's school
  Rule,     // the level's rule text
  Minutes,  // upper time row: minutes, colon, seconds, hundredths
  Colon,
  Seconds,
  Hundredths,
  LowerSeconds,  // lower time row: seconds and hundredths
  LowerHundredths,
  LastNumber,   // the last accepted number
  Best,         // the best result (a time or a count)
  BestSeconds,  // the best count's time, where the screen shows one
  BestHundredths,
  Mark,       // the tick or cross
  Entry,      // the input box
  Start,      // the start button
  PlayAgain,  // the play-again button
  Picture,    // the reward picture
  Return,     // the return button: the window's own, no engine writes it
  Count
};

inline constexpr std::size_t kRoleCount = static_cast<std::size_t>(Role::Count);

// The screen as the engine sees it. Calls come in the order the pupil would see the effects.
class ChallengeView {
 public:
  virtual ~ChallengeView() = default;
  virtual void SetText(Role control, std::string_view text) = 0;
  virtual std::string_view Text(Role control) = 0;
  virtual void SetEnabled(Role control, bool enabled) = 0;
  virtual void SetVisible(Role control, bool visible) = 0;
  virtual void Focus(Role control) = 0;
  // Starts (or restarts) the periodic tick, or stops it.
  virtual void SetTicking(bool ticking) = 0;
};

// A view that drops everything: an engine whose window has closed writes here.
class DetachedView final : public ChallengeView {
 public:
  void SetText(Role, std::string_view) override {}
  std::string_view Text(Role) override { return {}; }
  void SetEnabled(Role, bool) override {}
  void SetVisible(Role, bool) override {}
  void Focus(Role) override {}
  void SetTicking(bool) override {}
};

// What the mark shows for an accepted entry and for a wrong one or an end.
inline constexpr std::string_view kMarkAccepted = "√";
inline constexpr std::string_view kMarkWrong = "×";
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
  // Shows and enables the play-again button, and gives it the focus when `focus` is set.
  void OfferPlayAgain(bool focus);
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
