#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures the game against the bare toolkit and its peer, side by side in one run, under a
# virtual X display of its own, and prints two Markdown tables (progress goes to stderr).
#
#  - Start-up and peak memory: the game, a bare Qt window with one label, the same with one
#    Chinese label in the start screen's face (the floor) and TIPP10 where it is installed,
#    started in turn, round after round, each by the same probe: from just before the process
#    starts to the first window the X server maps; VmHWM 2 s after the start.
#  - CPU: a level-9 run of the game (a key every 400 ms) and a bare window whose 7 ms precise
#    timer does nothing, both running at once, over the same 30 s.
#  - Memory in a run: VmRSS before the run and after 60 s of it.
#  - In-process (bench/screen_timing_bench, the same windows from the same code): tick
#    intervals, the pause end and the window benchmarks; then the engines' benchmarks.
#  - Key-to-screen latency: scripts/key_latency.sh's table, the game at levels 1, 7 and 9 against
#    a bare QLineEdit and TIPP10 (that script runs on its own too).
#
# The run is driven by object names and the keyboard: bench/layout_probe builds the start
# screen with the game's code and says where its level-9 button and enter button are; the
# challenge window opens with its start button focused, and Enter presses it.
#
# Takes about nine minutes. NUMORA_MEASURE_BUILD names another build directory to use;
# NUMORA_MEASURE_ROUNDS the number of start-up rounds (7).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
BUILD=${NUMORA_MEASURE_BUILD:-$ROOT/build/measure}
ROUNDS=${NUMORA_MEASURE_ROUNDS:-7}

if [ -z "${NUMORA_MEASURE_DISPLAY:-}" ]; then
  bash "$ROOT/scripts/ensure-packages.sh" "${BUILD_PACKAGES[@]}" libbenchmark-dev \
    libxtst-dev libxdamage-dev xvfb xauth x11-utils xdotool imagemagick
  # The peer, where the archive has it, with its database driver and what its lessons are edited
  # with; the measurement goes on without it otherwise.
  if apt-cache show tipp10 >/dev/null 2>&1; then
    bash "$ROOT/scripts/ensure-packages.sh" tipp10 libqt6sql6-sqlite sqlite3 ||
      echo "TIPP10 could not be installed" >&2
  fi
  echo "Building in $BUILD ..." >&2
  build "$BUILD" -DCMAKE_BUILD_TYPE=Release -DNUMORA_TESTS=OFF -DNUMORA_BENCH=ON
  rerun_on_own_display "${BASH_SOURCE[0]}" "$@"
fi

GAME=$BUILD/app/numora
DRIVER=$BUILD/bench/screen_timing_bench
BARE=$BUILD/bench/bare_window
TIPP10=$(command -v tipp10 || command -v /usr/games/tipp10 || true)

measure_workspace
# A home of our own for TIPP10's settings.
mkdir "$work/home"
echo "Display $DISPLAY" >&2

