// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "endurance/endurance_engine.h"
#include "platform/open_frame.h"
#include "rules/challenge_engine.h"

namespace numora {

// The window of level 9: the open frame with the elapsed row, the row of the time since the
// latest key, and the best count with its time. Every event goes to the engine, which writes the
// controls.
class Form9 : public platform::OpenFrame {
  Q_OBJECT

 public:
  // Lays out the controls and loads the engine, an EnduranceEngine, with the pupil's data. The
  // engine must outlive the window.
  Form9(ChallengeEngine& engine, const Pupil& pupil, QWidget* parent = nullptr);
};

}  // namespace numora
