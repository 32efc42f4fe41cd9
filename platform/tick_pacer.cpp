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
  connect(frame_, &QTimer::timeout, this, &TickPacer::AskForRepaint);
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
  // next one. A key's change, and exposing the window, are painted at once.
  if (!timer_->isActive()) {
    keyCame_ = false;
    return false;
  }
  if (!keyCame_ && lastFrame_.isValid() && lastFrame_.elapsed() < kFrameMs) {
    if (!frame_->isActive()) frame_->start(kFrameMs - static_cast<int>(lastFrame_.elapsed()));
    return true;
  }
  // This paint shows the ticks' texts too: the next frame is a whole frame away from it.
  keyCame_ = false;
  frame_->stop();
  lastFrame_.start();
  return false;
}

void TickPacer::PaintKeysAtOnce(QWidget& control) {
  control.installEventFilter(this);
}

bool TickPacer::eventFilter(QObject*, QEvent* event) {
  if (event->type() == QEvent::KeyPress || event->type() == QEvent::InputMethod) KeyCame();
  return false;
}

void TickPacer::KeyCame() {
  keyCame_ = true;
  // A repaint held back for the next frame keeps the window from asking for another until it
  // has been served: it is asked for now, and comes once the key has been handled.
  if (frame_->isActive()) {
    frame_->stop();
    AskForRepaint();
  }
}

void TickPacer::AskForRepaint() {
  QCoreApplication::postEvent(&window_, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
}

}  // namespace numora::platform
