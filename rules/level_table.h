// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything that depends on the level number alone: one constant row per level.

#include <array>
#include <cstddef>
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
  // The largest entry that is read as a number; anything above it is a wrong entry.
  std::int32_t LargestEntry;
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

// Whether an entry may be edited before Enter (Delete, the arrows, the mouse): only the counting
// levels allow it; the open levels' rule says "不能改".
constexpr bool AllowsCorrections(LevelMode mode) {
  return mode == LevelMode::Counting;
}

// True for a level of the table played in that mode.
bool IsLevelOf(int level, LevelMode mode);

// The row of the level when it is played in that mode, otherwise the row of the nearest level
// that is: an engine loaded with a level of another mode plays by the rules it knows.
const LevelRule& NearestRuleOf(int level, LevelMode mode);

}  // namespace numora
