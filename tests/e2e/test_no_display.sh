#!/usr/bin/env bash
# Without a display the game cannot start: it says so and exits with status -1 (255).
source "$(dirname "$0")/lib.sh"

unset DISPLAY WAYLAND_DISPLAY
start_game
wait_for_exit
[ "$E2E_STATUS" -eq 255 ] || fail "exit status $E2E_STATUS, not 255"
output_has "GLFW says no!" || output_has "Window says no!" || fail "no start-up failure line"
pass "no display: the failure line and status 255"

# The command line is read before any window: --help prints the usage and exits 0; a bad
# value prints one line and the usage and exits 2.
"$E2E_GAME" --help >"$E2E_TMP/help.out" 2>&1
status=$?
[ "$status" -eq 0 ] && grep -q -- "--scale S" "$E2E_TMP/help.out" || fail "--help: status $status"
"$E2E_GAME" --scale 2 >"$E2E_TMP/bad.out" 2>&1
status=$?
[ "$status" -eq 2 ] || fail "--scale 2: status $status, not 2"
head -1 "$E2E_TMP/bad.out" | grep -q "^zarnhold: --scale takes" || fail "--scale 2: $(head -1 "$E2E_TMP/bad.out")"
grep -q "^Usage: zarnhold" "$E2E_TMP/bad.out" || fail "--scale 2: no usage"
pass "no display: --help exits 0, --scale 2 exits 2 with its reason and the usage"

# A recording that cannot be played stops the game before any window, with one line.
printf 'zarnhold recording 1\nseed 5\n3 W----- -- 0 0\n' >"$E2E_TMP/cut.zrec"
for recording in "$E2E_TMP/missing.zrec" "$E2E_TMP/cut.zrec"; do
  "$E2E_GAME" --replay "$recording" >"$E2E_TMP/replay.out" 2>&1
  status=$?
  [ "$status" -eq 2 ] || fail "--replay $recording: status $status, not 2"
  [ "$(wc -l <"$E2E_TMP/replay.out")" -eq 1 ] && grep -q "^zarnhold: $recording: " "$E2E_TMP/replay.out" ||
    fail "--replay $recording: $(cat "$E2E_TMP/replay.out")"
done
pass "no display: a missing or cut-short recording exits 2 with one line naming it"
