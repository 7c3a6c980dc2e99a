#!/usr/bin/env bash
# The game opens its 1600x900 "Zarnhold" window on the intro picture; Enter does nothing
# there; Escape ends the game with the closing line and status 0.
source "$(dirname "$0")/lib.sh"

start_xvfb
start_game
wait_for_window

geometry=$(xdotool getwindowgeometry "$E2E_WINDOW" | sed -n 's/.*Geometry: //p')
[ "$geometry" = "1600x900" ] || fail "window is $geometry, not 1600x900"
pass "window titled Zarnhold, 1600x900"

intro=$(reference_picture Intro)
wait_until "the intro picture" screen_shows "$intro"
save_shot intro
pass "intro picture on screen"

# Enter starts a run only from the won picture.
xdotool keydown Return
sleep 1.5
screen_shows "$intro" || fail "Enter changed the intro picture"
xdotool keyup Return
pass "Enter on the intro does nothing"

hold_key_until Escape "the game to exit" game_exited
wait_for_exit
[ "$E2E_STATUS" -eq 0 ] || fail "exit status $E2E_STATUS"
output_has "You filthy rat! You ended the game!" || fail "no closing line"
pass "Escape ends the game with the closing line and status 0"
