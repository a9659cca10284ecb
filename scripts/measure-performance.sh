#!/usr/bin/env bash
# measure-performance.sh BUILD_DIR: measures the figures of docs/PERFORMANCE.md
# and prints each with the command that produced it. BUILD_DIR is an
# optimised build (the default preset) with the benchmark built. The window
# figures need Xvfb (xvfb-run) and are skipped without it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?usage: measure-performance.sh BUILD_DIR}" && pwd)
game=$build/pimquest
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
runs=${PQ_RUNS:-7}
hz=$(getconf CLK_TCK)

say() { printf '%s\n' "$*"; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
percentile() { sort -n | awk -v p="$1" '{ v[NR] = $1 } END { i = int(NR * p / 100 + 0.999); if (i < 1) i = 1; print v[i] }'; }
first_picture_us() { grep -m1 '"first_picture"' "$1" | sed -E 's/.*"us":([0-9]+).*/\1/'; }

say "== Pim Quest performance, $(date -u +%Y-%m-%d), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"

# 1. Frame cost against a plain screen copy.
say ""
say "-- frame cost: $build/pq_frame_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true"
"$build/pq_frame_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null |
  grep -E 'median'
say "-- frame cost ratio: $build/pq_frame_bench"
"$build/pq_frame_bench" 2>/dev/null | grep 'walking frame'

# 2. Headless start-up to the first picture, and peak memory.
say ""
say "-- headless start-up: launch to the first picture (--trace-presents), median of $runs"
for _ in $(seq "$runs"); do
  start=$(date +%s%N)
  "$game" --headless --until 100 --trace-presents --trace h.trace
  echo $(($(first_picture_us h.trace) - start / 1000))
done | median | awk '{ printf "headless start-up: %.1f ms\n", $1 / 1000 }'
say "-- headless peak memory: /usr/bin/time -f %M $game --headless --script $here/screenshot-tour.txt --until 60000"
/usr/bin/time -f '%M' -o mem.txt "$game" --headless --script "$here/screenshot-tour.txt" --until 60000
awk '{ printf "headless peak memory: %.1f MB\n", $1 / 1024 }' mem.txt

# 3. Headless playthrough speed: an hour of virtual wandering and fighting.
say ""
{
  printf '0 S\n500\n'
  for ((t = 1000; t < 3600000; t += 4000)); do
    printf '%d Right\n%d A\n%d\n%d Down\n%d S\n%d\n' $t $((t + 900)) $((t + 1000)) \
      $((t + 2000)) $((t + 2900)) $((t + 3000))
  done
} >wander.txt
say "-- headless speed: $game --headless --script wander.txt --until 3600000 (wander.txt: an hour of walking, A and S)"
start=$(date +%s%N)
"$game" --headless --script wander.txt --until 3600000 --trace wander.trace
end=$(date +%s%N)
awk -v ns=$((end - start)) -v battles="$(grep -c '"ev":"battle"' wander.trace)" 'BEGIN {
  printf "headless speed: 3600 s of game time in %.2f s of wall time = %.0fx (%d battles)\n",
    ns / 1e9, 3600e9 / ns, battles }'

if ! command -v xvfb-run >/dev/null 2>&1; then
  say ""
  say "(no xvfb-run: the window figures are skipped)"
  exit 0
fi

# 4. The window under Xvfb: demos recorded headless bring it to each state.
"$game" --headless --script "$here/screenshot-tour.txt" --record message.demo --until 33000
printf '0 S\n500\n' >map.txt
"$game" --headless --script map.txt --record map.demo --until 3000
cat >window.sh <<'INNER'
set -euo pipefail
game=$1 runs=$2 hz=$3
unset SDL_VIDEODRIVER
export SDL_AUDIODRIVER=dummy
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
percentile() { sort -n | awk -v p="$1" '{ v[NR] = $1 } END { i = int(NR * p / 100 + 0.999); if (i < 1) i = 1; print v[i] }'; }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
# replay DEMO NAME: starts the window on DEMO; returns once the demo has run out.
replay() {
  : >"$2.out"
  "$game" --replay "$1" --trace-presents --trace "$2.trace" >"$2.out" 2>&1 &
  pid=$!
  until grep -q "has ended" "$2.out"; do sleep 0.1; done
  sleep 1
}
echo "-- window CPU over 10 s, /proc/PID/stat utime+stime, waiting in the reward message box"
replay message.demo box
a=$(cpu_ticks $pid); sleep 10; b=$(cpu_ticks $pid)
kill -TERM $pid; wait $pid
awk -v d=$((b - a)) -v hz=$hz 'BEGIN { printf "window CPU in a message box: %.2f %% of one core\n", 100 * d / hz / 10 }'

echo "-- window CPU over 10 s on the world map (every frame drawn and presented), and frame pacing"
replay map.demo map
a=$(cpu_ticks $pid); mark=$(wc -l <map.trace); sleep 10; b=$(cpu_ticks $pid)
# The window draws without OpenGL: no such library may be mapped.
gl=$(grep -oE '[^/ ]*(libGL|libEGL|libGLX|llvmpipe|gallium|swrast|_dri)[^/ ]*$' "/proc/$pid/maps" | sort -u | tr '\n' ' ' || true)
echo "OpenGL libraries mapped in the window: ${gl:-none}"
kill -TERM $pid; wait $pid
awk -v d=$((b - a)) -v hz=$hz 'BEGIN { printf "window CPU on the map: %.2f %% of one core\n", 100 * d / hz / 10 }'
tail -n +"$mark" map.trace | grep '"ev":"present"' | sed -E 's/.*"us":([0-9]+).*/\1/' |
  awk 'NR > 1 { print $1 - last } { last = $1 }' >intervals.txt
med=$(median <intervals.txt)
p99=$(percentile 99 <intervals.txt)
awk -v n="$(wc -l <intervals.txt)" -v m="$med" -v p="$p99" 'BEGIN {
  printf "frame pacing over %d presents: median %.2f ms, 99th percentile %.2f ms, jitter (p99 - median) %.2f ms\n",
    n, m / 1000, p / 1000, (p - m) / 1000 }'

echo "-- window start-up to the first picture and peak memory, median of $runs"
for _ in $(seq "$runs"); do
  : >s.trace
  start=$(date +%s%N)
  /usr/bin/time -f '%M' -o s.mem "$game" --trace-presents --trace s.trace >/dev/null 2>&1 &
  timepid=$!
  until grep -q first_picture s.trace; do sleep 0.005; done
  # The game is the only child of time.
  kill -TERM "$(cat /proc/$timepid/task/$timepid/children)"
  wait $timepid
  us=$(grep -m1 '"first_picture"' s.trace | sed -E 's/.*"us":([0-9]+).*/\1/')
  echo "$((us - start / 1000)) $(cat s.mem)"
done >startup.txt
awk '{ print $1 }' startup.txt | median | awk '{ printf "window start-up: %.1f ms\n", $1 / 1000 }'
awk '{ print $2 }' startup.txt | median | awk '{ printf "window peak memory: %.1f MB\n", $1 / 1024 }'
INNER
say ""
xvfb-run -a -s "-screen 0 1280x1024x24" bash window.sh "$game" "$runs" "$hz"
