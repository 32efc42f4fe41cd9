// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/tick_pacer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace numora::platform {

TickPacer::TickPacer(QWidget& window, std::function<void()> tick)
    : QObject(&window),
      window_(window),
      tick_(std::move(tick)),
      timer_(new QTimer(&window)),
      frame_(new QTimer(&window)) {
  timer_->setObjectName(QStringLiteral("Timer1"));
  timer_->setTimerType(Qt::PreciseTimer);
  timer_->setInterval(kTickMs);
  connect(timer_, &QTimer::timeout, this, [this] { tick_(); });
  frame_->setSingleShot(true);
  frame_->setTimerType(Qt::PreciseTimer);
  connect(frame_, &QTimer::timeout, this, [this] {
    QCoreApplication::postEvent(&window_, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
  });
}

void TickPacer::SetTicking(bool ticking) {
  // Asked while running, the beat starts again from now: a key of level 9 starts its 2-second
  // pause afresh, and the ticks then fall whole beats after the key, so that the pause ends at
  // the first of them past the limit.
  if (ticking) {
    timer_->start();
  } else {
    timer_->stop();
  }
}

bool TickPacer::HoldBackRepaint() {
  // While a run ticks, the labels change every 7 ms, faster than a display shows frames: the
  // window repaints at most once a frame, the texts of the ticks between go straight to the
  // next one. Exposing the window paints it at once, as ever.
  if (!timer_->isActive()) return false;
  if (lastFrame_.isValid() && lastFrame_.elapsed() < kFrameMs) {
    if (!frame_->isActive()) frame_->start(kFrameMs - static_cast<int>(lastFrame_.elapsed()));
    return true;
  }
  lastFrame_.start();
  return false;
}

}  // namespace numora::platform
