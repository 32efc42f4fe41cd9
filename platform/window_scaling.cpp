// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/window_scaling.h"

#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace numora::platform {

void CentreOnScreen(QWidget& window) {
  const QScreen* screen = window.screen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  QRect frame = window.frameGeometry();
  frame.moveCenter(area.center());
  frame.moveTopLeft(QPoint(std::max(frame.left(), area.left()), std::max(frame.top(), area.top())));
  window.move(frame.topLeft());
}

bool WindowScaler::Enlarged() const {
  return window_.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen);
}

void WindowScaler::Follow() {
  KeepDesignSize();
  Relayout();
}

void WindowScaler::KeepDesignSize() {
  if (Enlarged() || window_.size() == design_) return;
  // Dragging an edge does not resize the window. The window manager may tell of a maximise
  // just after the new size, so the design size is put back a moment later, if still wanted.
  QTimer::singleShot(kSettleMs, &window_, [this] {
    if (!Enlarged()) window_.resize(design_);
  });
}

void WindowScaler::Relayout() {
  double factor = 1.0;
  QPointF offset;
  if (Enlarged()) {
    factor = std::min(static_cast<double>(window_.width()) / design_.width(),
                      static_cast<double>(window_.height()) / design_.height());
    offset = QPointF((window_.width() - design_.width() * factor) / 2,
                     (window_.height() - design_.height() * factor) / 2);
  }
  if (factor == scale_ && offset == offset_) return;
  if (designed_.empty()) {
    // Until now every control stands where it was laid out.
    for (QWidget* widget : window_.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
      if (!widget->isWindow()) designed_.push_back({widget, widget->geometry(), widget->font()});
    }
  }
  scale_ = factor;
  offset_ = offset;
  const bool asDesigned = factor == 1.0 && offset.isNull();
  for (const Designed& control : designed_) {
    if (!control.Widget) continue;
    QWidget* widget = control.Widget;
    const bool fixed = widget->minimumSize() == widget->maximumSize();
    if (asDesigned) {
      if (fixed) widget->setFixedSize(control.Rect.size());
      widget->setGeometry(control.Rect);
      widget->setFont(control.Font);
      continue;
    }
    // Edges scale, so that controls that touch at the design size touch when scaled.
    const auto x = [&](int at) { return qRound(offset.x() + at * factor); };
    const auto y = [&](int at) { return qRound(offset.y() + at * factor); };
    const QRect& r = control.Rect;
    const QRect scaled(QPoint(x(r.left()), y(r.top())),
                       QPoint(x(r.left() + r.width()) - 1, y(r.top() + r.height()) - 1));
    if (fixed) widget->setFixedSize(scaled.size());
    widget->setGeometry(scaled);
    QFont font = control.Font;
    if (font.pointSizeF() > 0) {
      font.setPointSizeF(font.pointSizeF() * factor);
    } else {
      font.setPixelSize(qRound(font.pixelSize() * factor));
    }
    widget->setFont(font);
  }
  relaid_();
}

}  // namespace numora::platform
