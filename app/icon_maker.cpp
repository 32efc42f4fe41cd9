// SPDX-License-Identifier: GPL-3.0-or-later
// Build tool: writes the game's icon as PNG files for the desktop, one per side asked for.
//   numora_icon_maker <directory> <side>...   writes <directory>/<side>.png

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>

#include "platform/art.h"

int main(int argc, char** argv) {
  // Pictures only: no display is needed to draw them.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() < 3) {
    std::fprintf(stderr, "usage: numora_icon_maker <directory> <side>...\n");
    return 2;
  }
  const QDir directory(args[1]);
  if (!QDir().mkpath(directory.path())) {
    std::fprintf(stderr, "cannot make %s\n", qPrintable(directory.path()));
    return 1;
  }
  for (qsizetype i = 2; i < args.size(); ++i) {
    bool number = false;
    const int side = args[i].toInt(&number);
    if (!number || side < 1 || side > 1024) {
      std::fprintf(stderr, "not a side: %s\n", qPrintable(args[i]));
      return 2;
    }
    const QString file = directory.filePath(QStringLiteral("%1.png").arg(side));
    if (!numora::platform::IconPicture(side).save(file, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
