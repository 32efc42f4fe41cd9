// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window of the counting challenge (levels 1 to 6). It lays out the controls and hands
// every event to the CountingEngine, which writes them.

#include <QWidget>

#include "counting/counting_engine.h"
#include "platform/challenge_window.h"
#include "rules/challenge_engine.h"

namespace numora {

class Form1 : public platform::ChallengeWindow {
  Q_OBJECT

 public:
  // Lays out the window and loads it for the pupil; the engine, a CountingEngine, must outlive
  // the window.
  Form1(ChallengeEngine& engine, const Pupil& pupil, QWidget* parent = nullptr);
};

}  // namespace numora
