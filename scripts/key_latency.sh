#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Key-to-screen latency as the pupil feels it: from a key press to the first drawing that answers
# it inside the input box, taken by bench/key_latency (XTest keys, DAMAGE reports) under a virtual
# X display of its own, and printed as a Markdown table (progress goes to stderr).
#
# Side by side in one run, in blocks of 40 keys taken in turn, the order turning each round:
#  - the floor: bench/bare_window's one QLineEdit, a digit and BackSpace in turn, the line edit
#    watched less its first 40 pixels, where its text cursor blinks;
#  - TIPP10, where it is installed: an own lesson of digits in pairs, its ticker line watched;
#  - the game at levels 1, 7 and 9: the numbers 1, 2, 3, ... each followed by Return, the input
#    box watched less the strip its text cursor blinks in (bench/layout_probe -l LEVEL); at
#    level 1 a run ends at 50, and 再玩一次 and 开始 (each focused in turn) begin the next.
# The game runs once and plays one level at a time: each of its blocks enters the level from the
# start screen, presses 开始, types and leaves by 返回. So no window ticks outside its own block,
# where it would load the one X server everything is drawn by, and no level meets its time limit
# or its 2-second rule between blocks. A first round of 10-key blocks warms each program up and is
# not counted.
#
# Takes about five minutes (TIPP10's ticker glides for 0.4 s after each key, and is waited out).
# scripts/measure.sh runs it on its own display as its last section. NUMORA_MEASURE_BUILD names
# another build directory; NUMORA_KEY_ROUNDS the rounds (6); NUMORA_KEY_BLOCK the keys of a block
# (40); NUMORA_KEY_TIPP10=0 leaves TIPP10 out; NUMORA_KEY_RAW names a file to keep every key's
# line in.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
BUILD=${NUMORA_MEASURE_BUILD:-$ROOT/build/measure}
ROUNDS=${NUMORA_KEY_ROUNDS:-6}
BLOCK=${NUMORA_KEY_BLOCK:-40}

if [ -z "${NUMORA_MEASURE_DISPLAY:-}" ]; then
  bash "$ROOT/scripts/ensure-packages.sh" "${BUILD_PACKAGES[@]}" libxtst-dev libxdamage-dev \
    xvfb xauth x11-utils xdotool
  # The peer, where the archive has it, with what its lessons are kept and edited in.
  if [ "${NUMORA_KEY_TIPP10:-1}" != 0 ] && apt-cache show tipp10 >/dev/null 2>&1; then
    bash "$ROOT/scripts/ensure-packages.sh" tipp10 libqt6sql6-sqlite sqlite3 ||
      echo "TIPP10 could not be installed" >&2
  fi
  echo "Building in $BUILD ..." >&2
  BUILD_TARGETS="numora bare_window layout_probe key_latency" \
    build "$BUILD" -DCMAKE_BUILD_TYPE=Release -DNUMORA_TESTS=OFF -DNUMORA_BENCH=ON
  rerun_on_own_display "${BASH_SOURCE[0]}" "$@"
fi

GAME=$BUILD/app/numora
BARE=$BUILD/bench/bare_window
PROBE=$BUILD/bench/layout_probe
LAT=$BUILD/bench/key_latency
if [ ! -x "$LAT" ]; then
  echo "no $LAT: it is built only where X11 with XTest and DAMAGE is installed" >&2
  exit 1
fi
TIPP10=
if [ "${NUMORA_KEY_TIPP10:-1}" != 0 ] && command -v sqlite3 >/dev/null; then
  TIPP10=$(command -v tipp10 || command -v /usr/games/tipp10 || true)
fi

measure_workspace
echo "Display $DISPLAY" >&2

# ---- Helpers.
# new_window SECONDS PID [KNOWN...]: waits, at most SECONDS, for a viewable window of the process
# that is none of the KNOWN ones; prints its id.
new_window() {
  local end=$((SECONDS + $1)) pid=$2 id
  shift 2
  while ((SECONDS < end)); do
    for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null || true); do
      [[ " $* " == *" $id "* ]] || { echo "$id" && return 0; }
    done
    sleep 0.1
  done
  return 1
}
# unmapped WINDOW: waits, at most 10 s, until the window is no longer viewable.
unmapped() {
  local try
  for ((try = 0; try < 100; try++)); do
    xwininfo -id "$1" 2>/dev/null | grep -q IsViewable || return 0
    sleep 0.1
  done
  return 1
}
# click WINDOW "X Y": a left click at that place of the window.
click() {
  local x y
  read -r x y <<<"$2"
  xdotool mousemove --window "$1" "$x" "$y" click 1
}

