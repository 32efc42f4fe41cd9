// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the first byte picks the level, the rest drives the engine's events through
// the same checks as the random event suites. Any broken rule aborts with its description.
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "counting/counting_engine.h"
#include "endurance/endurance_engine.h"
#include "open_counting/open_counting_engine.h"
#include "tests/support/engine_profiles.h"

using namespace numora;
using namespace numora::testing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int level = data[0] % 9 + 1;
  ManualClock clock(DayMillisOf(23, 55, 0, 0));
  std::unique_ptr<ChallengeEngine> engine;
  EngineProfile profile;
  if (level <= 6) {
    engine = std::make_unique<CountingEngine>(clock);
    profile = CountingProfile();
  } else if (level <= 8) {
    engine = std::make_unique<OpenCountingEngine>(clock);
    profile = OpenCountingProfile();
  } else {
    engine = std::make_unique<EnduranceEngine>(clock);
    profile = EnduranceProfile();
  }
  EngineFuzzer fuzzer(*engine, clock, std::move(profile), level);
  ByteChoices choices(data + 1, size - 1);
  const std::string failure = fuzzer.Run(choices, 1000000);
  if (!failure.empty()) {
    std::fprintf(stderr, "level %d: %s\n", level, failure.c_str());
    std::abort();
  }
  return 0;
}
