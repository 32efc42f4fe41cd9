#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build: installs what is missing, makes (once per machine) or reuses the Windows Qt
# kit (Qt 5.15, 32-bit), cross-builds the game and its suites with mingw-w64, and leaves in
# build/windows/dist/ the portable numora.exe and the installer numora-setup.exe. The exe is
# checked as a file (that Windows 7 SP1 loads it); then, in the Wine lane, the suites run under
# Wine (a 32-bit prefix that says it is Windows 7) on a virtual display and both artefacts are
# tried there too. The lane runs natively where the kernel runs 32-bit x86 code, otherwise
# through qemu-user (scripts/wine-qemu.sh); NUMORA_WINE_QEMU=1 takes qemu's road everywhere.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$ROOT/scripts/wine-qemu.sh"

# Whether the kernel runs 32-bit x86 programs, which Wine's 32-bit half is: a virtual machine
# may run 64-bit code only (its kernel then says "IA-32 emulation off"). With qemu registered,
# whether qemu runs them.
runs_32bit() {
  local dir status=0
  dir=$(mktemp -d)
  printf '.globl _start\n_start: movl $1, %%eax\n xorl %%ebx, %%ebx\n int $0x80\n' >"$dir/t.s"
  as --32 -o "$dir/t.o" "$dir/t.s" && ld -m elf_i386 -o "$dir/t" "$dir/t.o" && "$dir/t" 2>/dev/null ||
    status=1
  rm -rf "$dir"
  return "$status"
}

# part NAME: ends the part before (saying how long it took) and starts the next.
part() {
  [ -n "${PART:-}" ] && echo "   ($PART: $((SECONDS - PART_START)) s)"
  PART=$1
  PART_START=$SECONDS
  [ -n "$PART" ] && echo "== $PART"
  return 0
}

if [ -z "${NUMORA_WINDOWS_DISPLAY:-}" ]; then
  bash "$ROOT/scripts/ensure-packages.sh" binutils cmake ninja-build g++-mingw-w64-i686-posix nsis \
    "${BUILD_PACKAGES[@]}"
  # A registration left by a run that was cut off would answer the native check through qemu.
  qemu_lane_release
  lane='' why=''
  if [ "${NUMORA_WINE_QEMU:-0}" != 1 ] && runs_32bit; then
    lane=native
  else
    # The registration goes again with this script, whatever ends it before the lane does.
    trap qemu_lane_release EXIT
    if [ "${NUMORA_WINE_QEMU:-0}" = 1 ]; then why="NUMORA_WINE_QEMU=1"; else
      why="this kernel runs no 32-bit x86 code"; fi
    if qemu_lane_ready && runs_32bit; then
      lane=qemu
    else
      why="$why, and qemu-user cannot stand in: ${QEMU_LANE_WHY:-qemu-i386 runs no 32-bit program}"
    fi
  fi
  if [ -n "$lane" ]; then
    # Wine runs 32-bit programs with its i386 half, which needs Debian's i386 architecture.
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
      [ "$(id -u)" -eq 0 ] || { echo "Run as root: dpkg --add-architecture i386 is needed" >&2; exit 1; }
      dpkg --add-architecture i386
    fi
    bash "$ROOT/scripts/ensure-packages.sh" wine wine32:i386 xvfb xauth x11-utils
    if [ "$lane" = native ]; then
      echo "Wine lane: native (this kernel runs 32-bit x86 code)"
    else
      echo "Wine lane: through qemu-user $QEMU_LANE_VERSION ($why)"
    fi
    trap - EXIT
    # Wine's windows, even the hidden ones Qt makes for its event loop, need a display: the
    # rest runs under a virtual one of its own.
    exec env NUMORA_WINDOWS_DISPLAY=1 NUMORA_WINE_LANE="$lane" \
      xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash "${BASH_SOURCE[0]}" "$@"
  fi
  NUMORA_WINDOWS_DISPLAY=none
  echo "Wine lane: not run ($why): the suites and the artefacts are not tried under Wine;" \
    "numora.exe is checked as a file."
fi

part "Windows Qt kit"
KIT=$(bash "$ROOT/scripts/windows-kit.sh" | tail -n1)
echo "$KIT"

part "Icon maker (host)"
# The pictures the exe embeds are drawn by the game's own code built for this machine: the
# Windows build's programs need not run here.
host=$ROOT/build/host-tools
if [ ! -f "$host/build.ninja" ]; then
  cmake -S "$ROOT" -B "$host" -G Ninja -DCMAKE_BUILD_TYPE=Release -DNUMORA_TESTS=OFF \
    -DNUMORA_BENCH=OFF >"$host.log" 2>&1 || { cat "$host.log" >&2; exit 1; }
fi
cmake --build "$host" --target numora_icon_maker -- --quiet >"$host.log" 2>&1 ||
  { cat "$host.log" >&2; exit 1; }

