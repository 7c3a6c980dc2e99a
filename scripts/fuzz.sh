#!/usr/bin/env bash
# Fuzzes each loader for SECONDS (60 by default) with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer (clang), starting from its committed corpus. A crash, a
# sanitizer report or a hang fails the run, and the input that did it is left in
# build-fuzz/findings/. New inputs the fuzzer finds stay in build-fuzz/corpus/ (not
# committed); copy one into tests/fuzz/corpus/NAME to make it a test.
# Usage: bash scripts/fuzz.sh [SECONDS] [NAME ...]   (names: obj bmp rooms wav recording)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
names=("$@")
[ ${#names[@]} -gt 0 ] || names=(obj bmp rooms wav recording)
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/install-deps.sh" clang-14 libclang-rt-14-dev
build=$root/build-fuzz
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
  -DZARNHOLD_FUZZ=ON -DZARNHOLD_WERROR="${ZARNHOLD_WERROR:-OFF}" >/dev/null
cmake --build "$build" -j2 --target "${names[@]/#/fuzz_}"
mkdir -p "$build/findings"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The loaders are fuzzed side by side: a minute of CI each, not one after another.
pids=()
for name in "${names[@]}"; do
  mkdir -p "$build/corpus/$name"
  # The generated BMP seeds are large: mutating their first 64 KB is enough to reach
  # every rule of the header and rows.
  "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -artifact_prefix="$build/findings/$name-" -print_final_stats=1 \
    "$build/corpus/$name" "$root/tests/fuzz/corpus/$name" >"$build/$name.log" 2>&1 &
  pids+=($!)
done
status=0
for i in "${!names[@]}"; do
  name=${names[$i]}
  if wait "${pids[$i]}"; then
    echo "fuzz $name: $(grep -E '^stat::number_of_executed_units' "$build/$name.log" | awk '{print $2}') runs in $seconds s, nothing found"
  else
    echo "fuzz $name: FAILED"; tail -40 "$build/$name.log"; status=1
  fi
done
exit $status
