#!/usr/bin/env bash
# Installs what is missing, then configures and builds into build/ (the runnable folder is
# build/game): everything, or only the targets named (e.g. zarnhold: the game, its shaders,
# assets and demos). ZARNHOLD_WERROR=ON (as CI sets it) makes any compiler warning an error.
# Usage: bash scripts/build.sh [TARGET ...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release \
  -DZARNHOLD_WERROR="${ZARNHOLD_WERROR:-OFF}" >/dev/null
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build "$root/build" -j2 "${targets[@]}"
