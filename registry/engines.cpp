// SPDX-License-Identifier: GPL-3.0-or-later
#include "registry/engines.h"

#include "registry/challenge_list.h"

namespace numora {

std::unique_ptr<ChallengeEngine> MakeEngine(ChallengeScreen screen, DayClock& clock) {
  std::unique_ptr<ChallengeEngine> engine;
  ForChallenge(screen,
               [&]<class Row>(Row) { engine = std::make_unique<typename Row::Engine>(clock); });
  return engine;
}

}  // namespace numora
