#!/usr/bin/env bash
# Started from the repository's root (not its own folder), the game finds its data beside
# its program and opens its 1600x900 "Zarnhold" window on the intro picture, with no file
# missing, and writes its clock file where the command line named it from the root; Enter
# does nothing there; Escape ends the game with the closing line and status 0.
source "$(dirname "$0")/lib.sh"

game_dir=$PWD
root=$(cd "$(dirname "$0")/../.." && pwd)

start_xvfb
# Named from the root: the game must not read it from its data folder. (The last
# --clock-file given is the one the game writes.)
clock_from_root=$(realpath -m --relative-to="$root" "$E2E_CLOCK")
cd "$root" && start_game --clock-file "$clock_from_root" && cd "$game_dir"
wait_for_window

geometry=$(xdotool getwindowgeometry "$E2E_WINDOW" | sed -n 's/.*Geometry: //p')
[ "$geometry" = "1600x900" ] || fail "window is $geometry, not 1600x900"
pass "window titled Zarnhold, 1600x900"

intro=$(reference_picture Intro)
wait_until "the intro picture" screen_shows "$intro"
save_shot intro
in_intro() { [ "$(game_state)" = intro ]; }
wait_until "the intro in the clock file named from the root" in_intro
! output_has "Impossible" || fail "a file is missing: $(grep Impossible "$E2E_TMP/game.out" | head -1)"
! output_has "could not be opened" || fail "a file is missing: $(grep 'could not be opened' "$E2E_TMP/game.out" | head -1)"
pass "intro picture on screen, started from the repository's root, every file found"

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
