#!/usr/bin/env bash
# Installs what is missing, then configures and builds into build/ (the runnable folder is
# build/game).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build" -j2
