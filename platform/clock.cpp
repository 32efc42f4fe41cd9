#include "platform/clock.h"

#include <QTime>

#include "rules/time_text.h"

namespace numora::platform {

namespace {

class ForwardingClock final : public DayClock {
 public:
  double DayMillis() override { return source_ ? source_->DayMillis() : LocalDayMillis(); }
  void Replace(DayClock* source) { source_ = source; }

 private:
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

DayClock& AppClock() { return Forwarder(); }

void ReplaceDayClock(DayClock* clock) { Forwarder().Replace(clock); }

}  // namespace numora::platform
