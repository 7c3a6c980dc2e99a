#!/usr/bin/env bash
# Builds the unit and GL tests with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs them: any report fails. The unit and level tests run with leak
# detection on.
# The GL tests run with it off: Mesa's driver is unloaded before the leak check, so its
# own allocations would show up without a usable stack.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S "$root" -B "$root/build-asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" -DZARNHOLD_WERROR="${ZARNHOLD_WERROR:-OFF}" >/dev/null
cmake --build "$root/build-asan" -j2 --target unit_tests level_tests gl_tests fuzz_replays
cd "$root/build-asan"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ASAN_OPTIONS=detect_leaks=1 ctest -j2 --output-on-failure -L "unit|world|level"
ASAN_OPTIONS=detect_leaks=0 xvfb-run -a -s "-screen 0 1920x1080x24" ctest -j2 --output-on-failure -L gl
