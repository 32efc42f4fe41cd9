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

// The controls an engine writes, named as on the screens. Mark is element 10 of the one-element
// control array Label9. Caption is the window's title.
enum class Ctl : std::uint8_t {
  Caption,
  Label1,
  Label2,
  Label3,
  Label4,
  Label6,
  Label8,
  Label11,
  Label12,
  Label13,
  Label14,
  Label15,
  Label17,
  Label19,
  Label21,
  Label23,
  Mark,
  Text1,
  Command1,
  Command3,
  Picture1,
  Count
};

inline constexpr std::size_t kCtlCount = static_cast<std::size_t>(Ctl::Count);

// The screen as the engine sees it. Calls come in the order the pupil would see the effects.
class ChallengeView {
 public:
  virtual ~ChallengeView() = default;
  virtual void SetText(Ctl control, std::string_view text) = 0;
  virtual std::string_view Text(Ctl control) = 0;
  virtual void SetEnabled(Ctl control, bool enabled) = 0;
  virtual void SetVisible(Ctl control, bool visible) = 0;
  virtual void Focus(Ctl control) = 0;
  // Starts (or restarts) the periodic tick, or stops it.
  virtual void SetTicking(bool ticking) = 0;
};

// A view that drops everything: an engine whose window has closed writes here.
class DetachedView final : public ChallengeView {
 public:
  void SetText(Ctl, std::string_view) override {}
  std::string_view Text(Ctl) override { return {}; }
  void SetEnabled(Ctl, bool) override {}
  void SetVisible(Ctl, bool) override {}
  void Focus(Ctl) override {}
  void SetTicking(bool) override {}
};

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
  void Detach() { view_ = &detached_; }

 protected:
  void Bind(ChallengeView& view) { view_ = &view; }
  ChallengeView& view() { return *view_; }
  double Now() { return clock_->DayMillis(); }

 private:
  DayClock* clock_;
  DetachedView detached_;
  ChallengeView* view_ = &detached_;
};

}  // namespace numora
