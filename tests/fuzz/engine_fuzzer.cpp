// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the first byte picks the level, the rest drives the engine's events through
// the same checks as the random event suites. Any broken rule aborts with its description.
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "registry/engines.h"
#include "tests/support/engine_profiles.h"

using namespace numora;
using namespace numora::testing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int level = data[0] % 9 + 1;
  ManualClock clock(DayMillisOf(23, 55, 0, 0));
  const std::unique_ptr<ChallengeEngine> engine = MakeEngineFor(level, clock);
  EngineFuzzer fuzzer(*engine, clock, ProfileFor(RuleFor(level).Screen), level);
  ByteChoices choices(data + 1, size - 1);
  const std::string failure = fuzzer.Run(choices, 1000000);
  if (!failure.empty()) {
    std::fprintf(stderr, "level %d: %s\n", level, failure.c_str());
    std::abort();
  }
  return 0;
}
