// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The scaling of a maximised window (a classroom projector): the whole layout, fonts included,
// scales by one factor and stands centred. A window that is not maximised keeps its design
// size. Scaling happens when the size changes, never on a tick.

#include <QFont>
#include <QPointF>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <functional>
#include <utility>
#include <vector>

class QWidget;

namespace numora::platform {

// Moves the window to the middle of its screen's free area; a window larger than that keeps its
// title bar and left edge on the screen (a school PC's 800 x 600).
void CentreOnScreen(QWidget& window);

class WindowScaler {
 public:
  // `relaid` runs after every change of the layout.
  WindowScaler(QWidget& window, QSize design, std::function<void()> relaid)
      : window_(window), design_(design), relaid_(std::move(relaid)) {}

  // The factor the layout is scaled by: 1 at the design size.
  double Scale() const { return scale_; }
  bool Enlarged() const;
  // After a resize or a change of the window's state: puts the design size back on a window
  // that is not maximised, and lays the controls out for the present size.
  void Follow();

 private:
  // A control as laid out at the design size.
  struct Designed {
    QPointer<QWidget> Widget;
    QRect Rect;
    QFont Font;
  };

  // How long a resize of a normal window may wait for the window manager's word of a maximise.
  static constexpr int kSettleMs = 100;

  void KeepDesignSize();
  void Relayout();

  QWidget& window_;
  QSize design_;
  std::function<void()> relaid_;
  std::vector<Designed> designed_;
  double scale_ = 1.0;
  QPointF offset_;
};

}  // namespace numora::platform
