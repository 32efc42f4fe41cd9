// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which engine plays a level, as the registry of challenges lists it; no windows.

#include <memory>

#include "rules/challenge_engine.h"
#include "rules/level_table.h"

namespace numora {

// A new engine of the challenge that plays `screen`, reading time from `clock`.
std::unique_ptr<ChallengeEngine> MakeEngine(ChallengeScreen screen, DayClock& clock);

// A new engine of the challenge that plays the level (RuleFor's row).
inline std::unique_ptr<ChallengeEngine> MakeEngineFor(int level, DayClock& clock) {
  return MakeEngine(RuleFor(level).Screen, clock);
}

}  // namespace numora