# ---- The game: where its controls are, from its own code.
probe=$(QT_QPA_PLATFORM=offscreen "$PROBE" Label13 Label19 Label21 Command0)
# place NAME: what the last probe said of NAME (a control's centre "X Y").
place() { sed -n "s/^$1 //p" <<<"$probe"; }
declare -A level_button=([1]=$(place Label13) [7]=$(place Label19) [9]=$(place Label21))
enter_button=$(place Command0)
declare -A box return_button
for level in 1 7 9; do
  probe=$(QT_QPA_PLATFORM=offscreen "$PROBE" -l "$level" Command2)
  read -r x y w h <<<"$(place watch)"
  box[$level]=$x,$y,$w,$h
  return_button[$level]=$(place Command2)
  read -r window_width window_height <<<"$(place window)"
done

"$GAME" &
game=$!
pids+=("$game")
start_window=$(new_window 60 "$game") || { echo "the start screen never appeared" >&2; exit 1; }
sleep 1

# ---- The floor, a window of the challenge windows' size.
"$BARE" "$window_width" "$window_height" lineedit &
floor=$!
pids+=("$floor")
floor_window=$(new_window 60 "$floor") || { echo "the floor never appeared" >&2; exit 1; }
FLOOR_BOX=60,20,360,40

# ---- TIPP10: a home of its own, set to start on its own lessons with the whole lesson dictated;
# own lesson 1 made of lines of digit pairs, each line typed to its Return.
TIPP10_LINE='12 34 56 78 90 12 34 56 78 90'
TIPP10_BOX=80,68,590,37  # the ticker line of its 750 x 520 training window
if [ -n "$TIPP10" ]; then
  home=$work/tipp10
  mkdir -p "$home/.config/TIPP10" "$home/runtime"
  chmod 700 "$home/runtime"
  printf '%s\n' '[main]' 'check_illustration=false' '[duration]' 'radio_lesson=true' \
    'radio_time=false' 'radio_token=false' '[lesson]' 'tab_current=2' 'list_own=1' \
    >"$home/.config/TIPP10/TIPP10.conf"
  HOME=$home XDG_RUNTIME_DIR=$home/runtime "$TIPP10" >"$work/tipp10.log" 2>&1 &
  pids+=("$!")
  # The first start builds its database before the window shows: up to a minute on a busy
  # machine.
  tipp10_window=$(new_window 180 "$!") ||
    { cat "$work/tipp10.log" >&2 && echo "TIPP10 showed no window" >&2 && exit 1; }
  {
    echo "begin; delete from own_content where content_lesson = 1;"
    for ((i = 0; i < 100; i++)); do
      echo "insert into own_content (content_text, content_lesson) values ('$TIPP10_LINE', 1);"
    done
    echo "commit;"
  } | sqlite3 "$home/.local/share/TIPP10/TIPP10/tipp10v2.db"
  # Start Training (Alt+S), then the space bar that it asks for.
  xdotool windowfocus --sync "$tipp10_window" key alt+s
  sleep 1
  printf '!space\nsleep 500\n' | "$LAT" -w "$tipp10_window" -f >/dev/null
fi
tipp10_at=0

