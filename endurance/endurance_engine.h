// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of level 9: count up with no highest number and no corrections for as long as the
// pupil can, with less than 2 seconds between two keys. The best result is the highest count,
// and for equal counts the shortest run.

#include <cstdint>
#include <string_view>

#include "rules/challenge_engine.h"
#include "rules/open_run.h"

namespace numora {

class EnduranceEngine : public ChallengeEngine {
 public:
  static constexpr std::string_view kCaption = "Numora  V2.0 2017-11-22 ";
  // The longest pause between two keys, in milliseconds; a pause this long ends the run.
  static constexpr std::int32_t kPauseLimitMs = 2000;

  explicit EnduranceEngine(DayClock& clock) : ChallengeEngine(clock) {}

  void Load(ChallengeView& view, const Pupil& pupil) override;
  void Start() override;
  void PlayAgain() override;
  // Every key of a run starts the 2-second pause afresh; Backspace, a wrong or empty entry and
  // any key that is no digit or Enter end the run. Keys outside a run are not judged.
  int KeyPress(int code) override;
  void Tick() override;

  // The best count since Load; 0 means none yet.
  std::int32_t BestCount() const { return bestCount_; }
  // The best count's time in hundredths of a second, as the best-time labels show it.
  std::int32_t BestHundredths() const { return bestHundredths_; }

 private:
  void EndByBackspace();
  void EndWrongEntry();
  // The end by a key that is no digit, Enter or backspace, and the end by a pause: the same
  // steps with their own messages.
  void EndRun(std::string_view message);
  // Keeps the run's count and time as the best when the count is higher than the best, or
  // equal and the run shorter.
  void KeepBest(std::int32_t count);
  // Writes the elapsed row for a run that has lasted `ms`.
  void ShowElapsed(std::int32_t ms);
  void CopyElapsedToBest();

  OpenRun run_;
  std::int32_t bestCount_ = 0;
  double startMs_ = 0;
  double intervalStartMs_ = 0;
  std::int32_t bestHundredths_ = 0;
  // The elapsed row as it stands on the screen, kept so that a run's end can copy it into the
  // best time and compare it as a time. Not shown: the row still has the window's first texts.
  bool rowShown_ = false;
  std::int32_t rowSeconds_ = 0;
  std::int32_t rowHundredths_ = 0;  // 0 to 100, as the hundredths field holds it
};

}  // namespace numora
