// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything that depends on the level number alone: one constant row per level.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace numora {

enum class LevelMode : std::uint8_t { Counting, OpenCounting, Endurance };

// The challenge window that plays a level.
enum class ChallengeScreen : std::uint8_t { Form1, Form789, Form9 };

struct LevelRule {
  std::int16_t Level;
  LevelMode Mode;
  ChallengeScreen Screen;
  std::optional<std::int32_t> TimeLimitMs;
  std::optional<std::string_view> MinutesText;
  std::optional<std::int32_t> MaxNumber;
  std::string_view StartRuleText;   // shown on the start screen when the level is picked
  std::string_view ScreenRuleText;  // shown by the challenge screen itself
};

inline constexpr int kLevelCount = 9;

extern const std::array<LevelRule, kLevelCount> LevelTable;

// True for 1 to 9.
constexpr bool IsLevel(int level) {
  return level >= 1 && level <= kLevelCount;
}

// The row of a level 1 to 9; anything else is clamped into that range so that no caller can
// read outside the table.
const LevelRule& RuleFor(int level);

// Which window plays a level: below 7 the counting window, 7 and 8 the open counting window,
// from 9 on the endurance window.
constexpr ChallengeScreen ScreenFor(int level) {
  if (level < 7) return ChallengeScreen::Form1;
  if (level <= 8) return ChallengeScreen::Form789;
  return ChallengeScreen::Form9;
}

}  // namespace numora
