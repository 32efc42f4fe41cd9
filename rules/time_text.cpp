// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/time_text.h"

#include <cmath>

namespace numora {

namespace {

// Nearest integer of r / 10 with halves going to the even neighbour, for |r| below 1000.
std::int16_t HundredthsOf(std::int32_t remainder) {
  const std::int32_t magnitude = remainder < 0 ? -remainder : remainder;
  std::int32_t q = magnitude / 10;
  const std::int32_t tenth = magnitude % 10;
  if (tenth > 5 || (tenth == 5 && q % 2 == 1)) ++q;
  return static_cast<std::int16_t>(remainder < 0 ? -q : q);
}

std::int32_t FloorDiv(std::int32_t numerator, double divisor) {
  return static_cast<std::int32_t>(std::floor(numerator / divisor));
}

}  // namespace

std::int32_t DayDiff(double later, double earlier) {
  double d = later - earlier;
  if (d < 0) d += kMillisPerDay;
  return static_cast<std::int32_t>(d);
}

ElapsedFields SplitElapsed(std::int32_t ms) {
  return {FloorDiv(ms, 1000.0), HundredthsOf(ms % 1000)};
}

CountdownFields SplitCountdown(std::int32_t ms) {
  return {FloorDiv(ms % 3600000, 60000.0), FloorDiv(ms % 60000, 1000.0), HundredthsOf(ms % 1000)};
}

std::string PlainText(std::int64_t v) {
  return std::to_string(v);
}

std::string NumberText(std::int64_t v) {
  std::string text = std::to_string(v);
  if (v >= 0) text.insert(text.begin(), ' ');
  return text;
}

std::string LastChars(const std::string& text, std::size_t n) {
  return text.size() <= n ? text : text.substr(text.size() - n);
}

std::string TwoDigitText(std::int64_t v) {
  const std::string digits = NumberText(v);
  if (v < 10) return std::string{'0', digits.back()};
  return LastChars(digits, 2);
}

std::string MinutesFieldText(std::int64_t v) {
  return LastChars(NumberText(v), 2);
}

std::string BestText(std::int64_t hundredths) {
  const std::int64_t magnitude = hundredths < 0 ? -hundredths : hundredths;
  const std::int64_t cents = magnitude % 100;
  std::string text = hundredths < 0 ? "-" : "";
  text += std::to_string(magnitude / 100);
  text += cents < 10 ? ".0" : ".";
  text += std::to_string(cents);
  return text;
}

}  // namespace numora