BUILD=$ROOT/build/windows
DIST=$BUILD/dist
wine=yes
[ "$NUMORA_WINDOWS_DISPLAY" = none ] && wine=
if [ -n "$wine" ]; then
  # Qt's offscreen platform, which the suites run on, reads its fonts on Windows from the kit's
  # lib/fonts rather than from Windows: there go the host's faces, the ones Wine shows the game.
  mkdir -p "$KIT/lib/fonts"
  find /usr/share/fonts \( -name '*.ttf' -o -name '*.ttc' -o -name '*.otf' \) \
    -exec ln -sf -t "$KIT/lib/fonts" {} +
  source "$ROOT/scripts/wine-env.sh"
  cleanup() {
    local status=$?
    [ -n "${GAME_PID:-}" ] && kill "$GAME_PID" 2>/dev/null
    wineserver -k 2>/dev/null || true
    wait 2>/dev/null || true
    [ "${NUMORA_WINE_LANE:-}" = qemu ] && qemu_lane_release
    exit "$status"
  }
  trap cleanup EXIT
  unset QT_QPA_PLATFORM
  part "Wine prefix (32-bit, Windows 7)"
  wine_prefix_ready || { cat "$WINEPREFIX.log" >&2; exit 1; }
fi

part "Cross-build (mingw-w64, static Qt 5.15, 32-bit)"
mkdir -p "$BUILD"
# -O2 as the Linux builds: GCC 12 warns falsely (-Wrestrict) about std::string at -O3. Without
# Wine the suites and the measuring tools are not built: nothing could run them.
options=(-DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" -DNUMORA_QT_KIT="$KIT"
  -DNUMORA_QT_MAJOR=5 -DQT_DIR="$KIT/lib/cmake/Qt5" -DQt5_DIR="$KIT/lib/cmake/Qt5"
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG"
  -DNUMORA_ICON_MAKER="$host/app/numora_icon_maker"
  -DCMAKE_CROSSCOMPILING_EMULATOR="$ROOT/scripts/wine-run.sh" -DNUMORA_QT_LICENSES="$KIT/licenses"
  -DNUMORA_TESTS="$([ -n "$wine" ] && echo ON || echo OFF)"
  -DNUMORA_BENCH="$([ -n "$wine" ] && echo ON || echo OFF)"
  -DNUMORA_TEST_TIMEOUT="$([ "${NUMORA_WINE_LANE:-}" = qemu ] && echo 3600 || echo 600)")
if [ ! -f "$BUILD/build.ninja" ] || [ "$(cat "$BUILD/numora-options" 2>/dev/null)" != "${options[*]}" ]; then
  rm -f "$BUILD/CMakeCache.txt"
  cmake -S "$ROOT" -B "$BUILD" -G Ninja "${options[@]}" >"$BUILD.log" 2>&1 ||
    { cat "$BUILD.log" >&2; exit 1; }
  printf '%s' "${options[*]}" >"$BUILD/numora-options"
fi
cmake --build "$BUILD" -- --quiet >"$BUILD.log" 2>&1 || { cat "$BUILD.log" >&2; exit 1; }

suites=0
if [ -n "$wine" ]; then
  part "Suites under Wine"
  # One Wine server for all the suites: one that ends a moment after the last program of a suite
  # resets the next suite's connection ("recvmsg: Connection reset by peer").
  wineserver -p
  # The artefacts are made and checked even when a suite fails; the command fails at the end.
  ctest --test-dir "$BUILD" -j"$(nproc)" --output-on-failure || suites=$?
  wineserver -k 2>/dev/null || true
fi

part "build/windows/dist and its checks"
cmake --build "$BUILD" --target numora_dist -- --quiet >"$BUILD.log" 2>&1 ||
  { cat "$BUILD.log" >&2; exit 1; }
if [ -n "$wine" ]; then
  bash "$ROOT/scripts/windows-check.sh" "$DIST"
else
  bash "$ROOT/scripts/windows-check.sh" --exe "$DIST/numora.exe"
fi
ls -l "$DIST/numora.exe" "$DIST/numora-setup.exe" | awk '{print $5, $9}'
if [ -n "$wine" ] && [ "${NUMORA_WINDOWS_TIMING:-0}" = 1 ]; then
  part "Timing under Wine ($NUMORA_WINE_LANE): Timer1 at level 9 and the pause's end"
  # On Windows' own platform plugin, in the virtual display, as measure.sh does on X11.
  export QT_QPA_PLATFORM=windows
  # Into files, not pipes: Wine's background services would hold a pipe open (wine-run.sh).
  "$ROOT/scripts/wine-run.sh" "$BUILD/bench/screen_timing_bench.exe" ticks 9 10 250 \
    >"$BUILD/timing-ticks.txt" 2>&1
  "$ROOT/scripts/wine-run.sh" "$BUILD/bench/screen_timing_bench.exe" pauses 50 \
    >"$BUILD/timing-pauses.txt" 2>&1
  grep -hE '^(tick_interval_ms|cpu_percent|frames_per_second|pause_late_ms)' \
    "$BUILD/timing-ticks.txt" "$BUILD/timing-pauses.txt"
  unset QT_QPA_PLATFORM
fi
part ""
if [ "$suites" -ne 0 ]; then
  echo "Some suites failed under Wine (above)." >&2
  exit "$suites"
fi
