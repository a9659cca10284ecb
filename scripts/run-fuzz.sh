#!/usr/bin/env bash
# run-fuzz.sh BUILD_DIR SECONDS: runs each fuzz target of a fuzz-preset build
# for SECONDS, starting from freshly generated seeds. Fails on the first
# crash, hang or leak and names the input that caused it.
set -euo pipefail
build=${1:?usage: run-fuzz.sh BUILD_DIR SECONDS}
seconds=${2:-8}

work="$build/fuzz-work"
rm -rf "$work"
mkdir -p "$work/artifacts"
"$build/pq_fuzz_seeds" "$work/seeds"

for kind in bmp wav script demo; do
  target="$build/fuzz_$kind"
  corpus="$work/corpus-$kind"
  cp -r "$work/seeds/$kind" "$corpus"
  log="$work/fuzz_$kind.log"
  if "$target" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$work/artifacts/$kind-" "$corpus" >"$log" 2>&1; then
    echo "fuzz_$kind: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$log" || echo done)," \
      "$(find "$corpus" -type f | wc -l) inputs in the corpus"
  else
    tail -n 40 "$log" >&2
    echo "fuzz_$kind: FAILED; the input is in $work/artifacts/" >&2
    exit 1
  fi
done
