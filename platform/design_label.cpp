// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/design_label.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

#include "platform/glyph_pictures.h"

namespace numora::platform {

namespace {

// How the design's face sets a line, in ems: where the baseline lies below the top of the line,
// and how tall the line is.
struct LineMetrics {
  double Ascent;
  double Height;
};

bool IsCjk(Face face) {
  return face == Face::SimSun || face == Face::SimHei;
}

LineMetrics DesignLineOf(Face face) {
  switch (face) {
    case Face::SimSun:
    case Face::SimHei:
      // A line is one em square; the installed faces put its top 0.88 em above the baseline.
      return {0.88, 1.0};
    case Face::Arial:
      return {1854.0 / 2048, (1854.0 + 434.0) / 2048};
    case Face::ArialBlack:
      return {2254.0 / 2048, (2254.0 + 634.0) / 2048};
  }
  return {1.0, 1.0};
}

// The lines `text` breaks into in `width` pixels: word wrap as in a paragraph, no wrap at all
// for a one-line label.
QStringList BreakLines(const QString& text, const QFont& font, double width, bool wrap) {
  if (!wrap) return {text};
  QTextLayout layout(text, font);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  QStringList lines;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    lines << text.mid(line.textStart(), line.textLength());
  }
  layout.endLayout();
  return lines;
}

// Fills a frame along the inside of `rect` on whole device pixels. A line one logical pixel
// wide falls between device pixels at a scale such as 1.04 or 1.5, where the widget's clip,
// rounded on its own, may leave it out: the pixels wholly inside the rect are always the
// widget's own.
void DrawFrame(QPainter& painter, const QRect& rect, const QColor& color) {
  const QTransform toDevice = painter.deviceTransform();
  constexpr double kSlack = 1e-3;
  const QRectF exact = toDevice.mapRect(QRectF(rect));
  const int left = static_cast<int>(std::ceil(exact.left() - kSlack));
  const int top = static_cast<int>(std::ceil(exact.top() - kSlack));
  const int right = static_cast<int>(std::floor(exact.right() + kSlack));
  const int bottom = static_cast<int>(std::floor(exact.bottom() + kSlack));
  const int line = std::max(1, static_cast<int>(std::floor(toDevice.m22() + kSlack)));
  if (right - left < 2 * line || bottom - top < 2 * line) return;
  painter.save();
  painter.setWorldTransform(toDevice.inverted(), true);
  painter.fillRect(QRect(left, top, right - left, line), color);
  painter.fillRect(QRect(left, bottom - line, right - left, line), color);
  painter.fillRect(QRect(left, top, line, bottom - top), color);
  painter.fillRect(QRect(right - line, top, line, bottom - top), color);
  painter.restore();
}

}  // namespace

DesignLabel::DesignLabel(const QString& text, Face face, QWidget* parent)
    : QLabel(text, parent), face_(face) {}

void DesignLabel::SetFrameColor(const QColor& color) {
  frame_ = color;
  update();
}

void DesignLabel::MakeClickable(const QCursor& cursor) {
  clickable_ = true;
  setCursor(cursor);
}

QRect DesignLabel::TextArea() const {
  return frame_.isValid() ? rect().adjusted(1, 1, -1, -1) : rect();
}

std::vector<DesignLabel::Line> DesignLabel::SetLines(const QString& text) const {
  std::vector<Line> lines;
  if (text.isEmpty()) return lines;
  const QFont& font = this->font();
  const QFontMetricsF metrics(font, this);
  const QRectF area = TextArea();
  const double em = EmPixels(font, *this);
  const LineMetrics design = DesignLineOf(face_);
  const double lineHeight = design.Height * em;
  const QStringList texts = BreakLines(text, font, area.width(), wordWrap());

  const double block = lineHeight * static_cast<double>(texts.size());
  double top = area.top();
  if (alignment() & Qt::AlignVCenter) {
    top += (area.height() - block) / 2;
  } else if (alignment() & Qt::AlignBottom) {
    top += area.height() - block;
  }

  // Where each line goes across, and the ink of the whole block with the baselines as designed.
  const QRectF fullHeight =
      IsCjk(face_) ? metrics.tightBoundingRect(QStringLiteral("国")) : QRectF();
  QRectF own;   // the text's ink
  QRectF room;  // the text's ink and the room of a full-height character on each line
  double baseline = top + design.Ascent * em;
  for (const QString& lineText : texts) {
    const QRectF ink = metrics.tightBoundingRect(lineText);
    const double advance = metrics.horizontalAdvance(lineText);
    double left = area.left();
    if (alignment() & Qt::AlignRight) {
      left = area.right() - advance;
    } else if (alignment() & Qt::AlignHCenter) {
      left = area.left() + (area.width() - advance) / 2;
    }
    // Ink that reaches past the advance (a wide character at the end) moves in where it fits.
    if (!ink.isNull() && ink.width() <= area.width()) {
      left = std::clamp(left, area.left() - ink.left(), area.right() - ink.right());
    }
    lines.push_back({lineText, QPointF(left, baseline)});
    own |= ink.translated(0, baseline);
    room |= ink.translated(0, baseline) | fullHeight.translated(0, baseline);
    baseline += lineHeight;
  }

  // Where the first baseline may lie with all the ink inside; the line moves as little as it
  // can, to whole pixels, staying inside where a whole pixel leaves room.
  const double designed = lines.front().Origin.y();
  const double highest = area.top() - (room.top() - designed);
  const double lowest = area.bottom() - (room.bottom() - designed);
  double first = std::round(designed);
  if (highest <= lowest) {
    first = std::round(std::clamp(designed, highest, lowest));
    if (std::ceil(highest) <= std::floor(lowest)) {
      first = std::clamp(first, std::ceil(highest), std::floor(lowest));
    }
  } else if (!own.isNull()) {
    first = std::round(designed + area.top() + (area.height() - own.height()) / 2 - own.top());
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    lines[i].Origin.setY(first + std::round(static_cast<double>(i) * lineHeight));
  }
  return lines;
}

