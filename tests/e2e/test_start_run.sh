#!/usr/bin/env bash
# Space on the intro shows the loading picture and then the playing frame; Escape in play
# ends the game with the closing line and status 0.
source "$(dirname "$0")/lib.sh"

start_xvfb
start_game
wait_for_window
start_run_from_intro

hold_key_until Escape "the game to exit" game_exited
wait_for_exit
[ "$E2E_STATUS" -eq 0 ] || fail "exit status $E2E_STATUS"
output_has "You filthy rat! You ended the game!" || fail "no closing line"
pass "Escape in play ends the game with status 0"
