// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/panel_copies.h"

#include <QApplication>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>
#include <QWidget>
#include <cmath>
#include <unordered_map>
#include <utility>
#include <vector>

namespace numora::platform {

namespace {

bool usePanelCopies = true;
long panelCopiesServed = 0;

// What the style drew over one place, and what lay beneath the pixels that let it show through.
struct PanelCopy {
  QRect place;  // device pixels
  QStyle::State state;
  qint64 palette = 0;
  int lineWidth = -1;
  Qt::LayoutDirection direction = Qt::LeftToRight;
  QImage::Format format = QImage::Format_Invalid;
  // What the style drew; none when it draws otherwise on the window than in an image, and no
  // copy serves that state.
  QImage drawn;
  // The pixels (index within `place`) whose colour depends on what was beneath, with that colour.
  std::vector<std::pair<int, QRgb>> beneath;
};

QRgb PixelAt(const QImage& image, QPoint point) {
  return reinterpret_cast<const QRgb*>(image.constScanLine(point.y()))[point.x()];
}

class PanelCopyStyle : public QProxyStyle {
 public:
  explicit PanelCopyStyle(QObject* owner) { setParent(owner); }

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (element != PE_PanelLineEdit || !usePanelCopies || !widget ||
        !DrawFromCopy(*option, *painter, *widget)) {
      QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
  }

  void Forget(const QObject* widget) { copies_.erase(widget); }

 private:
  // True when the panel was drawn, from the copy or afresh with a new copy kept.
  bool DrawFromCopy(const QStyleOption& option, QPainter& painter, const QWidget& widget) const {
    QPaintEngine* engine = painter.paintEngine();
    QPaintDevice* device = engine ? engine->paintDevice() : nullptr;
    const QTransform& toDevice = painter.deviceTransform();
    if (!device || device->devType() != QInternal::Image ||
        toDevice.type() > QTransform::TxTranslate || toDevice.dx() != std::floor(toDevice.dx()) ||
        toDevice.dy() != std::floor(toDevice.dy()) || painter.hasClipping() ||
        painter.opacity() != 1.0 ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver) {
      return false;
    }
    const QImage& image = *static_cast<QImage*>(device);
    const QRect place =
        option.rect.translated(static_cast<int>(toDevice.dx()), static_cast<int>(toDevice.dy()));
    if (image.depth() != 32 || !image.rect().contains(place)) return false;
    QRegion clip = engine->systemClip();
    clip = clip.isEmpty() ? QRegion(place) : clip & place;

    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(&option);
    PanelCopy& copy = copies_[&widget];
    const bool same = copy.place == place && copy.state == option.state &&
                      copy.palette == option.palette.cacheKey() &&
                      copy.lineWidth == (frame ? frame->lineWidth : 0) &&
                      copy.direction == option.direction && copy.format == image.format();
    if (same && copy.drawn.isNull()) return false;
    if (same && SameBeneath(copy, image, clip)) {
      painter.save();
      painter.setCompositionMode(QPainter::CompositionMode_Source);
      painter.drawImage(option.rect.topLeft(), copy.drawn);
      painter.restore();
      ++panelCopiesServed;
      return true;
    }
    // A copy is taken only of a whole panel.
    if (clip != QRegion(place)) return false;
    const QImage before = image.copy(place);
    QProxyStyle::drawPrimitive(PE_PanelLineEdit, &option, &painter, &widget);
    copy = {place,
            option.state,
            option.palette.cacheKey(),
            frame ? frame->lineWidth : 0,
            option.direction,
            image.format(),
            image.copy(place),
            {}};
    // Drawn over black and over white, the pixels that differ are those that let what is
    // beneath show through.
    const QImage overBlack = DrawnOver(0xff000000, option, painter, widget, image.format());
    const QImage overWhite = DrawnOver(0xffffffff, option, painter, widget, image.format());
    for (int y = 0; y < place.height(); ++y) {
      for (int x = 0; x < place.width(); ++x) {
        const QRgb black = PixelAt(overBlack, {x, y});
        if (black != PixelAt(overWhite, {x, y})) {
          copy.beneath.emplace_back(y * place.width() + x, PixelAt(before, {x, y}));
        } else if (black != PixelAt(copy.drawn, {x, y})) {
          copy.drawn = QImage();
          copy.beneath.clear();
          return true;
        }
      }
    }
    return true;
  }

  QImage DrawnOver(QRgb ground, const QStyleOption& option, const QPainter& like,
                   const QWidget& widget, QImage::Format format) const {
    QImage image(option.rect.size(), format);
    image.fill(ground);
    QPainter painter(&image);
    painter.setRenderHints(like.renderHints());
    painter.translate(-option.rect.topLeft());
    QProxyStyle::drawPrimitive(PE_PanelLineEdit, &option, &painter, &widget);
    return image;
  }

  static bool SameBeneath(const PanelCopy& copy, const QImage& image, const QRegion& clip) {
    const bool whole = clip == QRegion(copy.place);
    const int width = copy.place.width();
    for (const auto& [index, colour] : copy.beneath) {
      const QPoint point = copy.place.topLeft() + QPoint(index % width, index / width);
      if ((whole || clip.contains(point)) && PixelAt(image, point) != colour) return false;
    }
    return true;
  }

  mutable std::unordered_map<const QObject*, PanelCopy> copies_;
};

PanelCopyStyle& SharedStyle() {
  static QPointer<PanelCopyStyle> style;
  if (!style) style = new PanelCopyStyle(qApp);
  return *style;
}

}  // namespace

void DrawPanelFromCopies(QWidget& edit) {
  PanelCopyStyle& style = SharedStyle();
  edit.setStyle(&style);
  QObject::connect(&edit, &QObject::destroyed, &style,
                   [&style](QObject* gone) { style.Forget(gone); });
}

void UsePanelCopies(bool on) {
  usePanelCopies = on;
}

long PanelCopiesServed() {
  return panelCopiesServed;
}

}  // namespace numora::platform