QPointF DesignLabel::TextOrigin(const QString& text) const {
  const std::vector<Line> lines = SetLines(text);
  return lines.empty() ? QPointF(TextArea().topLeft()) : lines.front().Origin;
}

void DesignLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (frame_.isValid()) DrawFrame(painter, rect(), frame_);
  const std::vector<Line>& lines = LinesToPaint(text());
  if (lines.empty()) return;
  painter.setClipRect(TextArea());
  const QColor color = palette().color(foregroundRole());
  // Pictures stand in for large glyphs drawn on whole device pixels only.
  const QTransform& toDevice = painter.deviceTransform();
  const bool pictured =
      GlyphPicturesServe(EmPixels(font(), *this)) && toDevice.type() <= QTransform::TxTranslate &&
      toDevice.dx() == std::round(toDevice.dx()) && toDevice.dy() == std::round(toDevice.dy()) &&
      painter.device()->devicePixelRatioF() == 1.0;
  painter.setFont(font());
  painter.setPen(color);
  for (const Line& line : lines) {
    if (pictured && line.Origin.y() == std::round(line.Origin.y()) &&
        GlyphPicturesCover(line.Text)) {
      DrawGlyphPictures(painter, font(), color, {logicalDpiX(), logicalDpiY()}, line.Origin,
                        line.Text);
    } else {
      painter.drawText(line.Origin, line.Text);
    }
  }
}

const std::vector<DesignLabel::Line>& DesignLabel::LinesToPaint(const QString& text) {
  SetKey key{font(), size(), alignment(), wordWrap(), frame_.isValid(), logicalDpiY()};
  if (!(key == setKey_)) {
    setKey_ = std::move(key);
    painted_.clear();
  }
  auto found = painted_.constFind(text);
  if (found != painted_.constEnd()) return *found;
  // A clock shows 100 hundredths and 60 seconds; anything beyond is a passing text.
  constexpr qsizetype kMostTexts = 128;
  if (painted_.size() >= kMostTexts) painted_.clear();
  return *painted_.insert(text, SetLines(text));
}

void DesignLabel::mousePressEvent(QMouseEvent* event) {
  if (clickable_ && event->button() == Qt::LeftButton) {
    pressed_ = true;
    event->accept();
    return;
  }
  QLabel::mousePressEvent(event);
}

void DesignLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (clickable_ && event->button() == Qt::LeftButton && pressed_) {
    pressed_ = false;
    event->accept();
    if (rect().contains(event->pos())) emit clicked();
    return;
  }
  QLabel::mouseReleaseEvent(event);
}

double EmPixels(const QFont& font, const QPaintDevice& device) {
  if (font.pixelSize() > 0) return font.pixelSize();
  return font.pointSizeF() * device.logicalDpiY() / 72.0;
}

void FitTextWidth(QWidget* widget, const QString& sample, double width) {
  QFont font = widget->font();
  const double needed = QFontMetricsF(font, widget).horizontalAdvance(sample);
  if (needed <= width) return;
  font.setStretch(static_cast<int>(std::floor(100.0 * width / needed)));
  widget->setFont(font);
}

void FitDesignDigits(QWidget* widget) {
  QFont font = widget->font();
  const double digit = QFontMetricsF(font, widget).horizontalAdvance(QLatin1Char('0'));
  const double designDigit = EmPixels(font, *widget) / 2;
  if (digit <= designDigit) return;
  font.setStretch(qRound(100 * designDigit / digit));
  widget->setFont(font);
}

void ShrinkToFit(QLabel* label, const QStringList& samples) {
  QFont font = label->font();
  const QFontMetricsF metrics(font, label);
  double scale = 1.0;
  for (const QString& sample : samples) {
    const QRectF ink = metrics.tightBoundingRect(sample);
    scale = std::min({scale, label->width() / ink.width(), label->height() / ink.height()});
  }
  if (scale >= 1.0) return;
  font.setPointSizeF(std::floor(font.pointSizeF() * scale * 4) / 4);
  label->setFont(font);
}

}  // namespace numora::platform
