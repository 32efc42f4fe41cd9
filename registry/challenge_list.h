// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The registry of challenges: each challenge screen once, with the levels it plays (its
// ChallengeScreen in the level table), its engine, its window (whose table of roles and caption
// it brings) and how long its engine lives. Engine-making (engines.h), window-making and the
// start screen's choice (screens.h) all read this one list. The windows are only named here, so
// that a build of the engines alone needs no Qt.

#include <tuple>

#include "counting/counting_engine.h"
#include "endurance/endurance_engine.h"
#include "open_counting/open_counting_engine.h"
#include "rules/level_table.h"

namespace numora {

class Form1;
class Form789;
class Form9;

// How long a screen's engine, and with it its best result, lives: the whole program (the
// counting best survives visits) or one visit.
enum class EngineLife { Program, Visit };

template <ChallengeScreen S, class E, class W, EngineLife L>
struct Challenge {
  static constexpr ChallengeScreen kScreen = S;
  using Engine = E;
  using Window = W;
  static constexpr EngineLife kLife = L;
};

using Challenges =
    std::tuple<Challenge<ChallengeScreen::Form1, CountingEngine, Form1, EngineLife::Program>,
               Challenge<ChallengeScreen::Form789, OpenCountingEngine, Form789, EngineLife::Visit>,
               Challenge<ChallengeScreen::Form9, EnduranceEngine, Form9, EngineLife::Visit>>;

// Calls `visit` with the row of the list that plays `screen`.
template <class Visit>
void ForChallenge(ChallengeScreen screen, Visit&& visit) {
  std::apply([&](auto... rows) { ((rows.kScreen == screen ? visit(rows) : void()), ...); },
             Challenges{});
}

}  // namespace numora
