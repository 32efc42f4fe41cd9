// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the open counting and endurance engines have in common: a run of 1, 2, 3, ... with no
// highest number, each number confirmed by Enter and compared by value, no corrections. The
// board is cleared the same way before a run, and a wrong or empty entry ends a run by the same
// steps; only what that end does to the clock and to the best result differs.

#include <cstdint>
#include <string_view>

#include "rules/challenge_engine.h"

namespace numora {

class OpenRunEngine : public ChallengeEngine {
 public:
  static constexpr std::string_view kWrongEntryMessage = "数字输入错误，挑战结束！";

  // A key typed into the open box: clears the message, then Backspace ends the run, Enter
  // confirms the entry, a digit goes into the box and any other key is left to OtherKey. Keys
  // outside a run are not judged. Returns the key to hand on to the box.
  int KeyPress(int code) override;

  // The best count since Load; 0 means none yet.
  std::int32_t BestCount() const { return bestCount_; }

 protected:
  explicit OpenRunEngine(DayClock& clock) : ChallengeEngine(clock) {}

  // Clears the board before a run.
  void ResetRun();
  // Ends the run on an entry that is empty, not a number up to `maxEntry_`, or not the expected
  // number.
  void EndWrongDigit();
  // Enter in the input box: accepts the entry when it spells the expected number, otherwise ends
  // the run. Returns the key to hand on to the box.
  int ConfirmEntry();
  // The common first steps of Load: the header labels, an empty result board, no play-again
  // button, the board cleared.
  void LoadBoard(const Pupil& pupil);
  // The common last steps of Start: an empty message line, the box open for the number 1, the
  // start button disabled (the focus passes on to the box).
  void BeginRun();
  // The common steps of PlayAgain up to the time rows.
  void PrepareNextRun();

  // The number asked for next; after an end, the run's count. 32 bits, so that a long run goes
  // past the largest 16-bit number without wrapping.
  std::int32_t expected_ = 0;
  // The largest entry that can be read, from the level's row; anything above it is a wrong
  // entry.
  std::int32_t maxEntry_ = 0;
  std::int32_t bestCount_ = 0;

 private:
  // Turns the expected number into the run's count and keeps the best result.
  virtual void UpdateBest() = 0;
  // What a wrong entry does to the clock, between disabling the box and the best result.
  virtual void StopTimingOnWrongEntry() = 0;
  // No corrections: Backspace ends the run, each engine with its own message.
  virtual void EndByBackspace() = 0;
  // A key that is neither a digit, Enter nor Backspace; it never reaches the box.
  virtual void OtherKey() = 0;
  // Whatever an engine does for every key of a run, before the key is judged.
  virtual void KeyTaken() {}
};

}  // namespace numora
