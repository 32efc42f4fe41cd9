// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The controls every challenge engine writes, by what they are on the screen, and the marks it
// writes into one of them.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace numora {

// What a control is on a challenge screen; each window's table names the control that plays
// each role (the message line is Label1 on all three, the best result Label6). The mark is
// element 10 of the one-element control array Label9; the caption is the window's title.
enum class Role : std::uint8_t {
  Caption,
  Message,  // the message line
  Level,    // the big level digit
  Name,     // the pupil's name
  School,   // the pupil's school
  Rule,     // the level's rule text
  Minutes,  // upper time row: minutes, colon, seconds, hundredths
  Colon,
  Seconds,
  Hundredths,
  LowerSeconds,  // lower time row: seconds and hundredths
  LowerHundredths,
  LastNumber,   // the last accepted number
  Best,         // the best result (a time or a count)
  BestSeconds,  // the best count's time, where the screen shows one
  BestHundredths,
  Mark,       // the tick or cross
  Entry,      // the input box
  Start,      // the start button
  PlayAgain,  // the play-again button
  Picture,    // the reward picture
  Return,     // the return button: the window's own, no engine writes it
  Count
};

inline constexpr std::size_t kRoleCount = static_cast<std::size_t>(Role::Count);

// What the mark shows for an accepted entry and for a wrong one or an end.
inline constexpr std::string_view kMarkAccepted = "√";
inline constexpr std::string_view kMarkWrong = "×";

}  // namespace numora
