#!/usr/bin/env bash
# run_quit_anywhere.sh GAME FIGHT_SCRIPT WORKDIR: the windowed game, brought
# by a demo into a battle and, in a second run, into the message box after
# the fight, gets SIGTERM while it waits there. It must leave within 200 ms
# with status 0 after its orderly shutdown (the trace ends on the quit).
# Exits 77 (skipped) where there is no virtual X server to run it on.
set -euo pipefail
game=$1 fight=$2 work=$3
# shellcheck source=in_xvfb.sh
source "$(dirname "$0")/in_xvfb.sh" "$work" "$@"
fail() {
  echo "FAIL: $*"
  exit 1
}

# The demos are recorded headless: the game's course depends only on what
# its reads return, so the window replays the same game.
printf '0 S\n500\n1000 Right\n3700\n' >battle.txt
"$game" --headless --script battle.txt --record battle.demo --until 6000
"$game" --headless --script "$fight" --record message.demo --until 33000

# quit_while NAME DEMO EXPECTED: replays DEMO in the window; once it has run
# out and the trace shows EXPECTED, sends SIGTERM and times the exit.
quit_while() {
  local name=$1 demo=$2 expected=$3
  : >"$name.out"
  "$game" --replay "$demo" --trace "$name.trace" >"$name.out" 2>&1 &
  local pid=$!
  local waited=0
  until grep -q "has ended" "$name.out" 2>/dev/null; do
    kill -0 "$pid" 2>/dev/null || { cat "$name.out"; fail "$name: the game ended early"; }
    ((waited++ < 900)) || { kill -KILL "$pid"; fail "$name: the demo never ran out"; }
    sleep 0.1
  done
  sleep 0.5  # let it settle into its wait
  grep -q "$expected" "$name.trace" || { kill -KILL "$pid"; fail "$name: the trace lacks $expected"; }
  local before after rc=0
  before=$(date +%s%N)
  kill -TERM "$pid"
  wait "$pid" || rc=$?
  after=$(date +%s%N)
  local ms=$(((after - before) / 1000000))
  [[ $rc -eq 0 ]] || { cat "$name.out"; fail "$name: exit status $rc after SIGTERM"; }
  local last
  last=$(tail -n 1 "$name.trace" | sed -E 's/^\{"t":[0-9]+,/{/')
  [[ $last == '{"ev":"quit","code":0}' ]] || fail "$name: the trace ends on $last"
  ((ms < 200)) || fail "$name: the game took $ms ms to leave"
  echo "$name: left in $ms ms with status 0 after its orderly shutdown"
}

# While it starts: as soon as the game has taken over SIGTERM (the signal
# mask in /proc says so), before its pictures are loaded.
: >starting.trace
"$game" --trace starting.trace >starting.out 2>&1 &
pid=$!
for _ in $(seq 500); do
  caught=$(awk '/^SigCgt:/ { print $2 }' "/proc/$pid/status" 2>/dev/null || echo 0)
  (((16#${caught:-0} >> 14) & 1)) && break
  sleep 0.01
done
kill -TERM "$pid"
rc=0
wait "$pid" || rc=$?
[[ $rc -eq 0 ]] || { cat starting.out; fail "starting: exit status $rc after SIGTERM"; }
[[ $(tail -n 1 starting.trace | sed -E 's/^\{"t":[0-9]+,/{/') == '{"ev":"quit","code":0}' ]] ||
  fail "starting: the trace does not end on the quit"
echo "starting: left with status 0 after its orderly shutdown"

quit_while battle battle.demo '"ev":"battle"'
quit_while message message.demo 'recieved 20 GOLD'
echo "PASS"
