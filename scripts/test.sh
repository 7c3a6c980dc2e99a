#!/usr/bin/env bash
# Builds everything and runs every test: unit, GL (under a virtual display) and end-to-end
# (each starts its own virtual display). Tests run two at a time, but the end-to-end tests
# each alone. Extra arguments go to ctest, e.g. -L unit.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
cd "$root/build"
xvfb-run -a -s "-screen 0 1920x1080x24" ctest -j2 --output-on-failure "$@"
