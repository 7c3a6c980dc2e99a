#!/usr/bin/env bash
# The window follows a resize: made larger on the intro picture, the picture fills the
# new size; in a run the view fills it too, to the right and top edges that the first size
# never reached, and made smaller again what is drawn follows it (the health bar stands at
# its place for the smaller size).
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
# Made smaller, the view and what is drawn over it follow: the health bar, 24 pixels from
# the lower left at 900 high, stands 18 from it at 675, 14 high with its red fill in the
# window's rows 645 to 654. A view left at the first size would put the fill 24 rows higher
# (rows 636 to 647). Red against the blue dungeon is a large difference, whatever the
# creatures and the flicker do meanwhile.
bar_red() {
  convert "xwd:$E2E_TMP/screen.xwd" -crop "$1" +repage -fx "r > 0.6 && g < 0.2 ? 1 : 0" -colorspace Gray \
    -format '%[fx:mean]' info:
}
view_fits() {
  shot || return 1
  low=$(bar_red 30x4+25+649)
  high=$(bar_red 30x4+25+636)
  greater "$low" 0.9 && ! greater "$high" 0.1
}
wait_until "the health bar in the smaller window's lower left" view_fits
save_shot resized-small
pass "made 1200x675, the view follows it (health bar red share $low where it belongs, $high above it)"

hold_key_until Escape "the game to exit" game_exited
wait_for_exit
[ "$E2E_STATUS" -eq 0 ] || fail "exit status $E2E_STATUS"
pass "Escape ends the game with status 0"
