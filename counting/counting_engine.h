// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of levels 1 to 6: type 1, 2, 3, ... up to 50 times the level, each followed by
// Enter. A wrong number ends the run; the level's time limit runs from the first start of a
// visit over all of its runs; the fastest complete run is the best result of the whole program.

#include <cstdint>

#include "rules/challenge_engine.h"

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
  std::int32_t BestHundredths() const { return bestHundredths_; }
  // The number the pupil must type next; 0 outside a run.
  std::int32_t ExpectedNumber() const { return expectedNumber_; }

 private:
  void ResetRun();
  void AcceptNumber();
  void EndWrongNumber();
  void UpdateBest();
  std::int32_t MaxNumber() const;
  std::int32_t TimeLimitMs() const;

  std::int16_t level_ = 0;
  std::int32_t expectedNumber_ = 0;
  bool clockStarted_ = false;
  bool runOver_ = false;
  double firstStartMs_ = 0;
  double runStartMs_ = 0;
  double nowMs_ = 0;
  std::int32_t runElapsedMs_ = 0;
  // 32 bits: a complete run of levels 3 to 6 may last longer than 327.67 s.
  std::int32_t bestHundredths_ = 0;
  bool hasBest_ = false;
};

}  // namespace numora
