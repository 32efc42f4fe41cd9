// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/tick_pacer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QTimerEvent>
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
  // Asked while running, the beat starts again from now: a key that starts a pause afresh has
  // the ticks fall whole beats after it, so that the pause ends at the first of them past its
  // limit, and the tick at the key shows the fresh pause at once.
  if (ticking && timer_->isActive()) tickOwed_ = true;
  if (ticking) {
    timer_->start();
  } else {
    timer_->stop();
    tickOwed_ = false;
  }
}

void TickPacer::TickIfRestarted() {
  if (!tickOwed_) return;
  tickOwed_ = false;
  if (!timer_->isActive()) return;
  QTimerEvent tick(timer_->timerId());
  QCoreApplication::sendEvent(timer_, &tick);
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
