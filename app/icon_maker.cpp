// SPDX-License-Identifier: GPL-3.0-or-later
// Build tool: writes the game's icon as PNG files for the desktop, one per side asked for; and
// the pictures the game embeds instead of drawing them at each start (platform/art.cpp), as raw
// premultiplied ARGB pixels: the icon at each side and the start screen's picture.
//   numora_icon_maker <directory> <side>...
//     writes <directory>/<side>.png and <side>.argb for each side, and title.argb

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <cstdio>

#include "platform/art.h"

namespace {

bool WriteRaw(const QPixmap& picture, const QString& path) {
  const QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()) !=
          image.sizeInBytes()) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

}  // namespace

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
    const QPixmap icon = numora::platform::IconPicture(side);
    if (!icon.save(file, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
      return 1;
    }
    if (!WriteRaw(icon, directory.filePath(QStringLiteral("%1.argb").arg(side)))) return 1;
  }
  if (!WriteRaw(numora::platform::TitlePicture(),
                directory.filePath(QStringLiteral("title.argb")))) {
    return 1;
  }
  return 0;
}
