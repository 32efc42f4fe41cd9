// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which window plays a level: the window half of the registry of challenges, read by the start
// screen, the window suites and the benchmarks.

#include <array>
#include <memory>

#include "platform/challenge_window.h"
#include "rules/challenge_engine.h"
#include "rules/level_table.h"

class QWidget;

namespace numora {

// Opens a challenge window for the pupil, modal over the parent; returns once it has closed.
using OpenScreen = void (*)(const Pupil& pupil, QWidget* parent);
// One opening function per challenge window, in the order of ChallengeScreen.
using ChallengeScreens = std::array<OpenScreen, 3>;

// The game's own windows: the counting window over one engine for the whole program (its best
// result survives visits), the others over a fresh engine at each opening.
extern const ChallengeScreens kChallengeScreens;

// The one of `screens` that opens the level's window.
inline OpenScreen ScreenOf(const ChallengeScreens& screens, int level) {
  return screens[static_cast<std::size_t>(RuleFor(level).Screen)];
}

// The window of the level, built over `engine` (an engine of that level, see MakeEngineFor) and
// loaded for the pupil; it is not shown.
std::unique_ptr<platform::ChallengeWindow> MakeWindow(ChallengeEngine& engine, const Pupil& pupil,
                                                      QWidget* parent = nullptr);

}  // namespace numora
