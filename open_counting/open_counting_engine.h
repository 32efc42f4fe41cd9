// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of levels 7 and 8: count up with no highest number and no corrections within the
// level's time limit, which runs from the first start of a visit over all of its runs.

#include <cstdint>

#include "rules/challenge_engine.h"
#include "rules/open_run.h"

namespace numora {

class OpenCountingEngine : public ChallengeEngine {
 public:
  explicit OpenCountingEngine(DayClock& clock) : ChallengeEngine(clock) {}

  void Load(ChallengeView& view, const Pupil& pupil) override;
  void Start() override;
  void PlayAgain() override;
  // Backspace and a wrong or empty entry end the run; any other key that is no digit or Enter
  // is simply not taken. Keys outside a run are not judged.
  int KeyPress(int code) override;
  void Tick() override;

  // The best count since Load; 0 means none yet.
  std::int32_t BestCount() const { return bestCount_; }

 private:
  void EndByBackspace();
  void EndWrongEntry();
  // Takes `count` as the best when there is none yet or it is higher.
  void KeepBest(std::int32_t count);

  OpenRun run_;
  std::int32_t bestCount_ = 0;
  std::int32_t timeLimitMs_ = 0;
  bool clockStarted_ = false;
  double startMs_ = 0;
  double intervalStartMs_ = 0;
  bool intervalFrozen_ = false;
};

}  // namespace numora
