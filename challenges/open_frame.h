// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame of the open counting and endurance windows: the input box, buttons, last number and
// mark stand in the same places on both, and their numbers may run to four digits. The header
// and message line stand in different places on each screen; a concrete window gives those
// places, then adds its own time rows and best-result block and calls Open.

#include "challenges/challenge_window.h"
#include "challenges/control_builders.h"

namespace numora {

class OpenFrame : public ChallengeWindow {
  Q_OBJECT

 protected:
  // Builds the shared controls, binds them to the engine's controls and sets the tab order.
  OpenFrame(ChallengeEngine& engine, const HeaderLayout& header, QWidget* parent);
};

}  // namespace numora
