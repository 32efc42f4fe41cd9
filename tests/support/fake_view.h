// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Test doubles for the engines: a screen that remembers what was written to it and a clock that
// moves only when the test says so.

#include <array>
#include <string>
#include <vector>

#include "rules/challenge_engine.h"
#include "rules/time_text.h"

namespace numora::testing {

constexpr const char* RoleName(Role c) {
  constexpr const char* kNames[] = {
      "Caption",    "Message",   "Level",       "Name",           "School",       "Rule",
      "Minutes",    "Colon",     "Seconds",     "Hundredths",     "LowerSeconds", "LowerHundredths",
      "LastNumber", "Best",      "BestSeconds", "BestHundredths", "Mark",         "Entry",
      "Start",      "PlayAgain", "Picture",     "Return"};
  static_assert(sizeof(kNames) / sizeof(kNames[0]) == kRoleCount);
  return kNames[static_cast<std::size_t>(c)];
}

class FakeView : public ChallengeView {
 public:
  FakeView() {
    enabled.fill(true);
    visible.fill(true);
  }

  void SetText(Role c, std::string_view text) override {
    texts[Index(c)] = std::string(text);
    log.push_back(std::string("text ") + RoleName(c) + "=" + std::string(text));
  }
  std::string_view Text(Role c) override { return texts[Index(c)]; }
  void SetEnabled(Role c, bool on) override {
    enabled[Index(c)] = on;
    log.push_back(std::string(on ? "enable " : "disable ") + RoleName(c));
  }
  void SetVisible(Role c, bool on) override {
    visible[Index(c)] = on;
    log.push_back(std::string(on ? "show " : "hide ") + RoleName(c));
  }
  void Focus(Role c) override {
    focus = c;
    log.push_back(std::string("focus ") + RoleName(c));
  }
  void SetTicking(bool on) override {
    ticking = on;
    log.push_back(on ? "tick on" : "tick off");
  }

  const std::string& text(Role c) const { return texts[Index(c)]; }
  bool isEnabled(Role c) const { return enabled[Index(c)]; }
  bool isVisible(Role c) const { return visible[Index(c)]; }

  // What the pupil types: the digits go into the box when the engine passes them on.
  int Type(ChallengeEngine& engine, char key) {
    const int passed = engine.KeyPress(static_cast<unsigned char>(key));
    std::string& box = texts[Index(Role::Entry)];
    if (IsDigitKey(passed)) box.push_back(static_cast<char>(passed));
    if (passed == kKeyBackspace && !box.empty()) box.pop_back();
    return passed;
  }
  // Types each character of `keys`, then Enter.
  void Enter(ChallengeEngine& engine, const std::string& keys) {
    for (const char k : keys) Type(engine, k);
    Type(engine, static_cast<char>(kKeyEnter));
  }

  std::array<std::string, kRoleCount> texts{};
  std::array<bool, kRoleCount> enabled{};
  std::array<bool, kRoleCount> visible{};
  Role focus = Role::Count;
  bool ticking = false;
  std::vector<std::string> log;

 private:
  static std::size_t Index(Role c) { return static_cast<std::size_t>(c); }
};

class ManualClock : public DayClock {
 public:
  explicit ManualClock(double start = DayMillisOf(10, 0, 0, 0)) : now(start) {}
  double DayMillis() override { return now; }
  void Set(int h, int m, int s, int ms) { now = DayMillisOf(h, m, s, ms); }
  // Moves on by ms, wrapping at local midnight as the real clock does.
  void Advance(double ms) {
    now += ms;
    while (now >= kMillisPerDay) now -= kMillisPerDay;
    while (now < 0) now += kMillisPerDay;
  }
  double now;
};

}  // namespace numora::testing
