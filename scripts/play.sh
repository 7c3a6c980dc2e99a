#!/usr/bin/env bash
# Builds the game and starts it from its runnable folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
cd "$root/build/game"
exec ./zarnhold "$@"
