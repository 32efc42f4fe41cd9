#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the game and starts it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

bash "$ROOT/scripts/ensure-packages.sh" "${BUILD_PACKAGES[@]}"
build "$ROOT/build/release" -DCMAKE_BUILD_TYPE=Release -DNUMORA_TESTS=OFF -DNUMORA_BENCH=OFF
exec "$ROOT/build/release/app/numora"
