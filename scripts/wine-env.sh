# SPDX-License-Identifier: GPL-3.0-or-later
# Wine for the Windows build: a 32-bit prefix of the build's own that says it is Windows 7 SP1,
# the oldest Windows the game runs on; quiet, without the .NET and browser engines it would offer
# to download. The Windows user is named 学生 (pupil), so the
# profile path, and with it the temporary directory the game keeps its lock in, holds Chinese
# characters in every run.
# shellcheck shell=bash

export WINEPREFIX=${WINEPREFIX:-$ROOT/build/windows/wine32}
# Nor does it put menu entries for the installer's shortcuts into the Linux desktop.
export WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export USER=学生 LOGNAME=学生
export LANG=C.UTF-8

# wine_prefix_ready: makes the prefix once (several callers at a time wait for the first). A
# prefix without its mark was cut off while it was made: it is made again, never reused.
wine_prefix_ready() {
  [ -f "$WINEPREFIX/.numora-ready" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 8
    [ -f "$WINEPREFIX/.numora-ready" ] && exit 0
    wineserver -k 2>/dev/null
    rm -rf "$WINEPREFIX"
    wineboot --init >"$WINEPREFIX.log" 2>&1 && wineserver --wait &&
      wine reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d win7 /f >>"$WINEPREFIX.log" 2>&1 &&
      wineserver --wait && touch "$WINEPREFIX/.numora-ready"
  ) 8>"$WINEPREFIX.lock"
}
