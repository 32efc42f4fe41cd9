// SPDX-License-Identifier: GPL-3.0-or-later
// Where things are on the start screen, from the game's own code, for scripts that drive the
// real binary (scripts/measure.sh): builds the start screen as the game does and prints
//   window WIDTH HEIGHT
//   face FAMILY            the installed face of the start screen's Chinese texts
//   NAME X Y               for each object name asked for: its centre in the window's pixels
// An object name that is not there is an error, so that a changed layout stops the measurement
// instead of clicking beside the control.
#include <QApplication>
#include <QWidget>
#include <cstdio>

#include "platform/layout.h"
#include "start/form0.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  numora::platform::InstallFontSubstitutions();
  numora::Form0 form;
  std::printf("window %d %d\n", form.width(), form.height());
  std::printf("face %s\n", numora::platform::InstalledFamily(numora::platform::Face::SimHei));
  for (int i = 1; i < argc; ++i) {
    const auto* widget = form.findChild<QWidget*>(QString::fromLocal8Bit(argv[i]));
    if (!widget) {
      std::fprintf(stderr, "no control named %s on the start screen\n", argv[i]);
      return 1;
    }
    const QPoint centre = widget->mapTo(&form, widget->rect().center());
    std::printf("%s %d %d\n", argv[i], centre.x(), centre.y());
  }
  return 0;
}
