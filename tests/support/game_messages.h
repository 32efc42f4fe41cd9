// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The message line's texts as the pupil reads them, written once for every suite that expects
// them. Kept apart from the engines' own constants, so that a changed text fails a suite.

namespace numora::testing::message {

// Levels 1 to 6.
inline constexpr char kSuccess[] = "挑战成功,你真棒!";
inline constexpr char kFasterRun[] = "记录又被刷新!";
inline constexpr char kCountingRange[] = "您正确输入的数字范围是 1 - ";
// Levels 1 to 8.
inline constexpr char kTimeUp[] = "时间到!";
// Levels 7 and 8.
inline constexpr char kOpenRange[] = "本次有效数字范围是 1 - ";
inline constexpr char kOpenRecordRange[] = "记录又被刷新,有效数字范围是 1 - ";
// Levels 7 to 9.
inline constexpr char kWrongEntry[] = "数字输入错误，挑战结束！";
// Level 9.
inline constexpr char kBackspaceEnd[] = "不能退格，挑战结束！";
inline constexpr char kOtherKeyEnd[] = "按了非数字键,挑战结束!";
inline constexpr char kPauseEnd[] = "两次按键时间超过2秒,挑战结束!";

}  // namespace numora::testing::message
