// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a benchmark of an engine drives it with: a run going on a manual clock, a screen that
// costs next to nothing, and the keys of the numbers 1, 2, 3, ... as the pupil types them.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "rules/challenge_engine.h"
#include "tests/support/fake_view.h"

namespace numora::bench {

// A screen that keeps only the input box's text, in a fixed buffer as a widget would hold it;
// everything else the engine writes is dropped.
class CheapView final : public ChallengeView {
 public:
  void SetText(Role c, std::string_view text) override {
    if (c == Role::Entry) SetBox(text);
  }
  std::string_view Text(Role c) override {
    return c == Role::Entry ? std::string_view(box_.data(), boxSize_) : std::string_view();
  }
  void SetEnabled(Role, bool) override {}
  void SetVisible(Role, bool) override {}
  void Focus(Role) override {}
  void SetTicking(bool) override {}

  // Puts `text` in the box, as typing it would.
  void SetBox(std::string_view text) {
    boxSize_ = std::min(text.size(), box_.size());
    std::memcpy(box_.data(), text.data(), boxSize_);
  }
  // One key as the input box hands it on: the engine sees it first, and a digit it lets
  // through lands in the box, a backspace takes the last character out.
  int Type(ChallengeEngine& engine, char key) {
    const int passed = engine.KeyPress(static_cast<unsigned char>(key));
    if (IsDigitKey(passed) && boxSize_ < box_.size()) {
      box_[boxSize_++] = static_cast<char>(passed);
    }
    if (passed == kKeyBackspace && boxSize_ > 0) --boxSize_;
    return passed;
  }

 private:
  std::array<char, 32> box_{};
  std::size_t boxSize_ = 0;
};

// The keys of 1, 2, 3, ... each number followed by Enter, one key at a time.
class NumberKeys {
 public:
  char Next() {
    if (next_ == length_) {
      length_ = std::snprintf(keys_.data(), keys_.size(), "%d\r", ++number_);
      next_ = 0;
    }
    return keys_[static_cast<std::size_t>(next_++)];
  }
  // The number whose first key comes next, when the last one is complete; otherwise 0.
  int NumberAhead() const { return next_ == length_ ? number_ + 1 : 0; }
  // Starts again from 1.
  void Restart() { number_ = next_ = length_ = 0; }

 private:
  std::array<char, 16> keys_{};
  int length_ = 0;
  int next_ = 0;
  int number_ = 0;
};

// An engine loaded for a pupil with its run started, on a clock the benchmark moves.
template <class Engine>
struct EngineRun {
  explicit EngineRun(const Pupil& who) : pupil(who) { Restart(); }
  // A fresh visit with the run going.
  void Restart() {
    engine.Load(view, pupil);
    engine.Start();
  }
  // The window timer's tick, `ms` after the one before.
  void Tick(double ms = 7) {
    clock.Advance(ms);
    engine.Tick();
  }

  testing::ManualClock clock;
  CheapView view;
  Engine engine{clock};
  Pupil pupil;
};

}  // namespace numora::bench
