// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/cursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>
#include <numbers>

namespace numora::platform {

QPainterPath Star(QPointF centre, double outer, double inner) {
  QPainterPath path;
  for (int i = 0; i < 10; ++i) {
    const double r = i % 2 == 0 ? outer : inner;
    const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
    const QPointF p(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
    if (i == 0) {
      path.moveTo(p);
    } else {
      path.lineTo(p);
    }
  }
  path.closeSubpath();
  return path;
}

namespace {

QCursor DrawStarCursor() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(255, 220, 0));
  p.setPen(QPen(Qt::black, 1.5));
  p.drawPath(Star(QPointF(16, 16), 15, 6.5));
  return QCursor(pixmap, 16, 16);
}

QCursor DrawHandCursor() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  // A hand pointing up with its index finger, the tip at the hot spot.
  QPainterPath hand;
  hand.addRoundedRect(QRectF(10.5, 1.5, 5, 17), 2.5, 2.5);
  hand.addRoundedRect(QRectF(15, 10, 4.5, 9), 2.2, 2.2);
  hand.addRoundedRect(QRectF(19, 11, 4.5, 8.5), 2.2, 2.2);
  hand.addRoundedRect(QRectF(23, 12.5, 4, 7.5), 2, 2);
  hand.addRoundedRect(QRectF(10.5, 14, 16.5, 15), 4, 4);
  QPainterPath thumb;
  thumb.addRoundedRect(QRectF(-2.25, -7, 4.5, 11), 2.2, 2.2);
  hand.addPath(QTransform().translate(9, 21).rotate(-40).map(thumb));
  hand = hand.simplified();
  p.setBrush(Qt::white);
  p.setPen(QPen(Qt::black, 1.4));
  p.drawPath(hand);
  p.setPen(QPen(Qt::black, 1));
  for (double x : {15.0, 19.0, 23.0}) p.drawLine(QPointF(x, 15), QPointF(x, 19));
  return QCursor(pixmap, 13, 2);
}

}  // namespace

// Drawn once, as a screen sets each on several controls. Kept to the end of the program, past
// the application object that drawing needs.
QCursor StarCursor() {
  static const auto* cursor = new QCursor(DrawStarCursor());
  return *cursor;
}

QCursor HandCursor() {
  static const auto* cursor = new QCursor(DrawHandCursor());
  return *cursor;
}

}  // namespace numora::platform
