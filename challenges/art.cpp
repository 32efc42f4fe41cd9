// SPDX-License-Identifier: GPL-3.0-or-later
#include "challenges/art.h"

#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QResource>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/cursors.h"
#include "platform/layout.h"

namespace numora {

using namespace platform;

namespace {

// The pictures a window shows as it opens were drawn at build time by this same code
// (app/icon_maker.cpp) and embedded in the game as raw pixels: taking them from there costs a
// small part of drawing them, or of decoding a PNG. Programs without them, such as the suites,
// draw. A null pixmap when the picture is not embedded.
QPixmap Embedded(const QString& name, int width, int height) {
  const QResource resource(QStringLiteral(":/numora/pictures/") + name);
  const qint64 bytes = qint64{width} * height * 4;
  if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression ||
      resource.size() != bytes) {
    return {};
  }
  return QPixmap::fromImage(
      QImage(resource.data(), width, height, width * 4, QImage::Format_ARGB32_Premultiplied));
}

QPixmap Blank(int w, int h) {
  QPixmap pixmap(w, h);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

// A raised rounded shape: its shadow, then a face shaded from Light at `from` to Dark at `to`,
// then its edge.
struct Raised {
  QPointF ShadowOffset;
  QColor Shadow;
  QColor Light;
  QColor Dark;
  QPen Edge;
  double Radius;
};

void DrawRaised(QPainter& p, const QRectF& shape, const Raised& look, QPointF from, QPointF to) {
  p.setPen(Qt::NoPen);
  p.setBrush(look.Shadow);
  p.drawRoundedRect(shape.translated(look.ShadowOffset), look.Radius, look.Radius);
  QLinearGradient face(from, to);
  face.setColorAt(0, look.Light);
  face.setColorAt(1, look.Dark);
  p.setBrush(face);
  p.setPen(look.Edge);
  p.drawRoundedRect(shape, look.Radius, look.Radius);
}

// One key of the number pad: a raised cap with its label.
void DrawKey(QPainter& p, const QRectF& key, const QString& label, int pixelSize) {
  const Raised cap{.ShadowOffset = {0, 3},
                   .Shadow = QColor(20, 24, 36),
                   .Light = QColor(255, 255, 255),
                   .Dark = QColor(214, 220, 232),
                   .Edge = QPen(QColor(150, 158, 176), 1),
                   .Radius = 7};
  DrawRaised(p, key, cap, key.topLeft(), key.bottomLeft());
  QFont font(QString::fromLatin1(InstalledFamily(Face::Arial)));
  font.setBold(true);
  font.setPixelSize(pixelSize);
  p.setFont(font);
  p.setPen(QColor(30, 40, 90));
  p.drawText(key, Qt::AlignCenter, label);
}

void DrawStopwatch(QPainter& p, QPointF centre, double radius, int ticks) {
  // Crown and side button.
  p.setPen(QPen(QColor(60, 60, 70), 2));
  p.setBrush(QColor(200, 205, 215));
  p.drawRoundedRect(QRectF(centre.x() - 9, centre.y() - radius - 16, 18, 12), 3, 3);
  p.drawRect(QRectF(centre.x() - 4, centre.y() - radius - 6, 8, 8));
  p.save();
  p.translate(centre);
  p.rotate(45);
  p.drawRoundedRect(QRectF(-5, -radius - 9, 10, 10), 2, 2);
  p.restore();
  // Case and face.
  QRadialGradient rim(centre, radius);
  rim.setColorAt(0.85, QColor(235, 60, 50));
  rim.setColorAt(1, QColor(170, 20, 20));
  p.setBrush(rim);
  p.setPen(QPen(QColor(110, 10, 10), 2));
  p.drawEllipse(centre, radius, radius);
  const double face = radius * 0.8;
  p.setBrush(Qt::white);
  p.setPen(QPen(QColor(120, 120, 130), 1));
  p.drawEllipse(centre, face, face);
  // The time run so far, then the ticks over it.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 200, 60, 170));
  p.drawPie(QRectF(centre.x() - face, centre.y() - face, 2 * face, 2 * face), 90 * 16, -110 * 16);
  const int major = std::max(1, ticks / 12);
  for (int i = 0; i < ticks; ++i) {
    const double a = i * 2 * std::numbers::pi / ticks;
    const double inner = face * (i % major == 0 ? 0.78 : 0.9);
    p.setPen(QPen(QColor(40, 40, 50), i % major == 0 ? 2.2 : 1));
    p.drawLine(
        QPointF(centre.x() + inner * std::sin(a), centre.y() - inner * std::cos(a)),
        QPointF(centre.x() + face * 0.97 * std::sin(a), centre.y() - face * 0.97 * std::cos(a)));
  }
  const double hand = 110 * std::numbers::pi / 180;
  p.setPen(QPen(kRed, 2.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(centre, QPointF(centre.x() + face * 0.85 * std::sin(hand),
                             centre.y() - face * 0.85 * std::cos(hand)));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 40, 50));
  p.drawEllipse(centre, 4, 4);
}

}  // namespace

// A small stopwatch, drawn on a 64 unit square and scaled to the size asked for.
QPixmap IconPicture(int side) {
  QPixmap pixmap = Blank(side, side);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(side / 64.0, side / 64.0);
  // Room for the crown above the case and the case's edge below it.
  DrawStopwatch(p, QPointF(32, 39), 22, side >= 32 ? 12 : 4);
  return pixmap;
}

QIcon WindowIcon() {
  QIcon icon;
  for (int side : {16, 32, 48, 64, 128}) {
    const QPixmap embedded = Embedded(QStringLiteral("%1.argb").arg(side), side, side);
    icon.addPixmap(embedded.isNull() ? IconPicture(side) : embedded);
  }
  return icon;
}

QPixmap TitlePicture() {
  const int side = 300;
  if (QPixmap embedded = Embedded(QStringLiteral("title.argb"), side, side); !embedded.isNull()) {
    return embedded;
  }
  QPixmap pixmap(side, side);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, side);
  sky.setColorAt(0, QColor(120, 190, 255));
  sky.setColorAt(1, QColor(235, 246, 255));
  p.fillRect(pixmap.rect(), sky);
  // Light rays behind the pad.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 60));
  for (int i = 0; i < 8; ++i) {
    QPainterPath ray;
    ray.moveTo(125, 185);
    const double a = i * std::numbers::pi / 4;
    ray.lineTo(125 + 300 * std::cos(a - 0.12), 185 + 300 * std::sin(a - 0.12));
    ray.lineTo(125 + 300 * std::cos(a + 0.12), 185 + 300 * std::sin(a + 0.12));
    ray.closeSubpath();
    p.drawPath(ray);
  }

