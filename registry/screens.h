// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which window plays a level, as the registry of challenges lists it (challenge_list.h): read by
// the start screen, the window suites and the benchmarks.

#include <array>
#include <memory>

#include "challenges/challenge_window.h"
#include "rules/challenge_engine.h"
#include "rules/level_table.h"

class QWidget;

namespace numora {

// Opens a challenge window for the pupil, modal over the parent; returns once it has closed.
using OpenScreen = void (*)(const Pupil& pupil, QWidget* parent);
// One opening function per challenge window, in the order of ChallengeScreen.
using ChallengeScreens = std::array<OpenScreen, 3>;

// The game's own windows, each over an engine that lives as long as the registry says.
extern const ChallengeScreens kChallengeScreens;

// The one of `screens` that opens the level's window.
inline OpenScreen ScreenOf(const ChallengeScreens& screens, int level) {
  return screens[static_cast<std::size_t>(RuleFor(level).Screen)];
}

// The window of the level, built over `engine` and loaded for the pupil; it is not shown. Null
// when `engine` is not the level's kind of engine (see MakeEngineFor).
std::unique_ptr<ChallengeWindow> MakeWindow(ChallengeEngine& engine, const Pupil& pupil,
                                            QWidget* parent = nullptr);

}  // namespace numora
