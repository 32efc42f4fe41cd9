#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds everything and runs every test headless: once as built for
# play, once on Qt 5.15 (the Windows build's Qt), once more under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

bash "$ROOT/scripts/ensure-packages.sh" "${BUILD_PACKAGES[@]}" libbenchmark-dev clang libclang-rt-14-dev \
  desktop-file-utils xvfb xauth qtbase5-dev
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== Tests"
build "$ROOT/build/test" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNUMORA_WERROR=ON
ctest --test-dir "$ROOT/build/test" -j"$jobs" --output-on-failure

echo "== Tests on Qt 5.15, as the Windows build has it"
build "$ROOT/build/qt5" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNUMORA_QT_MAJOR=5 -DNUMORA_BENCH=OFF \
  -DNUMORA_WERROR=ON
ctest --test-dir "$ROOT/build/qt5" -j"$jobs" --output-on-failure

echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
build "$ROOT/build/sanitize" -DCMAKE_BUILD_TYPE=Debug -DNUMORA_SANITIZE=ON -DNUMORA_BENCH=OFF \
  -DNUMORA_WERROR=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
NUMORA_FUZZ_EVENTS=200000 \
  ctest --test-dir "$ROOT/build/sanitize" -j"$jobs" --output-on-failure

echo "== Engine fuzzing (libFuzzer, 20 s)"
build "$ROOT/build/fuzz" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNUMORA_FUZZ=ON \
  -DNUMORA_WERROR=ON
mkdir -p "$ROOT/build/fuzz/corpus"
status=0
"$ROOT/build/fuzz/tests/fuzz/engine_fuzzer" -max_total_time="${NUMORA_FUZZ_SECONDS:-20}" \
  -max_len=4096 -print_final_stats=1 "$ROOT/build/fuzz/corpus" >"$ROOT/build/fuzz/last-run.log" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
  tail -n 40 "$ROOT/build/fuzz/last-run.log"
  exit "$status"
fi
grep -E '^(Done|stat::number_of_executed_units)' "$ROOT/build/fuzz/last-run.log"
