#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the README's pictures of the four screens into docs/ under a virtual X display of its
# own: the start screen, a complete counting run, an open counting run under way and an
# endurance run ended by a pause. The windows are the game's own, played in-process on a manual
# clock (bench/screenshot_maker.cpp), so the pictures change only when the screens do.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$(dirname "${BASH_SOURCE[0]}")/virtual-display.sh"

bash "$ROOT/scripts/ensure-packages.sh" "${BUILD_PACKAGES[@]}" libbenchmark-dev xvfb xauth
BUILD=${NUMORA_MEASURE_BUILD:-$ROOT/build/measure}
build "$BUILD" -DCMAKE_BUILD_TYPE=Release -DNUMORA_TESTS=OFF -DNUMORA_BENCH=ON

work=$(mktemp -d)
trap 'kill "${VIRTUAL_DISPLAY_PID:-}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT
start_virtual_display "$work/xvfb.log"
XDG_RUNTIME_DIR=$work "$BUILD/bench/screenshot_maker" "$ROOT/docs"
