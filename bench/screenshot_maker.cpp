// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the screenshots of the README: the start screen with a pupil's name and a level picked,
// and each challenge window at a telling moment of play. The windows read a manual day clock that
// this program moves, and the text cursor does not blink, so every run draws the same pictures.
//
//   screenshot_maker DIR     writes DIR/screen-start.png, screen-counting.png,
//                            screen-open-counting.png and screen-endurance.png
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <cstdio>
#include <functional>

#include "platform/clock.h"
#include "platform/layout.h"
#include "platform/qt_version.h"
#include "rules/time_text.h"
#include "start/form0.h"
#include "tests/support/fake_view.h"
#include "tests/support/window_driver.h"

namespace {

using numora::Pupil;
using numora::driving::Click;
using numora::driving::Tick;
using numora::driving::TypeNumber;
using numora::testing::ManualClock;

const char* const kName = "小明";

bool Save(QWidget& window, const QDir& dir, const char* file) {
  QCoreApplication::processEvents();
  const QString path = dir.filePath(QString::fromLatin1(file));
  if (!window.grab().save(path)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

// Opens the challenge window of the level, presses its start button, lets `play` type and tick
// on the clock, then saves the window.
bool ShootChallenge(ManualClock& clock, int level, const QDir& dir, const char* file,
                    const std::function<void(numora::ChallengeWindow&)>& play) {
  auto screen = numora::driving::MakeScreen(Pupil{static_cast<std::int16_t>(level), kName, ""});
  numora::ChallengeWindow& window = screen->Window();
  if (!numora::driving::ShowActive(window)) {
    std::fprintf(stderr, "the level %d window did not come up\n", level);
    return false;
  }
  clock.Advance(1500);
  if (!Click(window, "Command1")) {
    std::fprintf(stderr, "the level %d window has no start button to press\n", level);
    return false;
  }
  play(window);
  return Save(window, dir, file);
}

// Types the numbers first to last, each after a pause that varies a little around `gapMs`, with a
// tick after each.
void PlayNumbers(ManualClock& clock, numora::ChallengeWindow& window, int first, int last,
                 int gapMs) {
  for (int n = first; n <= last; ++n) {
    clock.Advance(gapMs + (n * 53) % 240 - 120);
    TypeNumber(window, n);
    Tick(window);
  }
}

}  // namespace

int main(int argc, char** argv) {
  // Scaled by the screen's dots per inch as the game is, so that a picture taken at 120 or 144
  // dpi shows what a pupil sees there.
  numora::platform::ScaleByScreenDpi();
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
    return 2;
  }
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  numora::platform::InstallFontSubstitutions();
  // The text cursor stays on, so no picture depends on the phase of its blinking.
  QApplication::setCursorFlashTime(0);
  ManualClock clock(numora::DayMillisOf(10, 0, 0, 0));
  numora::platform::ReplaceDayClock(&clock);

  bool ok = true;
  {
    numora::Form0 start;
    if (!numora::driving::ShowActive(start)) {
      std::fprintf(stderr, "the start screen did not come up\n");
      return 1;
    }
    start.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QString::fromUtf8(kName));
    start.PickLevel(3);
    ok = Save(start, dir, "screen-start.png") && ok;
  }
  // Level 1, a complete run of 1 to 50.
  ok = ShootChallenge(clock, 1, dir, "screen-counting.png",
                      [&](auto& window) { PlayNumbers(clock, window, 1, 50, 700); }) &&
       ok;
  // Level 7 in the middle of a run.
  ok = ShootChallenge(clock, 7, dir, "screen-open-counting.png",
                      [&](auto& window) {
                        PlayNumbers(clock, window, 1, 37, 800);
                        clock.Advance(430);
                        Tick(window);
                      }) &&
       ok;
  // Level 9: a run of 42 numbers that ends by a pause of 2 seconds.
  ok = ShootChallenge(clock, 9, dir, "screen-endurance.png",
                      [&](auto& window) {
                        PlayNumbers(clock, window, 1, 42, 900);
                        for (int waited = 0; waited <= 2100 && Tick(window); waited += 7) {
                          clock.Advance(7);
                        }
                      }) &&
       ok;
  numora::platform::ReplaceDayClock(nullptr);
  return ok ? 0 : 1;
}
