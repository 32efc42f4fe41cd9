// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace numora {

// The local time of day in milliseconds since midnight (0 to 86399999, always whole). Engines
// read time only through the clock they are given, so a test can run any time it likes.
class DayClock {
 public:
  virtual ~DayClock() = default;
  virtual double DayMillis() = 0;
};

}  // namespace numora
