// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The day clock the game reads: the local time of day, kept steady, or whatever a test puts in
// its place.

#include <cstdint>
#include <functional>

#include "rules/day_clock.h"

namespace numora::platform {

// The local wall-clock time of day in milliseconds since midnight.
double LocalDayMillis();

// A time of day that moves only as real time passes. It starts at the local time of day and
// then follows a monotonic clock, so setting the computer's clock (by hand, or for daylight
// saving) during a run changes no elapsed time, time left or pause; local midnight still comes
// round as 0. Both sources are given, so a test can move either.
class SteadyDayClock final : public DayClock {
 public:
  SteadyDayClock(std::function<double()> wallDayMillis, std::function<std::int64_t()> monotonicMs);
  double DayMillis() override;

 private:
  std::function<std::int64_t()> monotonic_;
  double anchorDayMillis_;
  std::int64_t anchorMonotonicMs_;
};

// The clock that engines and screens are given. It forwards to the steady local time of day
// unless a test has put another clock in its place; the object itself never changes, so an
// engine that outlives its window keeps reading the current source.
DayClock& AppClock();

// Puts `clock` in place of the local time of day (nullptr restores it). The clock must outlive
// its use; tests call this before building any window.
void ReplaceDayClock(DayClock* clock);

}  // namespace numora::platform
