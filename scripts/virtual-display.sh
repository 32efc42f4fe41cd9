# SPDX-License-Identifier: GPL-3.0-or-later
# A virtual X display for the scripts that show the game's windows.
# shellcheck shell=bash

# start_virtual_display LOG: starts Xvfb on the first free display from :90 on, exports DISPLAY
# and sets VIRTUAL_DISPLAY_PID (the caller stops it). Fails when no display could be started.
start_virtual_display() {
  local log=$1 n
  for n in $(seq 90 199); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$log" 2>&1 &
    VIRTUAL_DISPLAY_PID=$!
    for _ in $(seq 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      kill -0 "$VIRTUAL_DISPLAY_PID" 2>/dev/null || break
      sleep 0.05
    done
    if [ -e "/tmp/.X11-unix/X$n" ] && kill -0 "$VIRTUAL_DISPLAY_PID" 2>/dev/null; then
      export DISPLAY=":$n" QT_QPA_PLATFORM=xcb
      return 0
    fi
    # Another server took the number first.
    kill "$VIRTUAL_DISPLAY_PID" 2>/dev/null || true
    wait "$VIRTUAL_DISPLAY_PID" 2>/dev/null || true
  done
  echo "no free X display" >&2
  return 1
}
