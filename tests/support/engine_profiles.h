// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the random event checks need to know of each engine: its messages, fields and best.

#include "tests/support/engine_fuzz.h"

namespace numora::testing {

inline EngineProfile CountingProfile() {
  return {EngineProfile::Best::FastestTime,
          {"挑战成功,你真棒!", "记录又被刷新!", "时间到!"},
          {"您正确输入的数字范围是 1 - "},
          3,
          {Ctl::Label2, Ctl::Label11, Ctl::Label13, Ctl::Label14, Ctl::Label15},
          {},
          /*bestSurvivesReload=*/true,
          /*tickingWhileEnded=*/true};
}

inline EngineProfile OpenCountingProfile() {
  return {EngineProfile::Best::HighestCount,
          {"数字输入错误，挑战结束！", "时间到!"},
          {"本次有效数字范围是 1 - ", "记录又被刷新,有效数字范围是 1 - "},
          4,
          {Ctl::Label2, Ctl::Label11, Ctl::Label13, Ctl::Label14, Ctl::Label15},
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
          {Ctl::Label2, Ctl::Label11, Ctl::Label13, Ctl::Label15},
          {Ctl::Label14},
          /*bestSurvivesReload=*/false,
          /*tickingWhileEnded=*/false};
}

}  // namespace numora::testing
