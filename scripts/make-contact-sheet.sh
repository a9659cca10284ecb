#!/usr/bin/env bash
# make-contact-sheet.sh BUILD_DIR [OUT.png]: one picture of every scene, to
# look the game's pictures over at a glance after changing them. The scenes
# a scripted run reaches (title, world map by the coast, by the forest and
# by the mountains, a fight, its reward, the status window, the village) are
# headless screenshots; the fights in the
# forest and against Elmo and the two end pictures are put together from the
# game's own files at the places the battle draws its fighters. Needs
# ImageMagick (convert, montage). A developer's tool: no test runs it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?usage: make-contact-sheet.sh BUILD_DIR [OUT.png]}" && pwd)
out=$(realpath -m "${2:-contact-sheet.png}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
game() { "$build/pimquest" --headless --data "$build" "$@" >/dev/null; }

# The title, the world map by the coast, a fight on the grass and its reward.
game --until 17000 --shot 16500:01-title.bmp
game --script "$here/screenshot-tour.txt" --until 34000 \
  --shot 3300:02-world.bmp --shot 12200:03-battle-grass.bmp --shot 33000:04-reward.bmp
# The status window over the map.
printf '0 S\n500\n2500 Z\n2600\n' >status.txt
game --script status.txt --until 3500 --shot 3200:05-status.bmp
# Into the village: two steps right, a fight on its doorstep (attack and
# read on), then down through its gate.
{
  printf '0 S\n500\n1600 Right\n2700 Down\n3600\n'
  for ((t = 3700; t < 32550; t += 300)); do printf '%d Up A S\n%d\n' $t $((t + 100)); done
  printf '33100 Down\n34300\n'
} >village.txt
game --script village.txt --until 36000 --shot 35500:06-village.bmp

# North from the start, fighting what comes: the forest's west edge and the
# mountains' long south-west slope.
{
  printf '0 S\n500\n'
  for ((t = 1000; t < 77000; t += 300)); do printf '%d Up A S\n%d Up\n' $t $((t + 100)); done
} >north.txt
game --script north.txt --until 77000 --shot 40000:07-world-forest.bmp --shot 76000:08-world-mountains.bmp

# Fights the short runs do not reach: the background with the fighters
# where the battle puts them (monster at 100,200, Elmo at 100,168, the hero
# at 550,200 or lunging at 154,200).
sprite() { echo "( $build/bmp/pbattle.bmp -crop $1 +repage -transparent #FF00FF ) -geometry $2 -composite"; }
# shellcheck disable=SC2046
convert "$build/bmp/battle2.bmp" $(sprite 64x64+64+64 +100+200) $(sprite 64x64+0+0 +550+200) 09-forest-dragonfly.png
# shellcheck disable=SC2046
convert "$build/bmp/battle2.bmp" $(sprite 64x64+128+64 +100+200) $(sprite 64x64+128+0 +154+200) 10-forest-lunge.png
# shellcheck disable=SC2046
convert "$build/bmp/battle3.bmp" $(sprite 64x96+0+192 +100+168) $(sprite 64x64+64+0 +550+200) 11-elmo-casting.png
# shellcheck disable=SC2046
convert "$build/bmp/battle1.bmp" $(sprite 64x64+64+128 +100+200) $(sprite 64x64+0+0 +550+200) 12-grass-dragonfly.png
convert "$build/bmp/end.bmp" 13-end.png
convert "$build/bmp/over.bmp" 14-over.png
convert "$build/bmp/world.bmp" -scale 125% 15-world-tiles.png
convert "$build/bmp/pbattle.bmp" -scale 200% 16-battle-sprites.png

for f in *.bmp; do convert "$f" "${f%.bmp}.png"; done
montage -label '%t' 0*.png 1*.png -tile 4x -geometry 320x240+6+6 -background '#202020' \
  -fill white "$out" 2>/dev/null ||
  montage 0*.png 1*.png -tile 4x -geometry 320x240+6+6 -background '#202020' "$out"
echo "contact sheet: $out"
