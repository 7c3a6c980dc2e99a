#!/usr/bin/env bash
# A whole game, lost and won: W walks past the sword, which then shows in the lower right;
# flying (M) into the crowd room and staying among its enemies ends the run on the
# game-over picture;
# Space starts again; M, the mouse turned towards the goal crystal and W held fly the
# player to it, and the won picture shows; Enter starts again; Escape ends with status 0.
source "$(dirname "$0")/lib.sh"

pic() { echo "$E2E_TMP/$1.png"; }

start_xvfb
start_game
wait_for_window
start_run_from_intro

# The held sword's gilded hilt: the only colour on screen where red outweighs blue, right of
# the middle and low in the quarter-size screenshot (the shield's gold stays lower left).
gold_share() {
  convert "$(pic now)" -crop "$1" +repage -fx "r > 1.5 * b + 0.08" -colorspace Gray -format '%[fx:mean]' info:
}
sword_held() { shot && greater "$(gold_share 140x75+260+150)" 0.004; }
hold_key_until w "the sword held in the lower right" sword_held
save_shot sword-held
pass "walking past the sword puts it in the lower right (gold share $(gold_share 140x75+260+150))"

# Into the crowd room, 15.5 units ahead of the pedestal and 1.6 lower: M, 103 pixels down,
# then W held for 2.6 seconds of the game's clock at the flight's 6 units a second leaves the
# eye just above the enemies' heads, and they leap and strike until the player's health
# runs out.
xdotool keydown m
wait_frames 2
xdotool keyup m
xdotool mousemove_relative -- 0 103
wait_frames 2
hold_for_game_seconds w 2.6
shot && save_shot into-the-crowd
game_over=$(reference_picture GameOverSlain)
shows_game_over() { screen_shows "$game_over"; }
shots_taken=0
among_enemies() {
  if shows_game_over; then return 0; fi
  shots_taken=$((shots_taken + 1))
  [ $((shots_taken % 3)) -eq 0 ] && save_shot "among-enemies-$((shots_taken / 3))"
  return 1
}
wait_until "the game-over picture among the enemies" among_enemies
output_has "a creature killed you" || fail "no line naming the creature that ended the run"
pass "the enemies of the crowd room end the run, on the picture and the line that say so"

start_run_from GameOverSlain space

# From the start, the goal crystal lies 82.5 units ahead, 11.55 to the left and 1.2 below
# the eye: M, then 140 pixels left (0.001 radians each) and 15 down aim the flight at it.
xdotool keydown m
wait_frames 2
xdotool keyup m
xdotool mousemove_relative -- -140 15
wait_frames 2
won=$(reference_picture GameWin)
shows_won() { screen_shows "$won"; }
flight_shots=0
flying_to_goal() {
  if shows_won; then return 0; fi
  flight_shots=$((flight_shots + 1))
  [ $((flight_shots % 4)) -eq 0 ] && save_shot "flight-$((flight_shots / 4))"
  return 1
}
xdotool keydown w
wait_until "the won picture at the goal crystal" flying_to_goal
xdotool keyup w
save_shot won
pass "flying to the goal crystal wins"

start_run_from GameWin Return

hold_key_until Escape "the game to exit" game_exited
wait_for_exit
[ "$E2E_STATUS" -eq 0 ] || fail "exit status $E2E_STATUS"
output_has "You filthy rat! You ended the game!" || fail "no closing line"
pass "Escape in play ends the game with status 0"
