// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/challenge.h"

namespace numora {

std::optional<std::int32_t> ReadEntry(std::string_view text, std::int32_t max) {
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > max) return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace numora
