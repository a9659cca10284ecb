#!/usr/bin/env bash
# run_signal_storm.sh GAME FIGHT_SCRIPT WORKDIR [BUILD]: the windowed game replays a
# fight (title skipped, the map, the battle, its message boxes) and the walk
# to the inn after it, and gets SIGTERM or SIGINT at 30 moments drawn from a
# fixed seed, loading included. Every tenth moment is taken inside the
# inn's Yes/No prompt instead: that long after the prompt's question shows.
# Every run must exit 0 after its orderly shutdown (the trace ends on the
# quit), 95 % of them within 200 ms (judged only where the machine is not
# crowded, and not for a BUILD of "sanitized", whose every step is slower).
# Prints min/median/max.
# Exits 77 (skipped) where there is no virtual X server to run it on.
set -euo pipefail
game=$1 fight=$2 work=$3 build=${4:-plain}
# shellcheck source=in_xvfb.sh
source "$(dirname "$0")/in_xvfb.sh" "$work" "$@"

cat "$fight" "$(dirname "$0")/to_the_inn.txt" >storm.txt
"$game" --headless --script storm.txt --record storm.demo --until 61000
question='Just 30 GOLD for one night.'

RANDOM=1207  # the moments are the same in every run of this test
runs=30 quick=0 failures=0
times=()
for i in $(seq "$runs"); do
  moment=$((RANDOM % 6000))
  sig=$((RANDOM % 2 == 0 ? 15 : 2))
  prompt=$((i % 10 == 0))
  : >"$i.trace"
  "$game" --replay storm.demo --trace "$i.trace" >"$i.out" 2>&1 &
  pid=$!
  if ((prompt)); then
    # The question is typed in about 1.4 s; the prompt then waits 16 s.
    moment=$((2500 + moment))
    for _ in $(seq 1200); do
      grep -qF "$question" "$i.trace" && break
      sleep 0.05
    done
  fi
  sleep "$(printf '%d.%03d' $((moment / 1000)) $((moment % 1000)))"
  before=$(date +%s%N)
  kill -"$sig" "$pid"
  rc=0
  wait "$pid" || rc=$?
  ms=$((($(date +%s%N) - before) / 1000000))
  times+=("$ms")
  ((ms <= 200)) && quick=$((quick + 1))
  last=$(tail -n 1 "$i.trace" 2>/dev/null || true)
  # The last thing the game did before the shutdown's own events.
  where=$(grep -vE '"ev":"(quit|sound|present)"' "$i.trace" 2>/dev/null | tail -n 1 |
    sed -E 's/.*"ev":"([a-z_]+)".*/\1/' || true)
  ((prompt)) && where="the prompt, $where"
  echo "run $i: signal $sig at ${moment} ms (after ${where:-nothing: loading or title}): status $rc, left in $ms ms"
  if ((prompt)) && { ! grep -qF "$question" "$i.trace" || grep -q '"ev":"yesno"' "$i.trace"; }; then
    echo "FAIL: run $i was not signalled inside the prompt"
    failures=$((failures + 1))
  fi
  if [[ $rc -ne 0 || $last != *'"ev":"quit","code":0}' ]]; then
    cat "$i.out"
    echo "FAIL: run $i did not end in order (status $rc, last trace line $last)"
    failures=$((failures + 1))
  fi
done
mapfile -t sorted < <(printf '%s\n' "${times[@]}" | sort -n)
echo "quit times: min ${sorted[0]} ms, median ${sorted[$((runs / 2))]} ms, max ${sorted[$((runs - 1))]} ms;" \
  "$quick of $runs within 200 ms"
((failures == 0)) || { echo "FAIL: $failures runs"; exit 1; }
# The time goal is judged on a machine that is not crowded: with many more
# runnable tasks than cores every figure above measures the crowd.
load=$(cut -d ' ' -f 1 /proc/loadavg)
if [[ $build == sanitized ]]; then
  echo "the time goal is not judged in a sanitizer build"
elif awk -v l="$load" -v c="$(nproc)" 'BEGIN { exit !(l > c) }'; then
  echo "the time goal is not judged: load average $load on $(nproc) cores"
elif ((quick * 100 < runs * 95)); then
  echo "FAIL: fewer than 95 % within 200 ms"
  exit 1
fi
echo "PASS"
