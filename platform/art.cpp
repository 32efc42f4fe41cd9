#include "platform/art.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

#include "platform/layout.h"

namespace numora::platform {

namespace {

QPixmap Blank(int w, int h) {
  QPixmap pixmap(w, h);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

QPainterPath Star(QPointF centre, double outer, double inner) {
  QPainterPath path;
  for (int i = 0; i < 10; ++i) {
    const double r = i % 2 == 0 ? outer : inner;
    const double a = -M_PI / 2 + i * M_PI / 5;
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

QPixmap IconPixmap(int side) {
  QPixmap pixmap = Blank(side, side);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient glow(side * 0.35, side * 0.3, side * 0.7);
  glow.setColorAt(0, QColor(255, 120, 90));
  glow.setColorAt(1, QColor(200, 0, 0));
  p.setBrush(glow);
  p.setPen(QPen(QColor(120, 0, 0), side / 32.0));
  p.drawEllipse(QRectF(1, 1, side - 2, side - 2));
  p.setPen(Qt::white);
  QFont font(QString::fromLatin1(InstalledFamily(Face::Arial)));
  font.setBold(true);
  font.setPixelSize(side * 11 / 20);
  p.setFont(font);
  p.drawText(QRectF(0, 0, side, side), Qt::AlignCenter, QStringLiteral("123"));
  return pixmap;
}

}  // namespace

QIcon WindowIcon() {
  QIcon icon;
  for (int side : {16, 32, 48, 64, 128}) icon.addPixmap(IconPixmap(side));
  return icon;
}

QPixmap TitlePicture() {
  const int side = 300;
  QPixmap pixmap(side, side);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, side);
  sky.setColorAt(0, QColor(120, 190, 255));
  sky.setColorAt(1, QColor(230, 245, 255));
  p.fillRect(pixmap.rect(), sky);
  // A keypad of nine keys, the digits the pupil types.
  QFont font(QString::fromLatin1(InstalledFamily(Face::Arial)));
  font.setBold(true);
  font.setPixelSize(44);
  p.setFont(font);
  for (int i = 0; i < 9; ++i) {
    const QRectF key(36 + (i % 3) * 80, 36 + (i / 3) * 80, 68, 68);
    p.setPen(QPen(QColor(40, 60, 120), 3));
    p.setBrush(i % 2 == 0 ? QColor(255, 255, 255) : QColor(255, 240, 200));
    p.drawRoundedRect(key, 12, 12);
    p.setPen(i == 4 ? kRed : QColor(20, 40, 120));
    p.drawText(key, Qt::AlignCenter, QString::number(i + 1));
  }
  return pixmap;
}

QPixmap RewardPicture(int side) {
  QPixmap pixmap(side, side);
  pixmap.fill(QColor(255, 250, 225));
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF centre(side / 2.0, side * 0.47);
  QRadialGradient gold(centre, side * 0.4);
  gold.setColorAt(0, QColor(255, 240, 120));
  gold.setColorAt(1, QColor(230, 160, 0));
  p.setBrush(gold);
  p.setPen(QPen(QColor(170, 100, 0), side / 60.0));
  p.drawPath(Star(centre, side * 0.4, side * 0.17));
  for (int i = 0; i < 6; ++i) {
    const double a = i * M_PI / 3;
    p.setBrush(i % 2 ? QColor(255, 90, 90) : QColor(90, 170, 255));
    p.setPen(Qt::NoPen);
    p.drawPath(Star(QPointF(side / 2.0 + side * 0.42 * std::cos(a),
                            side * 0.47 + side * 0.42 * std::sin(a)),
                    side * 0.05, side * 0.02));
  }
  return pixmap;
}

QCursor LevelButtonCursor() {
  QPixmap pixmap = Blank(32, 32);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(255, 220, 0));
  p.setPen(QPen(Qt::black, 1.5));
  p.drawPath(Star(QPointF(16, 16), 15, 6.5));
  return QCursor(pixmap, 16, 16);
}

QCursor LinkCursor() {
  QPixmap pixmap = Blank(32, 32);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath arrow;
  arrow.moveTo(2, 2);
  arrow.lineTo(2, 26);
  arrow.lineTo(9, 20);
  arrow.lineTo(14, 30);
  arrow.lineTo(18, 28);
  arrow.lineTo(13, 18);
  arrow.lineTo(22, 18);
  arrow.closeSubpath();
  p.setBrush(kBlue);
  p.setPen(QPen(Qt::white, 1.5));
  p.drawPath(arrow);
  return QCursor(pixmap, 2, 2);
}

}  // namespace numora::platform
