// SPDX-License-Identifier: GPL-3.0-or-later
// Where things are on the game's windows, from the game's own code, for scripts that drive the
// real binary (scripts/measure.sh, scripts/key_latency.sh).
//
//   layout_probe NAME...            builds the start screen as the game does and prints
//       window WIDTH HEIGHT
//       face FAMILY                 the installed face of the start screen's Chinese texts
//       NAME X Y                    for each object name asked for: its centre in the window
//   layout_probe -l LEVEL NAME...   builds the challenge window of LEVEL and prints
//       window WIDTH HEIGHT
//       box X Y W H                 its input box Text1
//       cursor X Y W H              what a blink of the box's text cursor repaints, wherever
//                                   typing puts the cursor
//       watch X Y W H               the larger part of the box beside that strip: what a key
//                                   changes and the blinking never does
//       NAME X Y                    as above
// All in the window's pixels. An object name that is not there is an error, so that a changed
// layout stops the measurement instead of clicking beside the control.
#include <QApplication>
#include <QLineEdit>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/clock.h"
#include "platform/layout.h"
#include "registry/engines.h"
#include "registry/screens.h"
#include "start/form0.h"

namespace {

void PrintRect(const char* what, const QRect& r) {
  std::printf("%s %d %d %d %d\n", what, r.x(), r.y(), r.width(), r.height());
}

// Prints the centres of the named controls; false when one is missing.
bool PrintCentres(const QWidget& window, int count, char** names) {
  for (int i = 0; i < count; ++i) {
    const auto* widget = window.findChild<QWidget*>(QString::fromLocal8Bit(names[i]));
    if (!widget) {
      std::fprintf(stderr, "no control named %s on that window\n", names[i]);
      return false;
    }
    const QPoint centre = widget->mapTo(&window, widget->rect().center());
    std::printf("%s %d %d\n", names[i], centre.x(), centre.y());
  }
  return true;
}

int ProbeStart(int count, char** names) {
  numora::Form0 form;
  std::printf("window %d %d\n", form.width(), form.height());
  std::printf("face %s\n", numora::platform::InstalledFamily(numora::platform::Face::SimHei));
  return PrintCentres(form, count, names) ? 0 : 1;
}

int ProbeChallenge(int level, int count, char** names) {
  const numora::Pupil pupil{static_cast<std::int16_t>(level), "小明", ""};
  std::unique_ptr<numora::ChallengeEngine> engine =
      numora::MakeEngineFor(level, numora::platform::AppClock());
  std::unique_ptr<numora::ChallengeWindow> window = numora::MakeWindow(*engine, pupil);
  auto* box = window->findChild<QLineEdit*>(QStringLiteral("Text1"));
  if (!box) {
    std::fprintf(stderr, "the level %d window has no input box\n", level);
    return 1;
  }
  const QRect boxRect(box->mapTo(window.get(), QPoint(0, 0)), box->size());
  // Where the cursor stands as the numbers grow: the box places its text, and with it the
  // cursor, only as it paints.
  QRect cursor;
  QString text;
  for (int digits = 0; digits <= 6; ++digits) {
    box->setText(text);
    box->end(false);
    box->grab();
    const QRect at = box->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    cursor |= QRect(box->mapTo(window.get(), at.topLeft()), at.size());
    text += QChar(u'1' + digits);
  }
  cursor = QRect(cursor.x(), boxRect.y(), cursor.width(), boxRect.height());
  const int left = cursor.left() - boxRect.left();
  const int right = boxRect.right() - cursor.right();
  const QRect watch = left >= right
                          ? QRect(boxRect.x(), boxRect.y(), left, boxRect.height())
                          : QRect(cursor.right() + 1, boxRect.y(), right, boxRect.height());
  std::printf("window %d %d\n", window->width(), window->height());
  PrintRect("box", boxRect);
  PrintRect("cursor", cursor);
  PrintRect("watch", watch);
  return PrintCentres(*window, count, names) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  numora::platform::InstallFontSubstitutions();
  if (argc >= 3 && std::strcmp(argv[1], "-l") == 0) {
    return ProbeChallenge(std::atoi(argv[2]), argc - 3, argv + 3);
  }
  return ProbeStart(argc - 1, argv + 1);
}