  // The number pad the pupil types on: 7 8 9 on top, a wide 0, a tall Enter.
  const QRectF body(18, 78, 214, 214);
  const Raised case_{.ShadowOffset = {4, 5},
                     .Shadow = QColor(0, 0, 0, 50),
                     .Light = QColor(84, 96, 124),
                     .Dark = QColor(44, 52, 72),
                     .Edge = QPen(QColor(30, 34, 48), 2),
                     .Radius = 16};
  DrawRaised(p, body, case_, body.topLeft(), body.bottomRight());
  const double key = 42;
  const double gap = 7;
  const QPointF origin(body.left() + 12, body.top() + 12);
  auto cell = [&](int column, int row, int columns, int rows) {
    return QRectF(origin.x() + column * (key + gap), origin.y() + row * (key + gap),
                  columns * key + (columns - 1) * gap, rows * key + (rows - 1) * gap);
  };
  const char* digits[3][3] = {{"7", "8", "9"}, {"4", "5", "6"}, {"1", "2", "3"}};
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      DrawKey(p, cell(column, row, 1, 1), QString::fromLatin1(digits[row][column]), 24);
    }
  }
  DrawKey(p, cell(0, 3, 2, 1), QStringLiteral("0"), 24);
  DrawKey(p, cell(2, 3, 1, 1), QStringLiteral("."), 24);
  DrawKey(p, cell(3, 0, 1, 2), QStringLiteral("+"), 26);
  DrawKey(p, cell(3, 2, 1, 2), QStringLiteral("Enter"), 11);
  // The bump on 5 that the fingers find without looking.
  const QRectF five = cell(1, 1, 1, 1);
  p.setPen(QPen(QColor(30, 40, 90), 2.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(five.center().x() - 7, five.bottom() - 7),
             QPointF(five.center().x() + 7, five.bottom() - 7));

  DrawStopwatch(p, QPointF(232, 72), 50, 60);
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
    const double a = i * std::numbers::pi / 3;
    p.setBrush(i % 2 ? QColor(255, 90, 90) : QColor(90, 170, 255));
    p.setPen(Qt::NoPen);
    p.drawPath(Star(
        QPointF(side / 2.0 + side * 0.42 * std::cos(a), side * 0.47 + side * 0.42 * std::sin(a)),
        side * 0.05, side * 0.02));
  }
  return pixmap;
}

}  // namespace numora
