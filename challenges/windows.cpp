// SPDX-License-Identifier: GPL-3.0-or-later
#include "challenges/windows.h"

#include "counting/form1.h"
#include "endurance/form9.h"
#include "open_counting/form789.h"
#include "platform/clock.h"

namespace numora {

namespace {

// The counting engine, and with it the best result, lives for the whole program; the window for
// one visit.
void ShowCounting(const Pupil& pupil, QWidget* parent) {
  static CountingEngine engine(platform::AppClock());
  Form1 window(engine, pupil, parent);
  window.exec();
}

// A fresh engine at every opening: no best result is carried over from an earlier visit.
template <class Engine, class Form>
void ShowWithFreshEngine(const Pupil& pupil, QWidget* parent) {
  Engine engine(platform::AppClock());
  Form window(engine, pupil, parent);
  window.exec();
}

}  // namespace

const ChallengeScreens kChallengeScreens = {&ShowCounting,
                                            &ShowWithFreshEngine<OpenCountingEngine, Form789>,
                                            &ShowWithFreshEngine<EnduranceEngine, Form9>};

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
