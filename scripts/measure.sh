#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures the game's start-up, memory, CPU use and timing under a virtual X display of its own
# and prints one Markdown table (progress goes to stderr).
#
#  - "real binary" rows start the game itself (build/measure/app/numora) and drive it with
#    xdotool: clicks on the level-9 button, the enter and start buttons, then a key every 400 ms.
#  - "in-process" rows run bench/screen_timing_bench, which builds the same windows from the same
#    code and watches Timer1 from inside.
#  - the engine rows are the Google Benchmark programs in bench/.
#
# Takes about four minutes. NUMORA_MEASURE_BUILD names another build directory to use.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$(dirname "${BASH_SOURCE[0]}")/virtual-display.sh"

bash "$ROOT/scripts/ensure-packages.sh" "${BUILD_PACKAGES[@]}" libbenchmark-dev \
  xvfb xauth x11-utils xdotool imagemagick
BUILD=${NUMORA_MEASURE_BUILD:-$ROOT/build/measure}
echo "Building in $BUILD ..." >&2
build "$BUILD" -DCMAKE_BUILD_TYPE=Release -DNUMORA_TESTS=OFF -DNUMORA_BENCH=ON
GAME=$BUILD/app/numora
DRIVER=$BUILD/bench/screen_timing_bench

work=$(mktemp -d)
# A lock directory of our own, so that a game the user has running elsewhere does not make each
# start end at once as a second copy.
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
pids=()
cleanup() {
  local i
  # Last started first: the display goes after the programs that use it.
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# ---- The display.
start_virtual_display "$work/xvfb.log"
pids+=("$VIRTUAL_DISPLAY_PID")
echo "Display $DISPLAY" >&2

# ---- Helpers.
median() { sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
minimum() { sort -g | head -n 1; }
maximum() { sort -g | tail -n 1; }
# below VALUE LIMIT: pass when VALUE < LIMIT; at_most VALUE LIMIT: pass when VALUE <= LIMIT.
below() { awk -v v="$1" -v l="$2" 'BEGIN {print (v + 0 < l + 0) ? "pass" : "**miss**"}'; }
at_most() { awk -v v="$1" -v l="$2" 'BEGIN {print (v + 0 <= l + 0) ? "pass" : "**miss**"}'; }
# field LINE KEY: the value of KEY=value in a line of the driver's output.
field() { sed -n "s/.*\\b$2=\\([^ ]*\\).*/\\1/p" <<<"$1"; }
rss_mb() { awk '/^VmRSS:/ {printf "%.1f", $2 / 1024}' "/proc/$1/status"; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# Every top-level window the X server maps, as "seconds.micros 0xid" lines on the xev
# coprocess's output, read as they come.
coproc XEV { exec stdbuf -oL xev -root -event substructure; }
pids+=("$XEV_PID")
sleep 0.3
next_map() {
  local line
  while read -r -t 10 -u "${XEV[0]}" line; do
    if [[ $line == MapNotify* ]]; then
      local when=$EPOCHREALTIME
      read -r -u "${XEV[0]}" line
      echo "$when $(sed -n 's/.*window \(0x[0-9a-f]*\).*/\1/p' <<<"$line")"
      return 0
    fi
  done
  return 1
}
drain_xev() {
  local line
  while read -r -t 0.2 -u "${XEV[0]}" line; do :; done
}
stop_game() {
  kill "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

# ---- Start-up of the real binary: from just before exec to the map of its start screen.
echo "Start-up, 10 starts ..." >&2
: >"$work/startup"
for _ in $(seq 10); do
  drain_xev
  t0=$EPOCHREALTIME
  "$GAME" &
  game=$!
  map=$(next_map) || { echo "the start screen never appeared" >&2; exit 1; }
  title=$(xdotool getwindowname "$((${map#* }))")
  [ "$title" = "Numora " ] || { echo "the first window mapped is \"$title\"" >&2; exit 1; }
  awk -v a="$t0" -v b="${map% *}" 'BEGIN {printf "%.1f\n", (b - a) * 1000}' >>"$work/startup"
  sleep 0.3
  stop_game "$game"
done
startup_median=$(median <"$work/startup")
startup_range="$(minimum <"$work/startup")–$(maximum <"$work/startup")"

# The same screens in-process: to the end of the start screen's first paint.
: >"$work/first_paint"
for _ in $(seq 10); do
  t0=$EPOCHREALTIME
  painted=$("$DRIVER" startup 2>/dev/null | awk '/^first_paint_epoch_us/ {print $2}')
  awk -v a="$t0" -v b="$painted" 'BEGIN {printf "%.1f\n", b / 1000 - a * 1000}' >>"$work/first_paint"
done
paint_median=$(median <"$work/first_paint")
paint_range="$(minimum <"$work/first_paint")–$(maximum <"$work/first_paint")"

# ---- Memory and CPU of the real binary in a level-9 run.
echo "A 60 s level-9 run of the game ..." >&2
drain_xev
"$GAME" &
game=$!
pids+=("$game")
map=$(next_map) || { echo "the start screen never appeared" >&2; exit 1; }
start_window=$((${map#* }))
sleep 1
rss_start=$(rss_mb "$game")
# Positions in pixels inside the windows as they are designed (15 twips a pixel): the level 9
# button, the enter button, then the challenge window's start button.
xdotool mousemove --window "$start_window" 276 466 click 1
sleep 0.2
xdotool mousemove --window "$start_window" 874 404 click 1
map=$(next_map) || { echo "the level 9 window never appeared" >&2; exit 1; }
form9=$((${map#* }))
case $(xdotool getwindowname "$form9") in
  *V2.0*) ;;
  *) echo "the window opened is not the level 9 window" >&2; exit 1 ;;
esac
sleep 0.5
xdotool mousemove --window "$form9" 938 404 click 1
# The numbers 1, 2, 3, ... each followed by Enter, a key every 400 ms for 61 s. The typist ends
# by itself: killed between a key's press and release, it would leave the key held down.
keys=()
for ((n = 1; ${#keys[@]} < 61000 / 400; n++)); do
  for ((k = 0; k < ${#n}; k++)); do keys+=("${n:k:1}"); done
  keys+=(Return)
done
xdotool key --delay 400 "${keys[@]}" &
typist=$!
pids+=("$typist")
sleep 20
ticks0=$(cpu_ticks "$game")
t0=$EPOCHREALTIME
sleep 10
ticks1=$(cpu_ticks "$game")
t1=$EPOCHREALTIME
rss_half=$(rss_mb "$game")
cpu_run=$(awk -v d="$((ticks1 - ticks0))" -v hz="$(getconf CLK_TCK)" -v a="$t0" -v b="$t1" \
  'BEGIN {printf "%.1f", 100 * d / hz / (b - a)}')
sleep 29.5
# The run is still going: the time rows (left part of the window) change from one moment to the
# next.
import -window "$form9" -crop 420x170+0+90 "$work/rows1.png"
sleep 0.15
import -window "$form9" -crop 420x170+0+90 "$work/rows2.png"
changed=$(compare -metric AE "$work/rows1.png" "$work/rows2.png" null: 2>&1 || true)
if [ "${changed%% *}" = 0 ]; then
  echo "the level 9 run was not running at the end of the 60 s" >&2
  exit 1
fi
rss_run=$(rss_mb "$game")
wait "$typist" || true
stop_game "$game"

# ---- In-process: tick intervals and handler cost, the pause end, the window benchmarks.
echo "Tick intervals, 10 s of level 9 in-process ..." >&2
ticks=$("$DRIVER" ticks 9 10 250)
interval=$(grep '^tick_interval_ms' <<<"$ticks")
handler=$(grep '^tick_handler_us' <<<"$ticks")
repaint=$(grep '^repaint_us' <<<"$ticks")
cpu_inproc=$(awk '/^cpu_percent/ {print $2}' <<<"$ticks")
echo "50 pause ends of level 9 in-process ..." >&2
pauses=$("$DRIVER" pauses 50)
echo "Benchmarks ..." >&2
"$DRIVER" --benchmark_format=csv 2>/dev/null >"$work/window.csv"
: >"$work/engines.csv"
for bench in "$BUILD"/bench/*_bench; do
  [ "$bench" = "$DRIVER" ] && continue
  "$bench" --benchmark_format=csv 2>/dev/null | sed "s|^|$(basename "$bench"),|" >>"$work/engines.csv"
done

# ---- The table.
f() { printf '%.*f' "$1" "$2"; }
echo
echo "| measurement | driven by | measured | goal | |"
echo "|---|---|---|---|---|"
echo "| start-up: process start to start screen mapped, median of 10 (range) | real binary, xev | $(f 0 "$startup_median") ms ($startup_range) | < 300 ms | $(below "$startup_median" 300) |"
echo "| start-up: process start to start screen's first paint flushed, median of 10 (range) | in-process | $(f 0 "$paint_median") ms ($paint_range) | < 300 ms | $(below "$paint_median" 300) |"
echo "| resident memory 1 s after start | real binary | $rss_start MB | | |"
echo "| resident memory after 30 s and after 60 s of a level-9 run | real binary | $rss_half MB, $rss_run MB | | |"
echo "| CPU during a level-9 run, a key every 400 ms, 10 s | real binary | $cpu_run % of one core | < 5 % | $(below "$cpu_run" 5) |"
echo "| CPU during a level-9 run, a key every 250 ms, 10 s | in-process | $(f 1 "$cpu_inproc") % of one core | < 5 % | $(below "$cpu_inproc" 5) |"
im=$(field "$interval" median)
ip=$(field "$interval" p99)
echo "| tick interval, level-9 run, a key every 250 ms, 10 s: median / p99 / worst | in-process | $(f 2 "$im") / $(f 2 "$ip") / $(f 2 "$(field "$interval" worst)") ms | ≤ 7.5 / ≤ 10 ms | $(at_most "$im" 7.5) / $(at_most "$ip" 10) |"
hm=$(field "$handler" median)
echo "| tick, live: the engine and the label texts it writes, median / p99 | in-process | $(f 1 "$hm") / $(f 1 "$(field "$handler" p99)") µs | < 50 µs | $(below "$hm" 50) |"
frames=$(awk '/^frames_per_second/ {print $2}' <<<"$ticks")
echo "| frames painted, live: per second; cost median / p99 | in-process | $(f 0 "$frames") /s; $(f 0 "$(field "$repaint" median)") / $(f 0 "$(field "$repaint" p99)") µs | | |"
pw=$(field "$pauses" worst)
echo "| level-9 pause end after the 2000 ms mark, 50 pauses: median / worst | in-process | $(f 2 "$(field "$pauses" median)") / $(f 2 "$pw") ms | ≤ 7 ms | $(at_most "$pw" 7) |"
# Google Benchmark CSV: name,iterations,real_time,cpu_time,time_unit,...,error_occurred,
# error_message,"allocs/op"
awk -F, '
  /^name,/ {for (i = 1; i <= NF; i++) col[$i] = i; next}
  /^"BM_/ {
    name = $col["name"]; gsub(/"/, "", name)
    level = name; sub(/.*level:/, "", level); sub(/\/.*/, "", level)
    t = $col["cpu_time"] + 0
    if (name ~ /^BM_WindowTick/) {
      printf "| window tick at level %s: the engine and the label texts it writes (Google Benchmark) | in-process | %.2f µs, %.1f allocations | < 50 µs | %s |\n", level, t, $col["\"allocs/op\""], (t < 50 ? "pass" : "**miss**")
    } else {
      printf "| window frame at level %s: a tick and the repaint of the labels it changed (Google Benchmark) | in-process | %.0f µs, %.0f allocations | | |\n", level, t, $col["\"allocs/op\""]
    }
  }' "$work/window.csv"
awk -F, '
  /,name,/ {delete col; for (i = 1; i <= NF; i++) col[$i] = i; next}
  /,"BM_/ {
    name = $col["name"]; gsub(/"/, "", name)
    t = $col["cpu_time"] + 0
    unit = $col["time_unit"]
    ns = unit == "us" ? t * 1000 : unit == "ms" ? t * 1e6 : t
    allocs = ("\"allocs/op\"" in col) ? $col["\"allocs/op\""] + 0 : -1
    failed = $col["error_occurred"] == "true"
    ok = !failed && ns < 1000 && allocs == 0
    printf "| engine %s (%s) | Google Benchmark | %.1f ns, %s | < 1 µs, no allocation | %s |\n", name, $1, ns, (failed ? $col["error_message"] : allocs < 0 ? "allocations not counted" : sprintf("%g allocations", allocs)), (ok ? "pass" : "**miss**")
  }' "$work/engines.csv"
echo
echo "Measured $(date -u +%Y-%m-%d) on $(nproc) cores ($(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -n 1)), load average $(cut -d' ' -f1-3 /proc/loadavg) at the end."
