// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/tick_pacer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace numora::platform {

TickPacer::TickPacer(QWidget& window, ChallengeEngine& engine)
    : QObject(&window),
      window_(window),
      engine_(engine),
      timer_(new QTimer(&window)),
      frame_(new QTimer(&window)) {
  timer_->setObjectName(QStringLiteral("Timer1"));
  timer_->setTimerType(Qt::PreciseTimer);
  timer_->setInterval(kTickMs);
  connect(timer_, &QTimer::timeout, this, [this] { engine_.Tick(); });
  frame_->setSingleShot(true);
  frame_->setTimerType(Qt::PreciseTimer);
  connect(frame_, &QTimer::timeout, this, [this] {
    QCoreApplication::postEvent(&window_, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
  });
}

void TickPacer::SetTicking(bool ticking) {
  if (!ticking) {
    timer_->stop();
  } else if (!timer_->isActive()) {
    timer_->start();
  } else if (!realignPending_) {
    // Asked again while running: a key of level 9 starts its 2-second pause afresh. The beat
    // moves to the key, with a tick at once, so that the ticks fall whole ticks after it and
    // the pause ends at the first of them past the limit. A restart alone would stretch the
    // interval the key falls in; the tick comes when the key has been handled, not inside it.
    realignPending_ = true;
    QMetaObject::invokeMethod(
        &window_, [this] { Realign(); }, Qt::QueuedConnection);
  }
}

void TickPacer::Realign() {
  realignPending_ = false;
  if (!timer_->isActive()) return;
  timer_->start();
  engine_.Tick();
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
