#!/usr/bin/env bash
# run_hostile_files_test.sh GAME ASSETS WORKDIR: files no real game has are
# refused quickly by name: huge or endless scripts, a folder given as the
# script, a 40 GB picture or sound (sparse, so it costs no disk), and a
# 64-byte picture claiming 8192 x 8192, named pipes that nobody writes to
# (or reads). A refused sound leaves the game playing; the others end it with
# status 1. A pipe with a writer is still read.
set -euo pipefail
game=$1 assets=$2 work=$3
rm -rf "$work"
mkdir -p "$work"
cd "$work"
fail() {
  echo "FAIL: $*"
  exit 1
}
fresh() {  # a data folder with the generated files
  rm -rf data
  mkdir -p data
  cp -r "$assets/bmp" "$assets/wav" data/
}
# run EXPECTED_STATUS WORD ARGS...: the game ends with that status within
# 10 s and says WORD.
run() {
  local want=$1 word=$2 rc=0
  shift 2
  timeout 10 "$game" --headless --mute --data data --until 500 "$@" >out.txt 2>&1 || rc=$?
  [[ $rc -eq $want ]] || fail "$*: exit status $rc, not $want: $(head -c 300 out.txt)"
  grep -q -- "$word" out.txt || fail "$*: does not say '$word': $(head -c 300 out.txt)"
  echo "refused: $(grep -- "$word" out.txt | head -1)"
}

fresh
mkdir folder
head -c 2000000 /dev/zero | tr '\0' '\n' >long.txt
run 1 "folder" --script folder
run 1 "/dev/zero" --script /dev/zero
run 1 "long.txt" --script long.txt

truncate -s 40G data/bmp/world.bmp
run 1 "world.bmp: is more than" --script /dev/null

fresh
# RLE8, 8192 x 8192, one palette entry, an empty picture: 64 bytes.
printf 'BM\x40\0\0\0\0\0\0\0\x3a\0\0\0\x28\0\0\0\0\x20\0\0\0\x20\0\0\x01\0\x08\0\x01\0\0\0\x06\0\0\0\0\0\0\0\0\0\0\0\x01\0\0\0\0\0\0\0\0\0\0\0\0\x01\0\0\0\0' \
  >data/bmp/Village.bmp
run 1 "Village.bmp: picture of 8192 x 8192" --script /dev/null

fresh
truncate -s 40G data/wav/intro.wav
run 0 "intro.wav: is more than" --script /dev/null

# Named pipes with nobody at the other end: refused at once, never waited on.
fresh
rm data/bmp/castle.bmp data/wav/intro.wav
mkfifo pipe data/bmp/castle.bmp data/wav/intro.wav
run 1 "script pipe is a pipe that nothing writes to" --script pipe
run 1 "demo pipe: it is a pipe that nothing writes to" --replay pipe
run 1 "cannot write trace pipe" --trace pipe
run 1 "castle.bmp: is a pipe that nothing writes to" --script /dev/null
rm data/bmp/castle.bmp && cp "$assets/bmp/castle.bmp" data/bmp/
run 0 "intro.wav: is a pipe that nothing writes to" --script /dev/null
run 0 "" --script <(printf '0 S\n')
# A pipe whose writer keeps it open but silent: Ctrl+C ends the wait at once.
mkfifo silent
exec 3<>silent # this shell holds it open, writing nothing
"$game" --headless --data data --until 500 --script silent >out.txt 2>&1 &
pid=$!
sleep 0.5
kill -INT "$pid"
rc=0
timeout 2 tail --pid="$pid" -f /dev/null || fail "Ctrl+C did not end the wait on a silent pipe"
wait "$pid" || rc=$?
exec 3>&-
grep -q "asked to quit" out.txt || fail "silent pipe: status $rc, said: $(cat out.txt)"
echo "PASS"
