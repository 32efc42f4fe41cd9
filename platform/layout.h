// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Screens are laid out in twips (1/1440 inch) with the faces of the original design. This is
// the one place that turns those into pixels and installed fonts.

#include <QColor>
#include <QFont>
#include <QRect>

class QWidget;

namespace numora::platform {

// 15 twips are one pixel at 96 dots per inch.
constexpr int TwipsToPixels(int twips) {
  // Round half away from zero so that negative positions mirror positive ones.
  return twips >= 0 ? (twips + 7) / 15 : -((-twips + 7) / 15);
}

struct TwipRect {
  int Left, Top, Width, Height;
};

QRect ToPixels(const TwipRect& r);
// Places a widget at its twip position and size.
void Place(QWidget* widget, const TwipRect& r);

enum class Face { SimSun, SimHei, Arial, ArialBlack };

// The design's face at a size in points; weight 700 is bold, 900 black.
QFont MakeFont(Face face, double points, int weight = 400, bool underline = false);

// The installed family that stands in for a face of the design.
const char* InstalledFamily(Face face);

// The families that can stand for a face, best first: on Windows the design's own face before
// the substitutes the layout is also made for; elsewhere only the substitutes.
QStringList FamilyCandidates(Face face);

// The first of the candidates that is among `installed` (families as the font database names
// them, in any letter case); the last candidate when none is.
QString ChooseFamily(Face face, const QStringList& installed);

// Maps the design's face names (also their Chinese names) to installed faces with CJK glyphs.
// Call once, before the first widget is made.
void InstallFontSubstitutions();

// Colours of the design.
inline const QColor kRed{255, 0, 0};
inline const QColor kBlue{0, 0, 255};
inline const QColor kDarkBlue{0, 0, 192};
inline const QColor kLightGreen{128, 255, 128};
inline const QColor kGrey{192, 192, 192};
inline const QColor kRuleGrey{128, 128, 128};

// Sets a widget's text colour (and background when valid) through its palette.
void SetColors(QWidget* widget, const QColor& text, const QColor& background = QColor());

}  // namespace numora::platform
