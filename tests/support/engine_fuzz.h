// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drives a challenge engine with random events a pupil could cause (only enabled buttons are
// pressed, keys go only into an enabled input box) while the clock moves forward, jumps back,
// crosses midnight or stands still, and checks after every event what a pupil would notice if
// it broke. Used by the property suites with a seeded generator and by the fuzz target with the
// fuzzer's bytes.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "tests/support/fake_view.h"
#include "tests/support/game_messages.h"

namespace numora::testing {

// Where the choices come from.
class ChoiceSource {
 public:
  virtual ~ChoiceSource() = default;
  // A number from 0 to bound - 1.
  virtual std::uint32_t Pick(std::uint32_t bound) = 0;
  virtual bool Exhausted() const { return false; }
};

class SeededChoices final : public ChoiceSource {
 public:
  explicit SeededChoices(std::uint32_t seed) : engine_(seed) {}
  std::uint32_t Pick(std::uint32_t bound) override {
    return std::uniform_int_distribution<std::uint32_t>(0, bound - 1)(engine_);
  }

 private:
  std::mt19937 engine_;
};

class ByteChoices final : public ChoiceSource {
 public:
  ByteChoices(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint32_t Pick(std::uint32_t bound) override {
    std::uint32_t value = 0;
    for (int i = 0; i < 3 && pos_ < size_; ++i) value = value << 8 | data_[pos_++];
    return value % bound;
  }
  bool Exhausted() const override { return pos_ >= size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// What differs between the engines as far as the checks go.
struct EngineProfile {
  enum class Best { FastestTime, HighestCount, CountThenTime } best;
  std::vector<std::string> messages;       // whole texts Label1 may hold
  std::vector<std::string> countMessages;  // followed by NumberText of the run's count
  std::size_t lastNumberChars;             // Label4 shows the last n characters
  std::vector<Role> twoCharFields;         // time fields of at most two characters
  std::vector<Role> digitFields;           // time fields of digits only, any length
  bool bestSurvivesReload;                 // counting keeps its best across visits
  bool tickingWhileEnded;                  // the time limit keeps ticking after a run ends
};

class EngineFuzzer {
 public:
  EngineFuzzer(ChallengeEngine& engine, ManualClock& clock, EngineProfile profile, int level)
      : engine_(engine), clock_(clock), profile_(std::move(profile)), level_(level) {}

  // Runs events until `events` have run or the source is exhausted. Returns the first broken
  // rule, or an empty text.
  std::string Run(ChoiceSource& choices, long events) {
    Load(choices);
    for (long i = 0; i < events && !choices.Exhausted(); ++i) {
      Step(choices);
      if (!failure_.empty()) return "event " + std::to_string(i) + ": " + failure_;
    }
    return failure_;
  }

  long acceptedTotal() const { return acceptedTotal_; }

 private:
  void Load(ChoiceSource& choices) {
    view_ = FakeView();
    Pupil pupil;
    pupil.GameLevel = static_cast<std::int16_t>(level_);
    pupil.StudentName = choices.Pick(2) ? "小明" : "";
    engine_.Load(view_, pupil);
    accepted_ = 0;
    // A careful visit types only right numbers and lets the clock run on evenly, so that long
    // and complete runs happen as well as the short broken ones.
    careful_ = choices.Pick(3) == 0;
    if (!profile_.bestSurvivesReload) best_.reset();
    Check("Load");
  }

  void Step(ChoiceSource& choices) {
    switch (choices.Pick(16)) {
      case 0:
        if (!careful_) MoveClock(choices);
        break;
      case 1:
        if (choices.Pick(40) == 0) Load(choices);
        break;
      case 2:
        if (Pressable(Role::Start)) {
          accepted_ = 0;
          engine_.Start();
          Check("Start");
        }
        break;
      case 3:
        if (Pressable(Role::PlayAgain)) {
          engine_.PlayAgain();
          Check("PlayAgain");
        }
        break;
      case 4:
      case 5:
        if (view_.isEnabled(Role::Entry) && !careful_) {
          const int code = static_cast<int>(choices.Pick(256));
          Key(code);
        }
        break;
      case 6:
      case 7:
      case 8:
      case 9:
        TypeNumber(choices);
        break;
      default:
        clock_.Advance(choices.Pick(12));
        engine_.Tick();
        Check("Tick");
        break;
    }
  }

  void MoveClock(ChoiceSource& choices) {
    switch (choices.Pick(6)) {
      case 0:
        clock_.Advance(choices.Pick(3000));
        break;
      case 1:
        clock_.Advance(choices.Pick(600000));
        break;
      case 2:
        clock_.Advance(-3600000.0);  // the local clock set back an hour
        break;
      case 3:
        clock_.Advance(3600000.0);
        break;
      case 4:
        clock_.Set(23, 59, 59, static_cast<int>(choices.Pick(1000)));
        break;
      default:
        break;  // the clock stands still
    }
  }

  // The next number, mostly right, with Enter; sometimes a typo or a leading zero.
  void TypeNumber(ChoiceSource& choices) {
    std::string digits = std::to_string(accepted_ + 1);
    switch (careful_ ? 12 : choices.Pick(12)) {
      case 0:
        digits = std::to_string(choices.Pick(100000));
        break;
      case 1:
        digits = "0" + digits;
        break;
      case 2:
        digits.clear();
        break;
      default:
        break;
    }
    for (const char c : digits) {
      if (!view_.isEnabled(Role::Entry)) return;
      Key(c);
    }
    if (view_.isEnabled(Role::Entry)) Key(kKeyEnter);
  }

  void Key(int code) {
    const std::string before = view_.text(Role::Entry);
    view_.Type(engine_, static_cast<char>(code));
    if (code == kKeyEnter && view_.text(Role::Mark) == "√" && !before.empty()) {
      // Worked out here, not with the game's own parsing and number texts.
      const std::size_t firstDigit = std::min(before.find_first_not_of('0'), before.size() - 1);
      const std::string digits = before.substr(firstDigit);
      if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 9) {
        Fail("an entry that is not a number was accepted: " + before);
      } else {
        ++accepted_;
        ++acceptedTotal_;
        if (digits != std::to_string(accepted_)) {
          Fail("accepted " + before + " as number " + std::to_string(accepted_));
        }
        const std::string number = " " + digits;
        const std::size_t keep = std::min(number.size(), profile_.lastNumberChars);
        const std::string shown = number.substr(number.size() - keep);
        if (view_.text(Role::LastNumber) != shown) {
          Fail("Label4 shows '" + view_.text(Role::LastNumber) + "' after accepting " + before);
        }
      }
    }
    Check("KeyPress " + std::to_string(code));
  }

  bool Pressable(Role button) const { return view_.isEnabled(button) && view_.isVisible(button); }

  void Check(const std::string& event) {
    if (!failure_.empty()) return;
    const std::string& box = view_.text(Role::Entry);
    for (const char c : box) {
      if (c < '0' || c > '9') return Fail(event + ": input box holds '" + box + "'");
    }
    const std::string& mark = view_.text(Role::Mark);
    if (mark != "" && mark != "√" && mark != "×") return Fail(event + ": mark '" + mark + "'");
    if (!KnownMessage(view_.text(Role::Message))) {
      return Fail(event + ": message '" + view_.text(Role::Message) + "'");
    }
    for (const Role field : profile_.twoCharFields) {
      const std::string& t = view_.text(field);
      if (t.size() > 2 || t.find('-') != std::string::npos) {
        return Fail(event + ": field " + RoleName(field) + " shows '" + t + "'");
      }
    }
    for (const Role field : profile_.digitFields) {
      for (const char c : view_.text(field)) {
        if (c < '0' || c > '9') {
          return Fail(event + ": field " + RoleName(field) + " shows '" + view_.text(field) + "'");
        }
      }
    }
    if (view_.isEnabled(Role::Entry) && !view_.ticking) {
      return Fail(event + ": a run is open but the tick is stopped");
    }
    if (!profile_.tickingWhileEnded && !view_.isEnabled(Role::Entry) && view_.ticking) {
      return Fail(event + ": no run is open but the tick runs");
    }
    if (view_.text(Role::Message) == message::kTimeUp && view_.ticking) {
      return Fail(event + ": time is up but the tick runs");
    }
    CheckBest(event);
    view_.log.clear();
  }

  bool KnownMessage(const std::string& text) const {
    if (text.empty() || text == " ") return true;
    for (const auto& m : profile_.messages) {
      if (text == m) return true;
    }
    for (const auto& prefix : profile_.countMessages) {
      if (text.rfind(prefix, 0) == 0) {
        return text.substr(prefix.size()) == " " + std::to_string(accepted_);
      }
    }
    return false;
  }

  // A shown best is a number (with the time for the endurance best); it never gets worse.
  void CheckBest(const std::string& event) {
    const std::string& count = view_.text(Role::Best);
    if (count.empty()) return;
    Score now;
    try {
      if (profile_.best == EngineProfile::Best::FastestTime) {
        now.time = std::stod(count);
      } else {
        now.count = std::stol(count);
        if (profile_.best == EngineProfile::Best::CountThenTime) {
          now.time =
              std::stod(view_.text(Role::BestSeconds) + "." + view_.text(Role::BestHundredths));
        }
      }
    } catch (...) {
      return Fail(event + ": best shows '" + count + "'");
    }
    // A best count of 0 stands for no result yet: any later run replaces it.
    if (profile_.best != EngineProfile::Best::FastestTime && now.count == 0) {
      if (best_ && best_->count > 0) return Fail(event + ": best count fell to 0");
      return;
    }
    if (best_ && Worse(now, *best_)) return Fail(event + ": best got worse: '" + count + "'");
    best_ = now;
  }

  struct Score {
    long count = 0;
    double time = 0;
  };
  bool Worse(const Score& a, const Score& b) const {
    switch (profile_.best) {
      case EngineProfile::Best::FastestTime:
        return a.time > b.time + 1e-9;
      case EngineProfile::Best::HighestCount:
        return a.count < b.count;
      case EngineProfile::Best::CountThenTime:
        return a.count < b.count || (a.count == b.count && a.time > b.time + 1e-9);
    }
    return false;
  }

  void Fail(const std::string& what) {
    if (failure_.empty()) failure_ = what;
  }

  ChallengeEngine& engine_;
  ManualClock& clock_;
  EngineProfile profile_;
  int level_;
  FakeView view_;
  long accepted_ = 0;
  long acceptedTotal_ = 0;
  bool careful_ = false;
  std::optional<Score> best_;
  std::string failure_;
};

}  // namespace numora::testing

namespace numora::testing {

// Events per engine: 1000000 unless NUMORA_FUZZ_EVENTS asks for more (or fewer).
inline long FuzzEvents() {
  if (const char* env = std::getenv("NUMORA_FUZZ_EVENTS")) {
    const long n = std::atol(env);
    if (n > 0) return n;
  }
  return 1000000;
}

// Empty when the random runs counted about as far as `events` events take them; otherwise
// why not. About one event in ten accepts a number over a long run, fewer over a short one, so
// one in a hundred is the floor; it follows the number of events, so that a short run asked for
// through NUMORA_FUZZ_EVENTS passes on sound code. A few hundred events may pass before the
// first run even starts: below a thousand, nothing is expected.
inline std::string CoverageShortfall(long accepted, long events) {
  const long expected = events < 1000 ? 0 : events / 100;
  if (accepted >= expected) return {};
  return "the random runs hardly counted: " + std::to_string(accepted) + " numbers accepted in " +
         std::to_string(events) + " events, at least " + std::to_string(expected) + " expected";
}

}  // namespace numora::testing
