#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless: once as built for
# play, once more under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

bash "$ROOT/scripts/ensure-packages.sh" "${BUILD_PACKAGES[@]}" libbenchmark-dev
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== Tests"
build "$ROOT/build/test" -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir "$ROOT/build/test" -j"$jobs" --output-on-failure

echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
build "$ROOT/build/sanitize" -DCMAKE_BUILD_TYPE=Debug -DNUMORA_SANITIZE=ON -DNUMORA_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
NUMORA_FUZZ_EVENTS=200000 \
  ctest --test-dir "$ROOT/build/sanitize" -j"$jobs" --output-on-failure
