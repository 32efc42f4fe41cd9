// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the random event checks need to know of each engine: its messages, fields and best.

#include "rules/level_table.h"
#include "tests/support/engine_fuzz.h"
#include "tests/support/game_messages.h"

namespace numora::testing {

inline EngineProfile CountingProfile() {
  return {
      EngineProfile::Best::FastestTime,
      {message::kSuccess, message::kFasterRun, message::kTimeUp},
      {message::kCountingRange},
      3,
      {Role::LowerSeconds, Role::LowerHundredths, Role::Hundredths, Role::Seconds, Role::Minutes},
      {},
      /*bestSurvivesReload=*/true,
      /*tickingWhileEnded=*/true};
}

inline EngineProfile OpenCountingProfile() {
  return {
      EngineProfile::Best::HighestCount,
      {message::kWrongEntry, message::kTimeUp},
      {message::kOpenRange, message::kOpenRecordRange},
      4,
      {Role::LowerSeconds, Role::LowerHundredths, Role::Hundredths, Role::Seconds, Role::Minutes},
      {},
      /*bestSurvivesReload=*/false,
      /*tickingWhileEnded=*/true};
}

inline EngineProfile EnduranceProfile() {
  return {EngineProfile::Best::CountThenTime,
          {message::kWrongEntry, message::kBackspaceEnd, message::kOtherKeyEnd, message::kPauseEnd},
          {},
          4,
          {Role::LowerSeconds, Role::LowerHundredths, Role::Hundredths, Role::Minutes},
          {Role::Seconds},
          /*bestSurvivesReload=*/false,
          /*tickingWhileEnded=*/false};
}

// The profile of the engine that plays `screen`.
inline EngineProfile ProfileFor(ChallengeScreen screen) {
  switch (screen) {
    case ChallengeScreen::Form1:
      return CountingProfile();
    case ChallengeScreen::Form789:
      return OpenCountingProfile();
    case ChallengeScreen::Form9:
      break;
  }
  return EnduranceProfile();
}

}  // namespace numora::testing
