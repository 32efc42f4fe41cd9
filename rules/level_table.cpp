// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/level_table.h"

#include <algorithm>

namespace numora {

namespace {
constexpr auto kCounting = LevelMode::Counting;
constexpr auto kOpen = LevelMode::OpenCounting;
constexpr auto kEndurance = LevelMode::Endurance;
constexpr auto kForm1 = ChallengeScreen::Form1;
constexpr auto kForm789 = ChallengeScreen::Form789;
constexpr auto kForm9 = ChallengeScreen::Form9;
}  // namespace

// The rule texts of levels 7 and 8 differ between the two screens: the challenge screen puts two
// blanks before "不限位" and the level-7 text there has no trailing blank.
const std::array<LevelRule, kLevelCount> LevelTable = {{
    {1, kCounting, kForm1, 300000, "5", 50, "1级规则: 5分钟 不限次 连续输入数字 1-50 ",
     "1级规则: 5分钟 不限次 连续输入数字 1-50 "},
    {2, kCounting, kForm1, 300000, "5", 100, "2级规则: 5分钟 不限次 连续输入数字 1-100 ",
     "2级规则: 5分钟 不限次 连续输入数字 1-100 "},
    {3, kCounting, kForm1, 360000, "6", 150, "3级规则: 6分钟 不限次 连续输入数字 1-150 ",
     "3级规则: 6分钟 不限次 连续输入数字 1-150 "},
    {4, kCounting, kForm1, 360000, "6", 200, "4级规则: 6分钟 不限次 连续输入数字 1-200 ",
     "4级规则: 6分钟 不限次 连续输入数字 1-200 "},
    {5, kCounting, kForm1, 420000, "7", 250, "5级规则: 7分钟 不限次 连续输入数字 1-250 ",
     "5级规则: 7分钟 不限次 连续输入数字 1-250 "},
    {6, kCounting, kForm1, 420000, "7", 300, "6级规则: 7分钟 不限次 连续输入数字 1-300 ",
     "6级规则: 7分钟 不限次 连续输入数字 1-300 "},
    {7, kOpen, kForm789, 300000, "5", std::nullopt, "7级规则: 5分钟 不限位 不能改 ",
     "7级规则: 5分钟  不限位 不能改"},
    {8, kOpen, kForm789, 420000, "7", std::nullopt, "8级规则: 7分钟 不限位 不能改 ",
     "8级规则: 7分钟  不限位 不能改 "},
    {9, kEndurance, kForm9, std::nullopt, std::nullopt, std::nullopt,
     "9级规则: 不限时 不限位 不能改 按键间隔小于2秒",
     "9级规则: 不限时 不限位 不能改 按键间隔小于2秒"},
}};

const LevelRule& RuleFor(int level) {
  return LevelTable[static_cast<std::size_t>(std::clamp(level, 1, kLevelCount) - 1)];
}

}  // namespace numora
