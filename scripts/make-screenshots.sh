#!/usr/bin/env bash
# make-screenshots.sh BUILD_DIR [OUT_DIR]: plays the game headless from a
# script, takes screenshots at fixed virtual times and turns them into the
# README's PNG pictures (docs/screenshots/ by default). The runs are exactly
# repeatable, so the pictures change only when the game's look does.
# Also run by `cmake --build BUILD_DIR --target docs`.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?usage: make-screenshots.sh BUILD_DIR [OUT_DIR]}" && pwd)
out=${2:-$here/../docs/screenshots}
mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# The title, after its fades, waiting for a key.
"$build/pimquest" --headless --data "$build" --until 17000 --shot 16500:title.bmp
# The world map, a fight and the reward box after it.
"$build/pimquest" --headless --data "$build" --script "$here/screenshot-tour.txt" --until 34000 \
  --shot 3300:world.bmp --shot 16900:battle.bmp --shot 33000:reward.bmp
for name in title world battle reward; do
  "$build/pimquest-assets" --png "$name.bmp" "$out/$name.png"
done
echo "screenshots in $out: $(cd "$out" && ls)"
