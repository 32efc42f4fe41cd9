// SPDX-License-Identifier: GPL-3.0-or-later
#include "challenges/engines.h"

#include "counting/counting_engine.h"
#include "endurance/endurance_engine.h"
#include "open_counting/open_counting_engine.h"

namespace numora {

std::unique_ptr<ChallengeEngine> MakeEngine(ChallengeScreen screen, DayClock& clock) {
  switch (screen) {
    case ChallengeScreen::Form1:
      return std::make_unique<CountingEngine>(clock);
    case ChallengeScreen::Form789:
      return std::make_unique<OpenCountingEngine>(clock);
    case ChallengeScreen::Form9:
      return std::make_unique<EnduranceEngine>(clock);
  }
  return nullptr;
}

}  // namespace numora
