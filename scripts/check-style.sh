#!/usr/bin/env bash
# The sources keep the project's format (.clang-format) and pass the static
# analyser (cppcheck, its warning and portability checks); the shell scripts
# pass shellcheck. Exit 0 when clean.
set -euo pipefail
cd "$(dirname "$0")/.."

echo "check-style: clang-format"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

echo "check-style: cppcheck"
# returnTempReference in SoundSlotAt: both arms of its ?: are lvalues, so the
# reference is to a slot or to the static empty slot, never to a temporary.
cppcheck -q -j2 --std=c++20 --language=c++ --enable=warning,portability \
  --error-exitcode=1 --inline-suppr \
  --suppress=returnTempReference:src/platform/sound.cpp -I src src
echo "check-style: shellcheck"
git ls-files '*.sh' play test .ci/run | xargs shellcheck -x -P SCRIPTDIR
echo "check-style: clean"
