#!/usr/bin/env bash
# A display without a monitor: the game says "Window says no!" and exits with status -1
# (255), without tripping GLFW's own assertion on a null monitor.
source "$(dirname "$0")/lib.sh"

shim=$(cd "$(dirname "$E2E_GAME")/../tests" && pwd)/libno_monitor.so
[ -f "$shim" ] || fail "no $shim"
start_xvfb
LD_PRELOAD=$shim start_game
wait_for_exit
[ "$E2E_STATUS" -eq 255 ] || fail "exit status $E2E_STATUS, not 255"
output_has "Window says no!" || fail "no \"Window says no!\" line"
! output_has "Assertion" || fail "an assertion fired"
pass "no monitor: \"Window says no!\" and status 255"
