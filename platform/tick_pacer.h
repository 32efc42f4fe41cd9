// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Timer1, the 7 ms beat that drives a run, and the frame pacing that keeps a ticking window from
// repainting at every beat.

#include <QElapsedTimer>
#include <QObject>
#include <functional>

class QTimer;
class QWidget;

namespace numora::platform {

class TickPacer : public QObject {
 public:
  static constexpr int kTickMs = 7;
  // While a run ticks, the window repaints at most once in this time: about a display's frame.
  static constexpr int kFrameMs = 16;

  // The timers belong to `window`; each beat calls `tick`.
  TickPacer(QWidget& window, std::function<void()> tick);

  QTimer* timer() const { return timer_; }
  // Starts the beat, or stops it. Asked again while it runs, the beat starts again from now,
  // and its first tick is owed: TickIfRestarted delivers it.
  void SetTicking(bool ticking);
  // After an event that may have restarted the beat (a key): the owed tick, at once, as Timer1's
  // own, so that the next ticks fall whole beats after it.
  void TickIfRestarted();
  // For the window's repaint requests: true when this one is held back until the next frame.
  bool HoldBackRepaint();

 private:
  QWidget& window_;
  std::function<void()> tick_;
  QTimer* timer_;
  // The repaint held back until the next frame, and when the last frame was painted.
  QTimer* frame_;
  QElapsedTimer lastFrame_;
  bool tickOwed_ = false;
};

}  // namespace numora::platform
