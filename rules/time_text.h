// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The day clock's arithmetic and the rules that turn times and numbers into field texts.
// All functions are pure; the texts are short enough to live in std::string's inline buffer, so
// none of them allocates.

#include <cstdint>
#include <string>

#include "rules/day_clock.h"

namespace numora {

// later - earlier for two readings of the day clock. A difference below 0 means local midnight
// lies between the readings, so a whole day is added back.
std::int32_t DayDiff(double later, double earlier);

struct ElapsedFields {
  std::int32_t Seconds;
  std::int16_t Hundredths;  // 0 to 100: 995 ms and above round up to 100
};

struct CountdownFields {
  std::int32_t Minutes;
  std::int32_t Seconds;
  std::int16_t Hundredths;
};

ElapsedFields SplitElapsed(std::int32_t ms);
CountdownFields SplitCountdown(std::int32_t ms);

// Decimal digits, with one blank before a number of 0 or more and "-" before a negative one.
std::string NumberText(std::int64_t v);
// Decimal digits alone ("-" for a negative number): the level, the best counts.
std::string PlainText(std::int64_t v);
// "07", "42"; 100 shows "00".
std::string TwoDigitText(std::int64_t v);
// " 4": no leading zero.
std::string MinutesFieldText(std::int64_t v);
// Hundredths of a second as seconds with two decimals: 2345 gives "23.45".
std::string BestText(std::int64_t hundredths);
// The last n characters of a text (the whole text when it is shorter).
std::string LastChars(const std::string& text, std::size_t n);

}  // namespace numora
