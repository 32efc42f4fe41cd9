// SPDX-License-Identifier: GPL-3.0-or-later
#include "challenges/windows.h"

#include "counting/form1.h"
#include "endurance/form9.h"
#include "open_counting/form789.h"

namespace numora {

const ChallengeScreens kChallengeScreens = {&ShowForm1, &ShowForm789, &ShowForm9};

std::unique_ptr<platform::ChallengeWindow> MakeWindow(ChallengeEngine& engine, const Pupil& pupil,
                                                      QWidget* parent) {
  switch (RuleFor(pupil.GameLevel).Screen) {
    case ChallengeScreen::Form1:
      return std::make_unique<Form1>(engine, pupil, parent);
    case ChallengeScreen::Form789:
      return std::make_unique<Form789>(engine, pupil, parent);
    case ChallengeScreen::Form9:
      return std::make_unique<Form9>(engine, pupil, parent);
  }
  return nullptr;
}

}  // namespace numora
