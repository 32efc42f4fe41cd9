# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the play and test commands: what the build needs and how to build.
# shellcheck shell=bash

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libxcb1-dev fonts-noto-cjk
  fonts-liberation2 python3-fonttools)

# build DIR [cmake options...]: configures when the folder is new or the options differ from the
# last configure (kept in DIR/numora-options), then builds quietly (only the targets BUILD_TARGETS
# names, blank-separated, when it is set); prints the log on failure.
build() {
  local dir=$1
  shift
  local log="$dir.log" stamp="$dir/numora-options"
  mkdir -p "$dir"
  if [ ! -f "$dir/build.ninja" ] || [ "$(cat "$stamp" 2>/dev/null)" != "$*" ]; then
    # A cache keeps options that are no longer given: start it afresh (the objects stay).
    rm -f "$dir/CMakeCache.txt"
    if ! cmake -S "$ROOT" -B "$dir" -G Ninja "$@" >"$log" 2>&1; then
      cat "$log" >&2
      return 1
    fi
    printf '%s' "$*" >"$stamp"
  fi
  local only=()
  [ -n "${BUILD_TARGETS:-}" ] && read -ra only <<<"--target $BUILD_TARGETS"
  if ! cmake --build "$dir" "${only[@]}" -- --quiet >"$log" 2>&1; then
    cat "$log" >&2
    return 1
  fi
}

# Shared by the measuring scripts.
# rerun_on_own_display SCRIPT [ARGS...]: runs the script again under a virtual X display of its own,
# with NUMORA_MEASURE_DISPLAY set so that it knows it is there.
rerun_on_own_display() {
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    env NUMORA_MEASURE_DISPLAY=1 QT_QPA_PLATFORM=xcb bash "$@"
}
# measure_workspace: a scratch folder, $work, removed at exit, and a list, pids, of the processes
# to kill at exit, newest first. The lock directory is one of our own, so that a game the user has
# running elsewhere does not make ours end at once as a second copy.
measure_workspace() {
  work=$(mktemp -d)
  export XDG_RUNTIME_DIR=$work/runtime
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  pids=()
  trap measure_cleanup EXIT
}
measure_cleanup() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
