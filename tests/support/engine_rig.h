// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An engine on a recording screen with a clock the test moves: what every engine suite plays on.

#include <QString>
#include <string>
#include <string_view>

#include "tests/support/fake_view.h"

namespace numora::testing {

inline QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

template <class Engine>
struct EngineRig {
  ManualClock clock;
  FakeView view;
  Engine engine{clock};

  void Open(int level, const std::string& name, const std::string& school) {
    engine.Load(view, Pupil{static_cast<std::int16_t>(level), name, school});
  }
  QString Text(Ctl c) const { return Q(view.text(c)); }
  // Moves the clock on by `ms`, then one tick.
  void TickAfter(double ms) {
    clock.Advance(ms);
    engine.Tick();
  }
  void Type(const std::string& keys) {
    for (const char k : keys) view.Type(engine, k);
  }
  // Types the keys, then Enter.
  void Enter(const std::string& keys) { view.Enter(engine, keys); }
  // Every number from 1 to `last`, each with Enter.
  void EnterUpTo(int last) {
    for (int n = 1; n <= last; ++n) Enter(std::to_string(n));
  }
};

}  // namespace numora::testing
