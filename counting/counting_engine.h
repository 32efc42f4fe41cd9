// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of levels 1 to 6: type 1, 2, 3, ... up to 50 times the level, each followed by
// Enter. A wrong number ends the run; the level's time limit runs from the first start of a
// visit over all of its runs; the fastest complete run is the best result of the whole program.

#include <cstdint>

#include "rules/challenge.h"

namespace numora {

class CountingEngine : public ChallengeEngine {
 public:
  // The time left is shown this much shorter than the true time left, so the limit ends early.
  static constexpr std::int32_t kLimitMarginMs = 100;

  explicit CountingEngine(DayClock& clock) : ChallengeEngine(clock) {}

  void Load(ChallengeView& view, const Pupil& pupil) override;
  void Start() override;
  void PlayAgain() override;
  int KeyPress(int code) override;
  void Tick() override;

  // The fastest complete run since the program started, in hundredths of a second; 0 means
  // none yet. Loading the screen again never clears it.
  std::int32_t BestHundredths() const { return best_hundredths_; }
  // The number the pupil must type next; 0 outside a run.
  std::int32_t ExpectedNumber() const { return expected_number_; }

 private:
  void ResetRun();
  void AcceptNumber();
  void EndWrongNumber();
  void UpdateBest();
  void TimeUp();
  std::int32_t MaxNumber() const { return level_ * 50; }
  std::int32_t TimeLimitMs() const;

  std::int16_t level_ = 0;
  std::int32_t expected_number_ = 0;
  bool clock_started_ = false;
  bool run_over_ = false;
  double first_start_ms_ = 0;
  double run_start_ms_ = 0;
  double now_ms_ = 0;
  std::int32_t run_elapsed_ms_ = 0;
  // 32 bits: a complete run of levels 3 to 6 may last longer than 327.67 s.
  std::int32_t best_hundredths_ = 0;
};

}  // namespace numora
