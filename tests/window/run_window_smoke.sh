#!/usr/bin/env bash
# run_window_smoke.sh SMOKE PROBE WORKDIR [ICON]: shows the test picture in a
# real window on a virtual X screen, dumps the screen and checks the picture.
# Exits 77 (skipped) where there is no virtual X server to run it on.
set -euo pipefail
smoke=$1 probe=$2 work=$3 icon=${4:-}

if [[ -z "${PQ_IN_XVFB:-}" ]]; then
  for tool in xvfb-run Xvfb xauth xwd; do
    command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
  done
  PQ_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi

rm -rf "$work"
mkdir -p "$work"
unset SDL_VIDEODRIVER
# The X libraries that SDL loads and unloads again leave a few blocks behind
# that a sanitizer build cannot even name; the host's own leaks are checked by
# its unit tests on the dummy drivers.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
SDL_AUDIODRIVER=dummy "$smoke" ${icon:+"$icon"} >"$work/smoke.out" 2>&1 &
pid=$!
for _ in $(seq 100); do
  grep -q '^ready' "$work/smoke.out" && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if ! grep -q '^ready' "$work/smoke.out"; then
  cat "$work/smoke.out"
  echo "FAIL: the window did not come up"
  kill -KILL "$pid" 2>/dev/null || true
  exit 1
fi
xwd -root -silent -out "$work/screen.xwd"

# SIGTERM must end the program in order, with exit code 0.
kill -TERM "$pid"
rc=0
wait "$pid" || rc=$?
cat "$work/smoke.out"
if [[ $rc -ne 0 ]]; then
  echo "FAIL: the program ended with $rc after SIGTERM"
  exit 1
fi
# A 1280 x 1024 desktop has room for the default scale of 2.
"$probe" "$work/screen.xwd" 2
