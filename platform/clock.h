#pragma once
// The day clock the game reads: the local time of day, or whatever a test puts in its place.

#include "rules/day_clock.h"

namespace numora::platform {

// The local wall-clock time of day in milliseconds since midnight.
double LocalDayMillis();

// The clock that engines and screens are given. It forwards to the local time of day unless a
// test has put another clock in its place; the object itself never changes, so an engine that
// outlives its window keeps reading the current source.
DayClock& AppClock();

// Puts `clock` in place of the local time of day (nullptr restores it). The clock must outlive
// its use; tests call this before building any window.
void ReplaceDayClock(DayClock* clock);

}  // namespace numora::platform
