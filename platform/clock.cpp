// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/clock.h"

#include <QElapsedTimer>
#include <QTime>
#include <cmath>

namespace numora::platform {

namespace {

std::int64_t MonotonicMs() {
  static QElapsedTimer timer = [] {
    QElapsedTimer t;
    t.start();
    return t;
  }();
  return timer.elapsed();
}

class ForwardingClock final : public DayClock {
 public:
  double DayMillis() override { return source_ ? source_->DayMillis() : steady_.DayMillis(); }
  void Replace(DayClock* source) { source_ = source; }

 private:
  SteadyDayClock steady_{LocalDayMillis, MonotonicMs};
  DayClock* source_ = nullptr;
};

ForwardingClock& Forwarder() {
  static ForwardingClock clock;
  return clock;
}

}  // namespace

double LocalDayMillis() {
  const QTime t = QTime::currentTime();
  return DayMillisOf(t.hour(), t.minute(), t.second(), t.msec());
}

SteadyDayClock::SteadyDayClock(std::function<double()> wallDayMillis,
                               std::function<std::int64_t()> monotonicMs)
    : monotonic_(std::move(monotonicMs)),
      anchorDayMillis_(wallDayMillis()),
      anchorMonotonicMs_(monotonic_()) {}

double SteadyDayClock::DayMillis() {
  const std::int64_t since = monotonic_() - anchorMonotonicMs_;
  return std::fmod(anchorDayMillis_ + static_cast<double>(since), kMillisPerDay);
}

DayClock& AppClock() {
  return Forwarder();
}

void ReplaceDayClock(DayClock* clock) {
  Forwarder().Replace(clock);
}

}  // namespace numora::platform
