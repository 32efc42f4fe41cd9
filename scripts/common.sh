# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the play and test commands: what the build needs and how to build.
# shellcheck shell=bash

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev fonts-noto-cjk fonts-liberation2)

# build DIR [cmake options...]: configures once, then builds quietly; prints the log on failure.
build() {
  local dir=$1
  shift
  local log="$dir.log"
  mkdir -p "$dir"
  if [ ! -f "$dir/build.ninja" ]; then
    if ! cmake -S "$ROOT" -B "$dir" -G Ninja "$@" >"$log" 2>&1; then
      cat "$log" >&2
      return 1
    fi
  fi
  if ! cmake --build "$dir" -- --quiet >"$log" 2>&1; then
    cat "$log" >&2
    return 1
  fi
}
