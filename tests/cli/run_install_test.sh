#!/usr/bin/env bash
# run_install_test.sh BUILD_DIR WORKDIR: installs the game into a temporary
# prefix and, staged, under DESTDIR; each installed game must start from
# another folder, find its own pictures and sounds and play headless.
set -euo pipefail
build=$1 work=$2
rm -rf "$work"
mkdir -p "$work/elsewhere"
fail() {
  echo "FAIL: $*"
  exit 1
}

check_tree() {
  local root=$1
  for f in bin/pimquest share/pimquest/bmp/world.bmp share/pimquest/wav/world.wav \
    share/pimquest/icon.bmp share/applications/pimquest.desktop; do
    [[ -s "$root/$f" ]] || fail "$root/$f was not installed"
  done
  for size in 16 32 48 64 128 256; do
    local icon="$root/share/icons/hicolor/${size}x${size}/apps/pimquest.png"
    [[ -s "$icon" ]] || fail "no ${size}x${size} icon"
    [[ $(head -c 8 "$icon" | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]] ||
      fail "$icon is not a PNG"
    # The width in the header, big-endian at byte 16.
    [[ $(od -An -tu1 -j 18 -N 2 "$icon" | awk '{ print $1 * 256 + $2 }') -eq $size ]] ||
      fail "$icon is not $size pixels wide"
  done
  grep -q '^Exec=pimquest$' "$root/share/applications/pimquest.desktop" || fail "bad desktop entry"
}

play_from_elsewhere() {
  local exe=$1
  (cd "$work/elsewhere" && "$exe" --headless --until 2000 --trace run.trace) ||
    fail "$exe did not run from another folder"
  grep -q '"ev":"quit","code":0' "$work/elsewhere/run.trace" || fail "$exe did not quit in order"
}

cmake --install "$build" --prefix "$work/prefix" >"$work/install.log"
check_tree "$work/prefix"
play_from_elsewhere "$work/prefix/bin/pimquest"
echo "installed into a prefix: runs from another folder"

# Staged for a package and then moved: the game finds its files beside it.
DESTDIR="$work/stage" cmake --install "$build" --prefix /opt/pimquest >"$work/stage.log"
check_tree "$work/stage/opt/pimquest"
mv "$work/stage/opt/pimquest" "$work/moved"
play_from_elsewhere "$work/moved/bin/pimquest"
echo "staged with DESTDIR and moved: runs from another folder"
echo "PASS"
