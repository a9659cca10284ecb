#!/usr/bin/env bash
# run-fuzz.sh BUILD_DIR [SECONDS] [KIND...]: runs the fuzz targets of a
# fuzz-preset build (all four, or the KINDs named: bmp wav script demo) for
# SECONDS each (PQ_FUZZ_SECONDS wins when set), starting from the corpus kept
# in fuzz/corpus/ and freshly generated seeds. A malloc limit catches any
# allocation a hostile file could make unbounded. Inputs are kept to 16 KiB:
# every picture and sound layout, every chunk walk and every kind of row fits
# many times over, and longer inputs only run the same loops longer. The
# sanitizer's quarantine of freed memory is 16 MB rather than 256: one input
# allocates far less, so a use after free within it is still caught, and the
# allocator stops touching fresh pages at every input (a third of the time of
# the picture target went to page faults). Fails on the first crash,
# hang, leak or oversized allocation and names the input that caused it;
# otherwise prints runs, coverage (edges, features) and corpus size.
set -euo pipefail
build=${1:?usage: run-fuzz.sh BUILD_DIR [SECONDS] [KIND...]}
shift
seconds=8
if [[ ${1:-} =~ ^[0-9]+$ ]]; then
  seconds=$1
  shift
fi
seconds=${PQ_FUZZ_SECONDS:-$seconds}
kinds=("$@")
[[ ${#kinds[@]} -gt 0 ]] || kinds=(bmp wav script demo)
source_dir=$(cd "$(dirname "$0")/.." && pwd)

work="$build/fuzz-work"
mkdir -p "$work/artifacts"
rm -rf "$work/seeds"
"$build/pq_fuzz_seeds" "$work/seeds"

for kind in "${kinds[@]}"; do
  case $kind in
    bmp | wav) max_len=16384 ;;
    *) max_len=8192 ;;
  esac
  target="$build/fuzz_$kind"
  corpus="$work/corpus-$kind"
  rm -rf "$corpus"
  mkdir -p "$corpus"
  cp "$work/seeds/$kind"/* "$corpus"/
  if [[ -d $source_dir/fuzz/corpus/$kind ]]; then cp "$source_dir/fuzz/corpus/$kind"/* "$corpus"/; fi
  log="$work/fuzz_$kind.log"
  if ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=16} "$target" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 \
    -malloc_limit_mb=256 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/$kind-" "$corpus" >"$log" 2>&1; then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
    cov=$(grep -E '^#[0-9]+' "$log" | tail -1 | grep -o 'cov: [0-9]* ft: [0-9]*' || echo 'cov: ?')
    echo "fuzz_$kind: $runs runs in $seconds s, $cov, $(find "$corpus" -type f | wc -l) inputs in the corpus, 0 findings"
  else
    tail -n 40 "$log" >&2
    echo "fuzz_$kind: FAILED; the input is in $work/artifacts/" >&2
    exit 1
  fi
done
