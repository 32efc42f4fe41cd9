// SPDX-License-Identifier: GPL-3.0-or-later
// Build tool: writes the game's icon as PNG files for the desktop, one per side asked for; the
// pictures the game embeds instead of drawing them at each start (challenges/art.cpp), as raw
// premultiplied ARGB pixels: the icon at each side and the start screen's picture; or one
// Windows icon file holding every side.
//   numora_icon_maker <directory> <side>...
//     writes <directory>/<side>.png and <side>.argb for each side, and title.argb
//   numora_icon_maker --ico <file> <side>...   writes <file>, an .ico of PNG images

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QtEndian>
#include <cstdio>

#include "challenges/art.h"

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

// An .ico file: a directory of the images, then each image as a PNG (Windows reads those in
// icons since Vista). A side of 256 is written as 0 in the directory's one-byte fields.
QByteArray IcoOf(const QList<int>& sides) {
  QList<QByteArray> images;
  for (int side : sides) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    numora::IconPicture(side).save(&buffer, "PNG");
    images << png;
  }
  QByteArray ico;
  auto put16 = [&ico](quint16 v) { ico.append(reinterpret_cast<const char*>(&v), 2); };
  auto put32 = [&ico](quint32 v) { ico.append(reinterpret_cast<const char*>(&v), 4); };
  put16(qToLittleEndian<quint16>(0));  // reserved
  put16(qToLittleEndian<quint16>(1));  // an icon, not a cursor
  put16(qToLittleEndian<quint16>(quint16(sides.size())));
  quint32 offset = 6 + 16 * quint32(sides.size());
  for (qsizetype i = 0; i < sides.size(); ++i) {
    const char side = char(sides[i] >= 256 ? 0 : sides[i]);
    ico.append(side).append(side).append('\0').append('\0');  // width, height, no palette
    put16(qToLittleEndian<quint16>(1));                       // colour planes
    put16(qToLittleEndian<quint16>(32));                      // bits per pixel
    put32(qToLittleEndian<quint32>(quint32(images[i].size())));
    put32(qToLittleEndian<quint32>(offset));
    offset += quint32(images[i].size());
  }
  for (const QByteArray& image : images) ico += image;
  return ico;
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
  if (args[1] == QLatin1String("--ico")) {
    QList<int> sides;
    for (qsizetype i = 3; i < args.size(); ++i) {
      const int side = args[i].toInt();
      if (side < 1 || side > 256) {
        std::fprintf(stderr, "not an icon side: %s\n", qPrintable(args[i]));
        return 2;
      }
      sides << side;
    }
    QFile file(args.size() > 2 ? args[2] : QString());
    if (sides.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(IcoOf(sides)) < 0) {
      std::fprintf(stderr, "cannot write the icon file\n");
      return 1;
    }
    return 0;
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
    const QPixmap icon = numora::IconPicture(side);
    if (!icon.save(file, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
      return 1;
    }
    if (!WriteRaw(icon, directory.filePath(QStringLiteral("%1.argb").arg(side)))) return 1;
  }
  if (!WriteRaw(numora::TitlePicture(), directory.filePath(QStringLiteral("title.argb")))) {
    return 1;
  }
  return 0;
}
