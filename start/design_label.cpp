#include "start/design_label.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>

namespace numora {

namespace {
// Where the baseline sits in an em-square line: the ideographic em box of the CJK faces reaches
// 0.88 em above the baseline and 0.12 em below it.
constexpr double kEmAscent = 0.88;
}  // namespace

DesignLabel::DesignLabel(const QString& text, QWidget* parent, Lines lines)
    : QLabel(text, parent), lines_(lines) {}

void DesignLabel::SetBorder(bool border) {
  border_ = border;
  update();
}

void DesignLabel::MakeClickable(const QCursor& cursor) {
  clickable_ = true;
  setCursor(cursor);
}

void DesignLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QRect area = rect();
  if (border_) {
    painter.setPen(Qt::black);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    area.adjust(1, 1, -1, -1);
  }
  const QString caption = text();
  if (caption.isEmpty()) return;

  const QFont font = this->font();
  double lineHeight = 0;
  double ascent = 0;
  if (lines_ == Lines::EmSquare) {
    lineHeight = QFontInfo(font).pixelSize();
    ascent = lineHeight * kEmAscent;
  } else {
    const QFontMetricsF metrics(font, this);
    lineHeight = metrics.height();
    ascent = metrics.ascent();
  }

  QTextLayout layout(caption, font, this);
  QTextOption option(alignment() & Qt::AlignHorizontal_Mask);
  option.setWrapMode(wordWrap() ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
  layout.setTextOption(option);
  layout.beginLayout();
  double height = 0;
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(area.width());
    // Each line's own ascent is replaced by the design's, so lines stack at lineHeight.
    line.setPosition(QPointF(0, height + ascent - line.ascent()));
    height += lineHeight;
  }
  layout.endLayout();

  double top = area.top();
  if (alignment() & Qt::AlignVCenter) {
    top += (area.height() - height) / 2;
  } else if (alignment() & Qt::AlignBottom) {
    top += area.height() - height;
  }
  painter.setClipRect(area);
  painter.setPen(palette().color(foregroundRole()));
  layout.draw(&painter, QPointF(area.left(), top));
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
    if (rect().contains(event->position().toPoint())) emit clicked();
    return;
  }
  QLabel::mouseReleaseEvent(event);
}

}  // namespace numora
