#!/usr/bin/env bash
# Checks that the layers of docs/ARCHITECTURE.md hold:
#  1. includes between the folders of src/ go one way, downwards:
#       entry point > shell > world > battle > dialogue > state > platform > host
#     and the game (state and up) reaches the host only through platform;
#  2. no file outside host/ names an SDL header;
#  3. with a build folder given, every library below the SDL host compiles
#     without SDL's include folder: a planted `#include <SDL.h>` fails with
#     the flags compile_commands.json gives that library's files, and compiles
#     with the SDL host's flags (so the plant itself is sound); and of the
#     test programs built there, only the SDL host's own (pq_test_host)
#     loads SDL.
# Usage: scripts/check-layers.sh [BUILD_DIR]   (exit 0 when every check holds)
#        scripts/check-layers.sh --self-test  (plants faults in a copy of src/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# The files of shell/ that make up the entry points (the desktop's and the
# web build's), above the main loop.
entry_files='^shell/(main\.cpp|web_main\.cpp|game_main\.|options\.|present_trace\.)'

rank() {  # rank FOLDER-OF-A-FILE; empty for an unknown folder
  case $1 in
    host) echo 0 ;; platform) echo 1 ;; state) echo 2 ;; dialogue) echo 3 ;;
    battle) echo 4 ;; world) echo 5 ;; shell) echo 6 ;; entry) echo 7 ;;
  esac
}

# Prints one line per include that breaks the layers under the folder $1.
check_sources() {
  local src=$1
  (cd "$src" && find . -name '*.cpp' -o -name '*.h' | sed 's#^\./##' | sort |
    xargs grep -HE '^\s*#\s*include' /dev/null) |
    awk -v entry="$entry_files" '
      BEGIN {
        split("host platform state dialogue battle world shell entry", order, " ")
        for (i in order) rank[order[i]] = i
      }
      {
        file = substr($0, 1, index($0, ":") - 1)
        from = file; sub(/\/.*/, "", from)
        if (file ~ entry) from = "entry"
        if (!(from in rank)) { unknown[from] = file; next }
        if ($0 ~ /[<"](SDL2\/)?SDL/ && from != "host")
          print file " names an SDL header; only the hosts may"
        if (!match($0, /"[a-z_]+\//)) next
        to = substr($0, RSTART + 1, RLENGTH - 2)
        if (!(to in rank)) next  # a local or test-side header
        if (rank[to] > rank[from])
          print file " includes " to "/, a layer above it"
        else if (to == "host" && from != "host" && from != "platform" && from != "entry")
          print file " includes host/ directly; the game reaches the host through platform/"
      }
      END {
        for (f in unknown)
          print unknown[f] ": folder " f "/ is not in the layer list of scripts/check-layers.sh"
      }'
}

# The compile command of FILE (relative to src/) from compile_commands.json,
# turned into a syntax check of the planted file $3.
planted_command() {
  local db=$1 file=$2 plant=$3 cmd
  cmd=$(grep -F "\"command\": " "$db" | grep -F "/src/$file\"" | head -n 1 |
    sed -E 's/^\s*"command": "//; s/",?\s*$//; s/\\"/"/g')
  [[ -n $cmd ]] || return 1
  # Drop "-o OBJECT -c SOURCE", keep every flag.
  sed -E "s# -o [^ ]+ -c [^ ]+\$# -fsyntax-only $plant#" <<<"$cmd"
}

check_build() {
  local build=$1 db=$1/compile_commands.json plant lib file cmd failures=0
  [[ -f $db ]] || { echo "check-layers: no $db (configure the build first)" >&2; return 1; }
  plant=$(mktemp --suffix=.cpp)
  trap 'rm -f "$plant"' RETURN
  printf '#include <SDL.h>\nint planted;\n' >"$plant"
  cmd=$(planted_command "$db" host/sdl_host.cpp "$plant") ||
    { echo "SDL host: not in $db"; return 1; }
  if ! (cd "$build" && eval "$cmd") >/dev/null 2>&1; then
    echo "the planted SDL include does not compile even for the SDL host"
    return 1
  fi
  # One file of each library below the SDL host.
  for file in host/headless_host.cpp host/demo_format.cpp platform/display.cpp state/assets.cpp \
    dialogue/message_box.cpp battle/battle.cpp world/world_map_scene.cpp shell/main_loop.cpp; do
    lib=${file%%/*}
    cmd=$(planted_command "$db" "$file" "$plant") || { echo "$file: not in $db"; failures=1; continue; }
    if (cd "$build" && eval "$cmd") >/dev/null 2>&1; then
      echo "$lib: a planted #include <SDL.h> compiles with the flags of $file"
      failures=1
    fi
  done
  # The test programs: SDL reaches only the host's own.
  local test libs
  for test in "$build"/pq_test_*; do
    [[ -f $test && -x $test && ${test##*/} != pq_test_host ]] || continue
    libs=$(ldd "$test" 2>/dev/null || true)
    if [[ $libs == *libSDL2* ]]; then
      echo "${test##*/} loads SDL; only pq_test_host may"
      failures=1
    fi
  done
  return $failures
}

self_test() {
  local tmp status=0
  tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' RETURN
  cp -r "$root/src" "$tmp/clean"
  [[ -z $(check_sources "$tmp/clean") ]] || { echo "self-test: the clean tree fails"; status=1; }
  # Each plant must be found.
  local plants=(
    'world/world_map_scene.cpp|#include <SDL.h>'
    'platform/display.cpp|#include <SDL2/SDL.h>'
    'dialogue/shop.cpp|#include "world/walking.h"'
    'state/player.cpp|#include "shell/main_loop.h"'
    'battle/battle.cpp|#include "host/host.h"'
    'platform/input.cpp|#include "state/assets.h"'
  )
  local p file line
  for p in "${plants[@]}"; do
    file=${p%%|*}
    line=${p#*|}
    rm -rf "$tmp/planted"
    cp -r "$tmp/clean" "$tmp/planted"
    printf '%s\n' "$line" >>"$tmp/planted/$file"
    if [[ -z $(check_sources "$tmp/planted") ]]; then
      echo "self-test: '$line' in $file went unnoticed"
      status=1
    fi
  done
  ((status == 0)) && echo "check-layers self-test: every planted fault was found"
  return $status
}

if [[ ${1:-} == --self-test ]]; then
  self_test
  exit
fi

problems=$(check_sources "$root/src")
if [[ -n ${1:-} ]]; then
  problems+=$(check_build "$1" || true)
fi
if [[ -n $problems ]]; then
  echo "check-layers: the layers are broken:" >&2
  echo "$problems" >&2
  exit 1
fi
echo "check-layers: every include goes down the layers; SDL stays in the SDL host"
