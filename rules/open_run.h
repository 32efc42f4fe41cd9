// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A run of 1, 2, 3, ... with no highest number, each number confirmed by Enter and compared by
// value, no corrections: the part the open counting and endurance engines both hold. It keeps
// the number asked for and judges each key of a run; what ends a run, and what an end does to
// the clock and the best result, is each engine's own.

#include <cstdint>
#include <string_view>

#include "rules/challenge_view.h"

namespace numora {

class OpenRun {
 public:
  static constexpr std::string_view kWrongEntryMessage = "数字输入错误，挑战结束！";

  // What a key typed into the box during a run is.
  enum class Key {
    Digit,      // goes into the box
    Accepted,   // Enter on the number asked for
    Wrong,      // Enter on an empty box, on anything else, or on a number too large to read
    Backspace,  // no corrections
    Other,      // any other key; it never reaches the box
  };

  // The largest entry that can be read (the level's row says); anything above it is wrong.
  void SetLargestEntry(std::int32_t largest) { largestEntry_ = largest; }
  // No run: nothing is asked for.
  void Reset() { expected_ = 0; }
  // A run begins: the number 1 is asked for.
  void Begin() { expected_ = 1; }

  // Judges a key of the run and writes what it shows at once: the message line emptied; for a
  // digit, no mark; for an accepted number, the tick, the number as the last one and an empty
  // box. The ends are left to the engine.
  Key Judge(ChallengeView& view, int code);
  // What the box is handed for the key: the digit, Enter (which adds nothing to a single-line
  // box), or 0 to drop it.
  static int Passed(Key key, int code);

  // The numbers entered right in this run so far; once it has ended, its count.
  std::int32_t Count() const { return expected_ - 1; }

 private:
  // 32 bits, so that a long run goes past the largest 16-bit number without wrapping.
  std::int32_t expected_ = 0;
  std::int32_t largestEntry_ = 0;
};

}  // namespace numora
