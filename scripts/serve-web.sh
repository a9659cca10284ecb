#!/usr/bin/env bash
# Serves the web build on this machine and prints the address to open:
#   scripts/serve-web.sh [FOLDER] [PORT]     (default build/web, port 8080)
# Build it first with: cmake --preset web && cmake --build --preset web
set -euo pipefail
cd "$(dirname "$0")/.."
folder=${1:-build/web}
port=${2:-8080}
if [[ ! -f $folder/index.html || ! -f $folder/pimquest.wasm ]]; then
  echo "serve-web: no web build in $folder; run: cmake --preset web && cmake --build --preset web" >&2
  exit 1
fi
echo "Pim Quest: open http://localhost:$port/ in a web browser (Ctrl+C stops the server)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$folder"
