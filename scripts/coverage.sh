#!/usr/bin/env bash
# Which lines of the game (src/) the tests run, for seeing what a change to
# the tests gives up. Builds build/coverage with gcov's counters, runs the
# tests (the soak left out; any other ctest arguments are passed on) and
# writes build/coverage/uncovered.txt, one "file:line" for every line of
# src/ no test reached, with a summary per file and in all on stdout.
#
#   scripts/coverage.sh                  every test
#   scripts/coverage.sh -R '^battle'     only the battle suite
#   diff before.txt build/coverage/uncovered.txt
#                                        what a change gave up (the lines
#                                        are stable while src/ is unchanged)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build/coverage

if [[ ! -f $build/build.ninja ]]; then
  # The counters need a build of their own, unoptimised so that every line
  # keeps its own count; ccache would hand back objects without them.
  CCACHE_DISABLE=1 cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="--coverage -O0" -DPQ_BENCH=OFF >/dev/null
fi
CCACHE_DISABLE=1 cmake --build "$build" -j 2 >/dev/null
find "$build" -name '*.gcda' -delete
(cd "$build" && ctest -j 2 -LE soak --output-on-failure "$@" >/dev/null) ||
  echo "coverage: some tests failed; the figures still count what ran" >&2

find "$build/src" -name '*.gcda' -print0 |
  xargs -0 -n 20 gcov --json-format --stdout 2>/dev/null |
  python3 -c '
import json, sys
root, out = sys.argv[1] + "/", sys.argv[2]
hits = {}  # (file, line) -> reached in any object
for doc in sys.stdin:
    if not doc.strip():
        continue
    for f in json.loads(doc)["files"]:
        name = f["file"]
        if not name.startswith(root + "src/"):
            continue
        name = name[len(root):]
        for line in f["lines"]:
            key = (name, line["line_number"])
            hits[key] = hits.get(key, False) or line["count"] > 0
per_file = {}  # file -> [lines reached, lines]
with open(out, "w") as missed:
    for (name, number), hit in sorted(hits.items()):
        if not hit:
            missed.write(f"{name}:{number}\n")
        counts = per_file.setdefault(name, [0, 0])
        counts[0] += hit
        counts[1] += 1
for name, (got, lines) in per_file.items():
    if got < lines:
        print(f"{got:5}/{lines:<5} {name}")
reached = sum(got for got, _ in per_file.values())
total = len(hits)
print(f"coverage: {reached} of {total} lines of src/ reached ({100 * reached / max(total, 1):.1f}%); "
      f"the rest in {out}")
' "$root" "$build/uncovered.txt"
