#!/usr/bin/env bash
# The window follows a resize: made larger on the intro picture, the picture fills the
# new size; in a run the view fills it too, to the right and top edges that the first size
# never reached, and made smaller again the whole view fits within it.
source "$(dirname "$0")/lib.sh"

start_xvfb
start_game
wait_for_window

# The window's area of the last screenshot at size $1 (WxH), quarter size, as $2.
window_area() { convert "xwd:$E2E_TMP/screen.xwd" -crop "$1+0+0" +repage -sample 25% "$2"; }
# Standard deviation of a part of a picture: a lit scene varies, a black or flat strip not.
variation() { convert "$1" -crop "$2" +repage -colorspace Gray -format '%[fx:standard_deviation]' info:; }

resize() {
  wanted="$1x$2"
  xdotool windowsize "$E2E_WINDOW" "$1" "$2"
  sized() { [ "$(xdotool getwindowgeometry "$E2E_WINDOW" | sed -n 's/.*Geometry: //p')" = "$wanted" ]; }
  wait_until "the window at $wanted" sized
}

intro=$(reference_picture Intro)
wait_until "the intro picture" screen_shows "$intro"
resize 1900 1050
convert External/Models/Intro.bmp -resize '1900x1050!' -sample 25% "$E2E_TMP/intro-large.png"
intro_fills() {
  shot || return 1
  window_area 1900x1050 "$E2E_TMP/large.png"
  awk -v d="$(rmse "$E2E_TMP/large.png" "$E2E_TMP/intro-large.png")" 'BEGIN { exit !(d < 0.035) }'
}
wait_until "the intro picture stretched over the larger window" intro_fills
pass "the intro picture fills the window made 1900x1050"

# The game's clock runs only in play: past 0.5 s, the run's frames are on screen.
hold_key_until space "the run to start" clock_reached 0.01
wait_until "half a second of play" clock_reached 0.5
# The strips beyond the first 1600x900, right and top, in the quarter-size window area:
# the lit dungeon, not black.
view_fills() {
  shot || return 1
  window_area 1900x1050 "$E2E_TMP/large.png"
  right=$(variation "$E2E_TMP/large.png" 75x262+400+0)
  top=$(variation "$E2E_TMP/large.png" 475x37+0+0)
  greater "$right" 0.015 && greater "$top" 0.015
}
wait_until "the view to reach the larger window's right and top edges" view_fills
save_shot resized-play
pass "in play the view fills the larger window (variation right $right, top $top)"

resize 1200 675
# Made smaller, the whole view shows within it: the same view as in the larger window (the
# player stands still), not the corner of a larger picture that a fixed size would leave.
convert "$E2E_TMP/large.png" -resize '300x168!' -blur 0x1.5 "$E2E_TMP/large-fit.png"
view_fits() {
  shot || return 1
  window_area 1200x675 "$E2E_TMP/small.png"
  convert "$E2E_TMP/small.png" -resize '300x168!' -blur 0x1.5 "$E2E_TMP/small-fit.png"
  match=$(ncc "$E2E_TMP/small-fit.png" "$E2E_TMP/large-fit.png")
  greater "$match" 0.85
}
wait_until "the whole view within the smaller window" view_fits
save_shot resized-small
pass "made 1200x675, the whole view fits the window (match $match with the larger one)"

hold_key_until Escape "the game to exit" game_exited
wait_for_exit
[ "$E2E_STATUS" -eq 0 ] || fail "exit status $E2E_STATUS"
pass "Escape ends the game with status 0"
