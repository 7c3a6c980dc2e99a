#!/usr/bin/env bash
# Space on the intro shows the loading picture and then the playing frame; Escape in play
# ends the game with the closing line and status 0.
source "$(dirname "$0")/lib.sh"

start_xvfb
start_game
wait_for_window
intro=$(reference_picture Intro)
loading=$(reference_picture Loading)
wait_until "the intro picture" screen_shows "$intro"

# Building a run (reading and welding the level, uploading, the first shadow maps) keeps
# the loading picture up for a second or more, long enough to be seen.
shows_loading() { screen_shows "$loading"; }
hold_key_until space "the loading picture" shows_loading
save_shot loading
pass "loading picture on screen"
neither_picture() { screen_differs_from "$loading" && screen_differs_from "$intro"; }
wait_until "the playing frame" neither_picture
save_shot playing
pass "the playing frame replaced the pictures"

hold_key_until Escape "the game to exit" game_exited
wait_for_exit
[ "$E2E_STATUS" -eq 0 ] || fail "exit status $E2E_STATUS"
output_has "You filthy rat! You ended the game!" || fail "no closing line"
pass "Escape in play ends the game with status 0"
