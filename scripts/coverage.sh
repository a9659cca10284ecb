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
files = sorted({name for name, _ in hits})
with open(out, "w") as missed:
    for name, number in sorted(hits):
        if not hits[(name, number)]:
            missed.write(f"{name}:{number}\n")
total = reached = 0
for name in files:
    lines = [hit for (n, _), hit in hits.items() if n == name]
    total, reached = total + len(lines), reached + sum(lines)
    if sum(lines) < len(lines):
        print(f"{sum(lines):5}/{len(lines):<5} {name}")
print(f"coverage: {reached} of {total} lines of src/ reached ({100 * reached / max(total, 1):.1f}%); "
      f"the rest in {out}")
' "$root" "$build/uncovered.txt"
