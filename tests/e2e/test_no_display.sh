#!/usr/bin/env bash
# Without a display the game cannot start: it says so and exits with status -1 (255).
source "$(dirname "$0")/lib.sh"

unset DISPLAY WAYLAND_DISPLAY
start_game
wait_for_exit
[ "$E2E_STATUS" -eq 255 ] || fail "exit status $E2E_STATUS, not 255"
output_has "GLFW says no!" || output_has "Window says no!" || fail "no start-up failure line"
pass "no display: the failure line and status 255"
