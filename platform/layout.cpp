// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/layout.h"

#include <QFont>
#include <QPalette>
#include <QWidget>

#include "platform/cut_faces.h"

namespace numora::platform {

QRect ToPixels(const TwipRect& r) {
  return {TwipsToPixels(r.Left), TwipsToPixels(r.Top), TwipsToPixels(r.Width),
          TwipsToPixels(r.Height)};
}

void Place(QWidget* widget, const TwipRect& r) {
  widget->setGeometry(ToPixels(r));
}

const char* InstalledFamily(Face face) {
  switch (face) {
    case Face::SimSun:
      return "Noto Serif CJK SC";
    case Face::SimHei:
      return "Noto Sans CJK SC";
    case Face::Arial:
    case Face::ArialBlack:
      return "Liberation Sans";
  }
  return "Noto Sans CJK SC";
}

QFont MakeFont(Face face, double points, int weight, bool underline) {
  const QString installed = QString::fromLatin1(InstalledFamily(face));
  QFont font(installed);
  // The face cut to the game's own texts first; the installed face for any other character.
  if (const QString cut = CutFamilyFor(installed); !cut.isEmpty()) {
    font.setFamilies({cut, installed});
  }
  font.setPointSizeF(points);
  // No installed face has a black weight; bold is the heaviest there is.
  font.setWeight(weight >= 700 ? QFont::Bold : QFont::Normal);
  font.setUnderline(underline);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

void InstallFontSubstitutions() {
  LoadCutFaces();
  const QString sans = QString::fromLatin1(InstalledFamily(Face::SimHei));
  const QString serif = QString::fromLatin1(InstalledFamily(Face::SimSun));
  const QString latin = QString::fromLatin1(InstalledFamily(Face::Arial));
  QFont::insertSubstitutions(QStringLiteral("SimHei"), {sans});
  QFont::insertSubstitutions(QStringLiteral("黑体"), {sans});
  QFont::insertSubstitutions(QStringLiteral("SimSun"), {serif, sans});
  QFont::insertSubstitutions(QStringLiteral("宋体"), {serif, sans});
  QFont::insertSubstitutions(QStringLiteral("Arial"), {latin, sans});
  QFont::insertSubstitutions(QStringLiteral("Arial Black"), {latin, sans});
  // Latin faces lack the CJK glyphs; let them fall back to the CJK sans face.
  QFont::insertSubstitutions(latin, {sans});
}

void SetColors(QWidget* widget, const QColor& text, const QColor& background) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::ButtonText, text);
  if (background.isValid()) {
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::Base, background);
    widget->setAutoFillBackground(true);
  }
  widget->setPalette(palette);
}

}  // namespace numora::platform
