#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build: installs what is missing, makes (once per machine) or reuses the Windows Qt
# kit, cross-builds the game and its suites with mingw-w64, runs the suites under Wine on a
# virtual display, and leaves in build/windows/dist/ the portable numora.exe and the installer
# numora-setup.exe, both checked under Wine.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

bash "$ROOT/scripts/ensure-packages.sh" cmake ninja-build g++-mingw-w64-x86-64-posix nsis wine \
  wine64 xvfb xauth x11-utils fonts-noto-cjk fonts-liberation2 qt6-base-dev qt6-base-dev-tools
# Wine's windows, even the hidden ones Qt makes for its event loop, need a display: the rest
# runs under a virtual one of its own.
if [ -z "${NUMORA_WINDOWS_DISPLAY:-}" ]; then
  exec env NUMORA_WINDOWS_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    bash "${BASH_SOURCE[0]}" "$@"
fi

echo "== Windows Qt kit"
KIT=$(bash "$ROOT/scripts/windows-kit.sh" | tail -n1)
echo "$KIT"

# Qt's offscreen platform, which the suites run on, reads its fonts on Windows from the kit's
# lib/fonts rather than from Windows: there go the host's faces, the ones Wine shows the game.
mkdir -p "$KIT/lib/fonts"
find /usr/share/fonts \( -name '*.ttf' -o -name '*.ttc' -o -name '*.otf' \) \
  -exec ln -sf -t "$KIT/lib/fonts" {} +

BUILD=$ROOT/build/windows
DIST=$BUILD/dist
source "$ROOT/scripts/wine-env.sh"
work=$(mktemp -d)
cleanup() {
  local status=$?
  [ -n "${GAME_PID:-}" ] && kill "$GAME_PID" 2>/dev/null
  wineserver -k 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
  exit "$status"
}
trap cleanup EXIT
unset QT_QPA_PLATFORM
wine_prefix_ready

echo "== Cross-build (mingw-w64, static Qt)"
mkdir -p "$BUILD"
# -O2 as the Linux builds: GCC 12 warns falsely (-Wrestrict) about std::string at -O3.
if [ ! -f "$BUILD/build.ninja" ]; then
  "$KIT/bin/qt-cmake" -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DNUMORA_BENCH=OFF -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$ROOT/scripts/wine-run.sh" \
    -DNUMORA_QT_LICENSES="$KIT/licenses" >"$BUILD.log" 2>&1 || { cat "$BUILD.log" >&2; exit 1; }
fi
cmake --build "$BUILD" -- --quiet >"$BUILD.log" 2>&1 || { cat "$BUILD.log" >&2; exit 1; }

echo "== Suites under Wine"
# The artefacts are made and checked even when a suite fails; the command fails at the end.
suites=0
ctest --test-dir "$BUILD" -j"$(nproc)" --output-on-failure || suites=$?

echo "== build/windows/dist"
cmake --build "$BUILD" --target numora_dist -- --quiet >"$BUILD.log" 2>&1 ||
  { cat "$BUILD.log" >&2; exit 1; }
bash "$ROOT/scripts/windows-check.sh" "$DIST"
ls -l "$DIST/numora.exe" "$DIST/numora-setup.exe" | awk '{print $5, $9}'
if [ "$suites" -ne 0 ]; then
  echo "Some suites failed under Wine (above)." >&2
  exit "$suites"
fi
