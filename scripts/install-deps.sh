#!/usr/bin/env bash
# Installs whatever is missing of the Debian 12 packages that building,
# playing and testing Pim Quest need. Quiet when everything is there.
set -euo pipefail

packages=(
  cmake ninja-build g++ ccache
  clang libclang-rt-14-dev # libFuzzer and the sanitizers for clang
  libsdl2-dev
  libgtest-dev googletest libbenchmark-dev
  xvfb xauth x11-apps # the window smoke test: a virtual X screen and xwd
  clang-format cppcheck shellcheck # scripts/check-style.sh
  emscripten               # the web build
  chromium python3-websocket # its test in a headless browser
)

if ! command -v dpkg-query >/dev/null 2>&1; then
  echo "install-deps: this is not a Debian system; make sure these are installed:" >&2
  echo "  ${packages[*]}" >&2
  exit 0
fi

# One query for all: unknown packages are simply absent from its answer.
installed=$(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null |
  awk '$2 == "install" && $3 == "ok" && $4 == "installed" { print $1 }' || true)
missing=()
for p in "${packages[@]}"; do
  grep -qxF "$p" <<<"$installed" || missing+=("$p")
done
((${#missing[@]} == 0)) && exit 0

echo "install-deps: installing ${missing[*]}"
if [[ $(id -u) -eq 0 ]]; then
  run=()
elif command -v sudo >/dev/null 2>&1; then
  run=(sudo)
else
  echo "install-deps: these packages are missing and I am neither root nor able to use sudo:" >&2
  echo "  ${missing[*]}" >&2
  echo "install-deps: ask an administrator to run: apt-get install ${missing[*]}" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
if ! "${run[@]}" apt-get update -qq ||
  ! "${run[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"; then
  echo "install-deps: could not install: ${missing[*]}" >&2
  exit 1
fi
