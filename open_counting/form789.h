// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "open_counting/open_counting_engine.h"
#include "platform/open_frame.h"
#include "rules/challenge_engine.h"

namespace numora {

// The window of levels 7 and 8: the open frame with a countdown row, a row of the time since the
// latest start and the best count. Every event goes to the engine, which writes the controls.
class Form789 : public platform::OpenFrame {
  Q_OBJECT

 public:
  // Lays out the controls and loads the engine, an OpenCountingEngine, with the pupil's data. The
  // engine must outlive the window.
  Form789(ChallengeEngine& engine, const Pupil& pupil, QWidget* parent = nullptr);
};

}  // namespace numora
