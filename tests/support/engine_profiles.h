// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the random event checks need to know of each engine: its messages, fields and best.

#include "rules/level_table.h"
#include "tests/support/engine_fuzz.h"

namespace numora::testing {

inline EngineProfile CountingProfile() {
  return {
      EngineProfile::Best::FastestTime,
      {"挑战成功,你真棒!", "记录又被刷新!", "时间到!"},
      {"您正确输入的数字范围是 1 - "},
      3,
      {Role::LowerSeconds, Role::LowerHundredths, Role::Hundredths, Role::Seconds, Role::Minutes},
      {},
      /*bestSurvivesReload=*/true,
      /*tickingWhileEnded=*/true};
}

inline EngineProfile OpenCountingProfile() {
  return {
      EngineProfile::Best::HighestCount,
      {"数字输入错误，挑战结束！", "时间到!"},
      {"本次有效数字范围是 1 - ", "记录又被刷新,有效数字范围是 1 - "},
      4,
      {Role::LowerSeconds, Role::LowerHundredths, Role::Hundredths, Role::Seconds, Role::Minutes},
      {},
      /*bestSurvivesReload=*/false,
      /*tickingWhileEnded=*/true};
}

inline EngineProfile EnduranceProfile() {
  return {EngineProfile::Best::CountThenTime,
          {"数字输入错误，挑战结束！", "不能退格，挑战结束！", "按了非数字键,挑战结束!",
           "两次按键时间超过2秒,挑战结束!"},
          {},
          4,
          {Role::LowerSeconds, Role::LowerHundredths, Role::Hundredths, Role::Minutes},
          {Role::Seconds},
          /*bestSurvivesReload=*/false,
          /*tickingWhileEnded=*/false};
}

// The profile of the engine that plays `screen`.
inline EngineProfile ProfileFor(ChallengeScreen screen) {
  switch (screen) {
    case ChallengeScreen::Form1:
      return CountingProfile();
    case ChallengeScreen::Form789:
      return OpenCountingProfile();
    case ChallengeScreen::Form9:
      break;
  }
  return EnduranceProfile();
}

}  // namespace numora::testing