# ---- Helpers.
median() { sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
minimum() { sort -g | head -n 1; }
maximum() { sort -g | tail -n 1; }
# at_most VALUE LIMIT: pass when VALUE <= LIMIT.
at_most() { awk -v v="$1" -v l="$2" 'BEGIN {print (v + 0 <= l + 0) ? "pass" : "**miss**"}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
minus() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%+.1f", a - b}'; }
f() { printf '%.*f' "$1" "$2"; }
# field LINE KEY: the value of KEY=value in a line of the driver's output.
field() { sed -n "s/.*\\b$2=\\([^ ]*\\).*/\\1/p" <<<"$1"; }
kb_to_mb() { awk -v k="$1" 'BEGIN {printf "%.1f", k / 1024}'; }
status_kb() { awk -v k="$2:" '$1 == k {print $2}' "/proc/$1/status"; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# Every top-level window the X server maps, as "seconds.micros 0xid" lines on the xev
# coprocess's output, read as they come. next_map [SECONDS]: the next one, waiting at most
# SECONDS (20) for the X server to say anything.
coproc XEV { exec stdbuf -oL xev -root -event substructure; }
pids+=("$XEV_PID")
sleep 0.3
next_map() {
  local line
  while read -r -t "${1:-20}" -u "${XEV[0]}" line; do
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
stop() {
  kill "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

# ---- The start screen as the game lays it out.
LEVEL9=Label21  # the start screen's level-9 button
ENTER=Command0  # its enter button
probe=$(QT_QPA_PLATFORM=offscreen "$BUILD/bench/layout_probe" "$LEVEL9" "$ENTER")
read -r _ width height < <(grep '^window ' <<<"$probe")
face=$(sed -n 's/^face //p' <<<"$probe")
read -r _ level9_x level9_y < <(grep "^$LEVEL9 " <<<"$probe")
read -r _ enter_x enter_y < <(grep "^$ENTER " <<<"$probe")

names=(numora floor-label floor-cjk)
[ -n "$TIPP10" ] && names+=(tipp10)
# launch INDEX: starts program INDEX in the background (its pid in $!).
launch() {
  case ${names[$1]} in
    numora) "$GAME" & ;;
    floor-label) "$BARE" "$width" "$height" label & ;;
    floor-cjk) "$BARE" "$width" "$height" cjk "$face" & ;;
    tipp10) HOME=$work/home "$TIPP10" >/dev/null 2>&1 & ;;
  esac
}

# ---- Start-up and peak memory, round after round; each round starts with another program.
# Round 0 warms the file cache and TIPP10's first-start settings and is not counted.
echo "Start-up and peak memory, $ROUNDS rounds of ${#names[@]} programs ..." >&2
for i in "${!names[@]}"; do : >"$work/startup.$i" && : >"$work/hwm.$i"; done
for ((round = 0; round <= ROUNDS; round++)); do
  for ((k = 0; k < ${#names[@]}; k++)); do
    i=$(((round + k) % ${#names[@]}))
    drain_xev
    t0=$EPOCHREALTIME
    launch "$i"
    pid=$!
    # TIPP10's first start builds its database before its window shows: up to a minute on a busy
    # machine.
    if ! map=$(next_map "$((round == 0 ? 180 : 20))"); then
      # Stopped here, or the cleanup's wait would wait for it for ever.
      stop "$pid"
      echo "${names[i]} showed no window" >&2
      exit 1
    fi
    sleep 2
    hwm=$(status_kb "$pid" VmHWM)
    stop "$pid"
    if ((round > 0)); then
      awk -v a="$t0" -v b="${map% *}" 'BEGIN {printf "%.1f\n", (b - a) * 1000}' >>"$work/startup.$i"
      echo "$hwm" >>"$work/hwm.$i"
    fi
  done
done
declare -A up up_range hwm_mb
for i in "${!names[@]}"; do
  up[${names[i]}]=$(median <"$work/startup.$i")
  up_range[${names[i]}]="$(minimum <"$work/startup.$i")–$(maximum <"$work/startup.$i")"
  hwm_mb[${names[i]}]=$(kb_to_mb "$(median <"$work/hwm.$i")")
done

# ---- A level-9 run of the game beside the bare ticking window.
echo "A 60 s level-9 run beside the ticking floor ..." >&2
"$BARE" "$width" "$height" tick &
ticking=$!
pids+=("$ticking")
drain_xev
"$GAME" &
game=$!
pids+=("$game")
map=$(next_map) || { echo "the start screen never appeared" >&2; exit 1; }
start_window=$((${map#* }))
sleep 2
rss_start=$(status_kb "$game" VmRSS)
xdotool mousemove --window "$start_window" "$level9_x" "$level9_y" click 1
sleep 0.2
xdotool mousemove --window "$start_window" "$enter_x" "$enter_y" click 1
map=$(next_map) || { echo "the level 9 window never appeared" >&2; exit 1; }
form9=$((${map#* }))
case $(xdotool getwindowname "$form9") in
  *V2.0*) ;;
  *) echo "the window opened is not the level 9 window" >&2; exit 1 ;;
esac
sleep 0.5
xdotool windowfocus --sync "$form9"
# Enter presses the start button, which has the focus; then the numbers 1, 2, 3, ... each
# followed by Enter, a key every 400 ms for 61 s. The typist ends by itself: killed between a
# key's press and release, it would leave the key held down.
keys=(Return)
for ((n = 1; ${#keys[@]} < 61000 / 400; n++)); do
  for ((k = 0; k < ${#n}; k++)); do keys+=("${n:k:1}"); done
  keys+=(Return)
done
xdotool key --delay 400 "${keys[@]}" &
typist=$!
pids+=("$typist")
sleep 20
game0=$(cpu_ticks "$game")
tick0=$(cpu_ticks "$ticking")
t0=$EPOCHREALTIME
sleep 30
game1=$(cpu_ticks "$game")
tick1=$(cpu_ticks "$ticking")
t1=$EPOCHREALTIME
percent() { awk -v d="$1" -v hz="$(getconf CLK_TCK)" -v a="$t0" -v b="$t1" 'BEGIN {printf "%.2f", 100 * d / hz / (b - a)}'; }
cpu_game=$(percent "$((game1 - game0))")
cpu_tick=$(percent "$((tick1 - tick0))")
sleep 9.5
# The run is still going: the clock changes from one moment to the next.
import -window "$form9" "$work/run1.png"
sleep 0.15
import -window "$form9" "$work/run2.png"
changed=$(compare -metric AE "$work/run1.png" "$work/run2.png" null: 2>&1 || true)
if [ "${changed%% *}" = 0 ]; then
  echo "the level 9 run was not running at the end of the 60 s" >&2
  exit 1
fi
rss_run=$(status_kb "$game" VmRSS)
wait "$typist" || true
stop "$game"
stop "$ticking"

# ---- In-process: tick intervals and the pause end, the window benchmarks.
echo "Tick intervals, 10 s of level 9 in-process ..." >&2
ticks=$("$DRIVER" ticks 9 10 250)
interval=$(grep '^tick_interval_ms' <<<"$ticks")
repaint=$(grep '^repaint_us' <<<"$ticks")
echo "50 pause ends of level 9 in-process ..." >&2
pauses=$("$DRIVER" pauses 50)
echo "Benchmarks ..." >&2
"$DRIVER" --benchmark_format=csv 2>/dev/null >"$work/window.csv"
: >"$work/engines.csv"
for bench in "$BUILD"/bench/*_bench; do
  [ "$bench" = "$DRIVER" ] && continue
  "$bench" --benchmark_format=csv 2>/dev/null | sed "s|^|$(basename "$bench"),|" >>"$work/engines.csv"
done

# ---- Key-to-screen latency, on this display, with programs of its own.
echo "Key-to-screen latency ..." >&2
keys_table=$(NUMORA_MEASURE_BUILD=$BUILD bash "$ROOT/scripts/key_latency.sh") ||
  keys_table="Key-to-screen latency: not measured (scripts/key_latency.sh failed, see above)."

# ---- The tables.
floor=${up[floor-cjk]}
floor_mb=${hwm_mb[floor-cjk]}
echo
echo "| program | start-up: process start to first window mapped, median of $ROUNDS (range) | peak RSS 2 s after start (VmHWM), median |"
echo "|---|---|---|"
for name in "${names[@]}"; do
  echo "| $name | $(f 1 "${up[$name]}") ms (${up_range[$name]}) | ${hwm_mb[$name]} MB |"
done
echo
echo "| figure | numora | against | ratio / difference | goal | |"
echo "|---|---|---|---|---|---|"
r=$(ratio "${up[numora]}" "$floor")
echo "| start-up | $(f 1 "${up[numora]}") ms | CJK floor $(f 1 "$floor") ms | ${r}x | ≤ 1.2x | $(at_most "$r" 1.2) |"
if [ -n "$TIPP10" ]; then
  r=$(ratio "${up[numora]}" "${up[tipp10]}")
  echo "| start-up | $(f 1 "${up[numora]}") ms | TIPP10 $(f 1 "${up[tipp10]}") ms | ${r}x | ≤ 0.9x | $(at_most "$r" 0.9) |"
fi
d=$(minus "${hwm_mb[numora]}" "$floor_mb")
echo "| peak RSS 2 s after start | ${hwm_mb[numora]} MB | CJK floor $floor_mb MB | $d MB | ≤ +4 MB | $(at_most "$d" 4) |"
if [ -n "$TIPP10" ]; then
  r=$(ratio "${hwm_mb[numora]}" "${hwm_mb[tipp10]}")
  echo "| peak RSS 2 s after start | ${hwm_mb[numora]} MB | TIPP10 ${hwm_mb[tipp10]} MB | ${r}x | ≤ 1.1x | $(at_most "$r" 1.1) |"
fi
r=$(ratio "$cpu_game" "$cpu_tick")
echo "| CPU, level-9 run, a key every 400 ms, 30 s | $cpu_game % of a core | ticking floor $cpu_tick % | ${r}x | ≤ 2.0x | $(at_most "$r" 2.0) |"
d=$(minus "$(kb_to_mb "$rss_run")" "$(kb_to_mb "$rss_start")")
echo "| RSS after 60 s of the run | $(kb_to_mb "$rss_run") MB | RSS before it $(kb_to_mb "$rss_start") MB | $d MB | ≤ +2 MB | $(at_most "$d" 2) |"
im=$(field "$interval" median)
ip=$(field "$interval" p99)
echo "| tick interval, level 9, a key every 250 ms, 10 s, in-process: median / p99 / worst | $(f 2 "$im") / $(f 2 "$ip") / $(f 2 "$(field "$interval" worst)") ms | | | ≤ 7.5 / ≤ 10 ms | $(at_most "$im" 7.5) / $(at_most "$ip" 10) |"
pw=$(field "$pauses" worst)
echo "| level-9 pause end after the 2000 ms mark, 50 pauses, in-process: median / worst | $(f 2 "$(field "$pauses" median)") / $(f 2 "$pw") ms | | | ≤ 7 ms | $(at_most "$pw" 7) |"
frames=$(awk '/^frames_per_second/ {print $2}' <<<"$ticks")
echo "| frames painted in that run: per second; cost median / p99 | $(f 0 "$frames") /s; $(f 0 "$(field "$repaint" median)") / $(f 0 "$(field "$repaint" p99)") µs | | | | |"
echo "| memory of the glyph pictures after that run | $(awk '/^glyph_picture_kib/ {print $2}' <<<"$ticks") KiB | | | | |"
# Google Benchmark CSV: name,iterations,real_time,cpu_time,time_unit,...,"allocs/op"
awk -F, '
  /^name,/ {for (i = 1; i <= NF; i++) col[$i] = i; next}
  /^"BM_/ {
    name = $col["name"]; gsub(/"/, "", name)
    printf "| %s, Google Benchmark, CPU | %.1f µs, %.0f allocations | | | | |\n", name, $col["cpu_time"], $col["\"allocs/op\""]
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
    printf "| engine %s (%s), Google Benchmark | %.1f ns, %s | | | < 1 µs, no allocation | %s |\n", name, $1, ns, (failed ? $col["error_message"] : allocs < 0 ? "allocations not counted" : sprintf("%g allocations", allocs)), (ok ? "pass" : "**miss**")
  }' "$work/engines.csv"
echo "$keys_table"
echo
echo "Measured $(date -u +%Y-%m-%d) on $(nproc) cores ($(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -n 1)), load average $(cut -d' ' -f1-3 /proc/loadavg) at the end."
