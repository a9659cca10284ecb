#!/usr/bin/env bash
# run_demo_test.sh GAME SCRIPT WORKDIR: records a scripted headless game as a
# demo, replays the demo headless, and requires both traces to agree event
# for event (times aside). Then damaged demos must be refused by name with
# exit status 1.
set -euo pipefail
game=$1 script=$2 work=$3
rm -rf "$work"
mkdir -p "$work"
cd "$work"
fail() {
  echo "FAIL: $*"
  exit 1
}
untimed() { sed -E 's/^\{"t":[0-9]+,/{/' "$1"; }

"$game" --headless --script "$script" --record fight.demo --trace recorded.trace --until 34000 ||
  fail "the recording run ended with $?"
"$game" --headless --replay fight.demo --trace replayed.trace --until 34000 >replay.out ||
  fail "the replay ended with $?"
[[ -s fight.demo ]] || fail "no demo was written"
grep -q '"ev":"battle_end"\|recieved 20 GOLD' recorded.trace || fail "the scripted fight did not happen"
if ! diff <(untimed recorded.trace) <(untimed replayed.trace) >trace.diff; then
  head -20 trace.diff
  fail "the replay differs from the recorded game"
fi
echo "replay agrees with the recording: $(wc -l <recorded.trace) events, demo of $(stat -c %s fight.demo) bytes"

# Frame timing adds its own events and changes nothing else: one
# first_picture, before any present, then wall-clock times that never go back.
"$game" --headless --replay fight.demo --trace-presents --trace timed.trace --until 34000 >/dev/null ||
  fail "the replay with frame timing ended with $?"
timing='"ev":"(present|first_picture)"'
diff -q <(untimed recorded.trace) <(grep -Ev "$timing" timed.trace | untimed /dev/stdin) >/dev/null ||
  fail "frame timing changed the game's own events"
grep -Eo "$timing" timed.trace | uniq -c | head -2 | tr -s ' ' >timing.out
[[ $(head -1 timing.out) == ' 1 "ev":"first_picture"' && $(sed -n 2p timing.out) == *'"ev":"present"' ]] ||
  fail "the first picture is not marked once before the presents: $(cat timing.out)"
[[ $(grep -c '"ev":"first_picture"' timed.trace) -eq 1 ]] || fail "the first picture is marked again"
grep -Eo '"us":[0-9]+' timed.trace | cut -d: -f2 | sort -cn || fail "frame times go back"
echo "frame timing: $(grep -c '"ev":"present"' timed.trace) presents"

# A demo that is missing, cut short or not a demo at all is refused.
head -c 40 fight.demo >cut.demo
printf 'PQDEMO but not really a demo\n' >junk.demo
for bad in missing.demo cut.demo junk.demo; do
  rc=0
  "$game" --headless --replay "$bad" --until 1000 >bad.out 2>&1 || rc=$?
  [[ $rc -eq 1 ]] || fail "$bad: exit status $rc, not 1"
  grep -q "$bad" bad.out || fail "$bad: the message does not name the file: $(cat bad.out)"
  echo "refused: $(cat bad.out)"
done
# Played on after its end, a demo holds nothing, and says so.
"$game" --headless --replay fight.demo --until 40000 >long.out || fail "the long replay failed"
grep -q "has ended" long.out || fail "the end of the demo was not told"
echo "PASS"
