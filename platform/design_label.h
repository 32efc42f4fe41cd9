// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A label that sets its text as the screens were designed. The installed faces stand in for the
// design's: the CJK ones ask for far taller lines and reach higher above the baseline, which
// would push large digits out of the bottom of labels sized for the originals, and their digits
// are wider. A DesignLabel sets each line as tall as the design's face did, with the baseline
// where that face put it, and then keeps the ink inside the label:
// - text whose ink fits where the design puts it stays there;
// - text whose ink would cross an edge of the label moves in just far enough to fit whole;
// - text whose ink is taller than the label is centred on it, cut evenly at both ends; a line
//   wider than the label keeps its alignment.
// A CJK line keeps the room of a full-height character ("国"), so that the baseline of a label
// does not jump with the text it shows.

#include <QHash>
#include <QLabel>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <vector>

#include "platform/layout.h"

namespace numora::platform {

class DesignLabel : public QLabel {
  Q_OBJECT

 public:
  DesignLabel(const QString& text, Face face, QWidget* parent);

  Face face() const { return face_; }

  // A one-pixel frame in `color` along the label's edge (an invalid colour: none); the text is
  // set inside it. Scaled, the frame lies on the whole device pixels just inside the label's
  // edges, one pixel wide per whole step of the scale, so that no scale loses an edge.
  void SetFrameColor(const QColor& color);
  QColor FrameColor() const { return frame_; }

  // Makes the label a button: it reports a click when the left button is released over it.
  void MakeClickable(const QCursor& cursor);

  // One line of text as the label draws it: its characters and the left end of its baseline.
  struct Line {
    QString Text;
    QPointF Origin;
  };
  // How the label sets `text` at its present size and font: one line, or more with word wrap.
  std::vector<Line> SetLines(const QString& text) const;
  // The left end of the first line's baseline.
  QPointF TextOrigin(const QString& text) const;

  // The area the text is set in: inside the frame, if there is one.
  QRect TextArea() const;

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  Face face_;
  QColor frame_;
  bool clickable_ = false;
  bool pressed_ = false;

  // SetLines of the texts painted lately, kept while the font, size and alignment stay: a
  // running clock paints the same hundred texts over and over.
  const std::vector<Line>& LinesToPaint(const QString& text);
  struct SetKey {
    QFont Font;
    QSize Size;
    Qt::Alignment Align;
    bool Wrap = false;
    bool Framed = false;
    int Dpi = 0;
    bool operator==(const SetKey&) const = default;
  };
  SetKey setKey_;
  QHash<QString, std::vector<Line>> painted_;
};

// The size of the font's em square in pixels on the device.
double EmPixels(const QFont& font, const QPaintDevice& device);

// Narrows the widget's font by its stretch, if need be, so that `sample` takes no more than
// `width` pixels: the installed faces set digits wider than the design's.
void FitTextWidth(QWidget* widget, const QString& sample, double width);

// Narrows the widget's font to digits half an em wide, as the design's CJK faces set them.
void FitDesignDigits(QWidget* widget);

// Scales the label's font down, if need be, in quarter points, until the ink of each sample fits
// inside the label: for the few texts the installed faces draw larger than the label holds.
void ShrinkToFit(QLabel* label, const QStringList& samples);

}  // namespace numora::platform
