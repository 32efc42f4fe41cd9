// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace numora {

inline constexpr std::int32_t kMillisPerDay = 86400000;

// Milliseconds since local midnight from the parts of a local time of day.
constexpr double DayMillisOf(int hour, int minute, int second, int millis) {
  return hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + millis;
}

// The local time of day in milliseconds since midnight (0 to 86399999, always whole). Engines
// read time only through the clock they are given, so a test can run any time it likes.
class DayClock {
 public:
  virtual ~DayClock() = default;
  virtual double DayMillis() = 0;
};

}  // namespace numora
