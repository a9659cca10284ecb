#!/usr/bin/env bash
# run_written_files_test.sh GAME FIGHT_SCRIPT WORKDIR: what the game writes
# (trace, demo, screenshots) is complete or reported with the file's name and
# exit status 1; an existing demo is replaced only with --force; SIGTERM and
# SIGINT end a headless run in order even when they come twice; with no
# display the game refuses to run unseen.
set -euo pipefail
game=$1 fight=$2 work=$3
rm -rf "$work"
mkdir -p "$work"
cd "$work"
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# expect NAME STATUS TEXT COMMAND...: COMMAND exits with STATUS and its
# output contains TEXT.
expect() {
  local name=$1 status=$2 text=$3 rc=0
  shift 3
  "$@" >"$name.out" 2>&1 || rc=$?
  [[ $rc -eq $status ]] || fail "$name: exit status $rc, not $status"
  [[ -z $text ]] || grep -qF -- "$text" "$name.out" || fail "$name: no '$text' in: $(cat "$name.out")"
}

echo "old" >old.demo
expect trace_full 1 "cannot write trace /dev/full" "$game" --headless --until 300 --trace /dev/full
expect shot_full 1 "cannot write screenshot /dev/full" \
  "$game" --headless --until 300 --shot 100:/dev/full
expect shot_late 2 "would never be taken" "$game" --headless --until 300 --shot 400:late.bmp
expect demo_exists 1 "old.demo exists" "$game" --headless --until 300 --record old.demo
[[ $(cat old.demo) == old ]] || fail "demo_exists: the old demo was changed"
expect demo_failed_start 1 "cannot load picture" \
  "$game" --headless --data "$work" --until 300 --record old.demo --force
[[ $(cat old.demo) == old ]] || fail "demo_failed_start: the old demo was changed"
expect demo_force 0 "" "$game" --headless --until 300 --record old.demo --force
expect demo_force_replays 0 "has ended" "$game" --headless --replay old.demo --until 400
ls old.demo.* >/dev/null 2>&1 && fail "a temporary demo file was left behind"
# A trace into a pipe whose reader leaves early: a failed write, said, and
# the demo of the same run still complete.
rc=0
"$game" --headless --until 20000 --trace /dev/stdout --record pipe.demo 2>pipe.err | true || rc=$?
[[ $rc -eq 1 ]] || fail "trace_pipe: exit status $rc, not 1"
grep -qF "cannot write trace /dev/stdout" pipe.err || fail "trace_pipe: said '$(cat pipe.err)'"
expect pipe_demo_replays 0 "has ended" "$game" --headless --replay pipe.demo --until 20100
expect no_display 1 "no display: " env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER \
  SDL_AUDIODRIVER=dummy "$game" --mute

# No sound device: one line, no library noise; under --mute not a word. The
# window is asked for unseen, so the run ends by the timeout's SIGTERM.
for mute in "" --mute; do
  out=sound${mute:+_mute}.out rc=0
  SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=alsa AUDIODEV=no-such-device \
    timeout -s TERM 3 "$game" $mute >"$out" 2>&1 || rc=$?
  [[ $rc -eq 124 ]] || fail "$out: exit status $rc"
  expected=""
  [[ -n $mute ]] || expected="pimquest: no sound device; playing silent"
  [[ $(cat "$out") == "$expected" ]] || fail "$out: said '$(cat "$out")', not '$expected'"
done

# Two signals 10 ms apart in the middle of a scripted fight, once as the
# fight starts and once inside a message box: an orderly end, the trace
# closed by the quit, a demo whose replay quits at the same moment with the
# same trace, time for time.
for case in TERM:battle INT:battle TERM:message INT:message; do
  sig=${case%%:*} at=${case#*:} rc=0
  name=$sig-$at
  "$game" --headless --script "$fight" --record "$name.demo" --trace "$name.trace" &
  pid=$!
  for _ in $(seq 1000); do
    grep -q "\"ev\":\"$at\"" "$name.trace" 2>/dev/null && break
    sleep 0.01
  done
  kill -"$sig" "$pid"
  sleep 0.01
  kill -"$sig" "$pid" 2>/dev/null || true
  wait "$pid" || rc=$?
  [[ $rc -eq 0 ]] || fail "$name: exit status $rc"
  [[ $(tail -n 1 "$name.trace") == *'"ev":"quit","code":0}' ]] || fail "$name: trace ends otherwise"
  end=$(tail -n 1 "$name.trace" | sed -E 's/^\{"t":([0-9]+),.*/\1/')
  expect "replay_$name" 0 "has ended where its player quit" \
    "$game" --headless --replay "$name.demo" --trace "$name.replay" --until $((end + 1000))
  cmp -s "$name.trace" "$name.replay" ||
    fail "$name: the replay differs: $(diff "$name.trace" "$name.replay" | head -4)"
done

if ((failures > 0)); then
  echo "$failures failed"
  exit 1
fi
echo "PASS"
