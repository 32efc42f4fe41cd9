// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/cut_faces.h"

#include <QByteArray>
#include <QFontDatabase>
#include <QHash>

namespace numora::platform {

namespace {

QHash<QString, QString>& Loaded() {
  static QHash<QString, QString> cutFor;  // installed family -> cut family
  return cutFor;
}

}  // namespace

void LoadCutFaces() {
  for (const CutFace& face : CutFaces()) {
    // The data lives as long as the program: Qt reads it in place, copying nothing.
    const int id = QFontDatabase::addApplicationFontFromData(
        QByteArray::fromRawData(reinterpret_cast<const char*>(face.Data), face.Size));
    const QString family = QString::fromLatin1(face.Family);
    if (id >= 0 && QFontDatabase::applicationFontFamilies(id).contains(family)) {
      Loaded().insert(QString::fromLatin1(face.Installed), family);
    }
  }
}

QString CutFamilyFor(const QString& installed) {
  return Loaded().value(installed);
}

}  // namespace numora::platform
