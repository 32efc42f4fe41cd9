// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/layout.h"

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPalette>
#include <QWidget>
#include <array>
#include <cstring>
#include <vector>

#include "platform/cut_faces.h"
#include "platform/qt_version.h"

namespace numora::platform {

QRect ToPixels(const TwipRect& r) {
  return {TwipsToPixels(r.Left), TwipsToPixels(r.Top), TwipsToPixels(r.Width),
          TwipsToPixels(r.Height)};
}

void Place(QWidget* widget, const TwipRect& r) {
  widget->setGeometry(ToPixels(r));
}

namespace {

// The families that can stand for each face, best first; the last is the substitute the layout
// is also made for, shipped with Debian (fonts-noto-cjk, fonts-liberation2).
std::vector<const char*> Candidates(Face face) {
  switch (face) {
#ifdef Q_OS_WIN
    // The design's own faces come with Chinese Windows. Microsoft YaHei comes with every
    // Windows since Vista, Chinese or not, so a CJK face is found without bundling one.
    case Face::SimSun:
      return {"SimSun", "Microsoft YaHei", "Noto Serif CJK SC"};
    case Face::SimHei:
      return {"SimHei", "Microsoft YaHei", "Noto Sans CJK SC"};
    case Face::Arial:
      return {"Arial", "Liberation Sans"};
    case Face::ArialBlack:
      return {"Arial Black", "Liberation Sans"};
#else
    case Face::SimSun:
      return {"Noto Serif CJK SC"};
    case Face::SimHei:
      return {"Noto Sans CJK SC"};
    case Face::Arial:
    case Face::ArialBlack:
      return {"Liberation Sans"};
#endif
  }
  return {"Noto Sans CJK SC"};
}

const char* ChooseFamilyOf(Face face, const QStringList& installed) {
  const std::vector<const char*> candidates = Candidates(face);
  for (const char* family : candidates) {
    if (installed.contains(QLatin1String(family), Qt::CaseInsensitive)) return family;
  }
  return candidates.back();
}

// Whether a family has the weights the design asks for, black included, rather than standing
// in for a face with fewer.
bool HasDesignWeights(Face face, const char* family) {
  return std::strcmp(family, Candidates(face).back()) != 0;
}

}  // namespace

QStringList FamilyCandidates(Face face) {
  QStringList candidates;
  for (const char* family : Candidates(face)) candidates << QString::fromLatin1(family);
  return candidates;
}

QString ChooseFamily(Face face, const QStringList& installed) {
  return QString::fromLatin1(ChooseFamilyOf(face, installed));
}

const char* InstalledFamily(Face face) {
  // Asked once per face: the installed fonts do not change while the game runs. Before there
  // is a font database (no application object yet) the answer is the substitute, not kept.
  static std::array<const char*, 4> chosen{};
  const auto index = static_cast<std::size_t>(face);
  if (!chosen[index]) {
    if (Candidates(face).size() == 1) return Candidates(face).front();
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
      return Candidates(face).back();
    }
    chosen[index] = ChooseFamilyOf(face, InstalledFamilies());
  }
  return chosen[index];
}

QFont MakeFont(Face face, double points, int weight, bool underline) {
  const QString installed = QString::fromLatin1(InstalledFamily(face));
  QFont font(installed);
  // The face cut to the game's own texts first; the installed face for any other character.
  if (const QString cut = CutFamilyFor(installed); !cut.isEmpty()) {
    font.setFamilies({cut, installed});
  }
  font.setPointSizeF(points);
  if (HasDesignWeights(face, InstalledFamily(face))) {
    // The design's faces have the weights it asks for (Arial Black is black at 900).
    font.setWeight(FontWeight(weight));
  } else {
    // No substitute has a black weight; bold is the heaviest there is.
    font.setWeight(FontWeight(weight >= 700 ? 700 : 400));
  }
  font.setUnderline(underline);
  font.setStyleStrategy(QFont::PreferAntialias);
  // Light hinting, as Debian's fontconfig sets it, wherever FreeType draws (Windows' offscreen
  // platform defaults to full hinting, which moves ink by a pixel); GDI ignores it.
  font.setHintingPreference(QFont::PreferVerticalHinting);
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
