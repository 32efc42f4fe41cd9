// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of levels 7 and 8: count up with no highest number and no corrections within the
// level's time limit, which runs from the first start of a visit over all of its runs.

#include <cstdint>

#include "open_counting/open_run_engine.h"

namespace numora {

class OpenCountingEngine : public OpenRunEngine {
 public:
  explicit OpenCountingEngine(DayClock& clock) : OpenRunEngine(clock) {}

  void Load(ChallengeView& view, const Pupil& pupil) override;
  void Start() override;
  void PlayAgain() override;
  void Tick() override;

 private:
  void EndByBackspace() override;
  // Anything else is simply not taken.
  void OtherKey() override {}
  void UpdateBest() override;
  void StopTimingOnWrongEntry() override;

  std::int32_t timeLimitMs_ = 0;
  bool clockStarted_ = false;
  double startMs_ = 0;
  double intervalStartMs_ = 0;
  bool intervalFrozen_ = false;
};

}  // namespace numora
