// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/cursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "platform/art.h"

namespace numora::platform {

namespace {

QCursor DrawLevelButtonCursor() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(255, 220, 0));
  p.setPen(QPen(Qt::black, 1.5));
  p.drawPath(Star(QPointF(16, 16), 15, 6.5));
  return QCursor(pixmap, 16, 16);
}

QCursor DrawLinkCursor() {
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

// Drawn once: the start screen sets the level cursor on nine buttons and the link cursor on
// two. Kept to the end of the program, past the application object that drawing needs.
QCursor LevelButtonCursor() {
  static const auto* cursor = new QCursor(DrawLevelButtonCursor());
  return *cursor;
}

QCursor LinkCursor() {
  static const auto* cursor = new QCursor(DrawLinkCursor());
  return *cursor;
}

}  // namespace numora::platform