# ---- The keys of a block, written to $work/keys. TIPP10's go on through its lesson from the last
# block; the game's begin afresh with each visit.
floor_keys() {
  local i
  for ((i = 0; i < $1; i++)); do
    if ((i % 2 == 0)); then echo "$((i / 2 % 9 + 1)) digit"; else echo "BackSpace backspace"; fi
  done >"$work/keys"
}
tipp10_keys() {
  local i c line_length=${#TIPP10_LINE}
  for ((i = 0; i < $1; i++, tipp10_at++)); do
    c=${TIPP10_LINE:tipp10_at % (line_length + 1):1}
    case $c in
      '') echo "Return enter" ;;
      ' ') echo "space space" ;;
      *) echo "$c digit" ;;
    esac
  done >"$work/keys"
}
# game_keys LEVEL N: 开始, then the numbers from 1, each followed by Return, to at least N keys.
game_keys() {
  local n=1 keys=0 k
  {
    printf '!Return\nsleep 300\n'
    while ((keys < $2)); do
      for ((k = 0; k < ${#n}; k++)); do echo "${n:k:1} digit"; done
      echo "Return enter"
      keys=$((keys + ${#n} + 1))
      n=$((n + 1))
      if (($1 == 1 && n > 50)); then
        printf 'sleep 300\n!Return\nsleep 300\n!Return\nsleep 300\n'
        n=1
      fi
    done
  } >"$work/keys"
}

# block NAME KEYS SEED: one block of the program; its lines go to $work/raw.
block() {
  local name=$1 keys=$2 seed=$3 level window
  case $name in
    floor)
      floor_keys "$keys"
      "$LAT" -w "$floor_window" -f -r "$FLOOR_BOX" -p floor -S "$seed" <"$work/keys" >>"$work/raw"
      ;;
    tipp10)
      tipp10_keys "$keys"
      "$LAT" -w "$tipp10_window" -f -r "$TIPP10_BOX" -p tipp10 -S "$seed" <"$work/keys" \
        >>"$work/raw"
      ;;
    level*)
      level=${name#level}
      # The other programs' windows may lie over the start screen.
      xdotool windowraise "$start_window"
      click "$start_window" "${level_button[$level]}"
      sleep 0.2
      click "$start_window" "$enter_button"
      window=$(new_window 20 "$game" "$start_window") ||
        { echo "the level $level window never appeared" >&2; exit 1; }
      sleep 0.5
      game_keys "$level" "$keys"
      "$LAT" -w "$window" -f -r "${box[$level]}" -p "$name" -S "$seed" <"$work/keys" \
        >>"$work/raw"
      click "$window" "${return_button[$level]}"
      unmapped "$window" || { echo "the level $level window did not close" >&2; exit 1; }
      sleep 0.3
      ;;
  esac
}

names=(floor)
[ -n "$TIPP10" ] && names+=(tipp10)
names+=(level1 level7 level9)
echo "Key-to-screen latency, $ROUNDS rounds of ${#names[@]} blocks of $BLOCK keys ..." >&2
for ((round = 0; round <= ROUNDS; round++)); do
  for ((k = 0; k < ${#names[@]}; k++)); do
    i=$(((round + k) % ${#names[@]}))
    if ((round == 0)); then
      block "${names[i]}" 10 "$i"
    else
      block "${names[i]}" "$BLOCK" "$((round * 100 + i))"
    fi
  done
  ((round == 0)) && : >"$work/raw"
  echo "round $round of $ROUNDS done" >&2
done
[ -n "${NUMORA_KEY_RAW:-}" ] && cp "$work/raw" "$NUMORA_KEY_RAW"

# ---- The table: "program tag n median p90 p99 max misses" lines from key_latency's summary.
"$LAT" -s "$work/raw" >"$work/summary"
read -r floor_median floor_p90 < <(awk '$1 == "floor" && $2 == "digit" {print $4, $5}' "$work/summary")
echo
echo "| program | keys | n | median | p90 | p99 | max | misses | median ÷ floor's digit median | p90 ÷ floor's digit p90 |"
echo "|---|---|---|---|---|---|---|---|---|---|"
# In the order of the programs, each one's keys as they first came.
for name in "${names[@]}"; do awk -v p="$name" '$1 == p' "$work/summary"; done |
  awk -v fm="$floor_median" -v fp="$floor_p90" '
  {
    name = $1 == "floor" ? "floor (bare QLineEdit)" : $1 == "tipp10" ? "TIPP10" : $1
    sub(/^level/, "numora level ", name)
    ms = $3 > 0 ? sprintf("%.2f ms | %.2f ms | %.2f ms | %.2f ms", $4, $5, $6, $7) : "| | |"
    ratios = ($1 != "floor" && $3 > 0) ? sprintf("%.1fx | %.1fx", $4 / fm, $5 / fp) : " | "
    printf "| %s | %s | %d | %s | %d | %s |\n", name, $2, $3, ms, $8, ratios
  }'
echo
echo "From the key press (XTest) to the first DAMAGE report inside the watched rectangle, a quiet" \
  "gap of 50–100 ms before each key; $ROUNDS rounds of $BLOCK-key blocks on Xvfb; measured" \
  "$(date -u +%Y-%m-%d) on $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg) at the end."
