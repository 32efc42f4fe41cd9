// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Timer1, the 7 ms beat that drives a run, and the frame pacing that keeps a ticking window from
// repainting at every beat. What a key changes is painted at once all the same: a pupil who
// types fast sees each key at the toolkit's own speed, and the frame clock starts again from
// that paint, so that a key adds no paint to the frame after it.

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
  // The keys typed into `control` (and an input method's text) have the window repaint at once.
  void PaintKeysAtOnce(QWidget& control);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A key came: the repaint that shows it goes at once.
  void KeyCame();
  // Posts the window the repaint it waits for, after the events already queued.
  void AskForRepaint();

  QWidget& window_;
  std::function<void()> tick_;
  QTimer* timer_;
  // The repaint held back until the next frame, and when the last frame was painted.
  QTimer* frame_;
  QElapsedTimer lastFrame_;
  bool tickOwed_ = false;
  bool keyCame_ = false;
};

}  // namespace numora::platform
