#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

bash "$ROOT/scripts/ensure-packages.sh" "${BUILD_PACKAGES[@]}" libbenchmark-dev
build "$ROOT/build/test" -DCMAKE_BUILD_TYPE=RelWithDebInfo
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$ROOT/build/test" -j"$(nproc)" --output-on-failure
