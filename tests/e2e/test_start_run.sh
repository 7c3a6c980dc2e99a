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

not_intro() { screen_differs_from "$intro"; }
hold_key_until space "the intro to go" not_intro
# Building a run takes a while on a software renderer: the loading picture is up meanwhile.
if screen_shows "$loading"; then
  cp "$E2E_TMP/now.png" "${E2E_SHOTS:-$E2E_TMP}/loading.png" 2>/dev/null
  pass "loading picture on screen"
  not_loading() { screen_differs_from "$loading"; }
  wait_until "the playing frame" not_loading
fi
not_intro || fail "the intro came back"
cp "$E2E_TMP/now.png" "${E2E_SHOTS:-$E2E_TMP}/playing.png" 2>/dev/null
pass "the playing frame replaced the pictures"

hold_key_until Escape "the game to exit" game_exited
wait_for_exit
[ "$E2E_STATUS" -eq 0 ] || fail "exit status $E2E_STATUS"
output_has "You filthy rat! You ended the game!" || fail "no closing line"
pass "Escape in play ends the game with status 0"
