// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pictures of the clocks' characters (digits, colon, point and the marks), each drawn once per
// font, colour and position within a pixel, so that a frame of the running clocks is a few
// copies of pictures instead of outlines filled anew: Qt fills the outlines of glyphs larger
// than 64 pixels at every paint.

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QPointF>
#include <QString>

class QPainter;

namespace numora::platform {

// True when a font of this many pixels to the em is drawn from pictures.
bool GlyphPicturesServe(double emPixels);
// True when every character of `text` has pictures.
bool GlyphPicturesCover(const QString& text);
// Draws `text` with its baseline at `origin` (whole device pixels) from the pictures of the
// font in the colour, made on first use.
void DrawGlyphPictures(QPainter& painter, const QFont& font, const QColor& color, QPoint dpi,
                       QPointF origin, const QString& text);

// Turns the pictures off or on (on by default). Off, every paint fills the characters' outlines
// afresh; the pixels are the same to within one level of rounding.
void UseGlyphPictures(bool on);
// The memory the pictures made so far take, in bytes.
qsizetype GlyphPictureBytes();

}  // namespace numora::platform
