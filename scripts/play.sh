#!/usr/bin/env bash
# Builds the game alone (not the tests or benchmarks) and starts it from its runnable folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh" zarnhold
cd "$root/build/game"
exec ./zarnhold "$@"
