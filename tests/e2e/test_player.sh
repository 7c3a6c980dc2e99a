#!/usr/bin/env bash
# The player in a run, seen on the screen: the right mouse button raises the shield towards
# the centre of the view and lowers it on release; the mouse turns the view, right and back;
# W walks towards the start hall's corridor, its far end coming nearer, and the player stops
# when it is let go; walking stops at a wall, and after M, W flies through it; Escape still
# ends the game with the closing line and status 0. The lights flicker every frame, so pictures are compared by normalised
# cross-correlation, which a brighter or dimmer light leaves unchanged.
source "$(dirname "$0")/lib.sh"

# Parts of the quarter-size screenshot (400x225) that the lowered shield, in the lower left,
# and the sword, once held in the lower right, leave clear: the upper middle; the far end of
# the corridor ahead at the start, around the centre of the view; the strip right of the
# middle, left of the held sword.
upper_middle=140x80+150+10
far_end=70x45+170+70
right_part=90x225+215+0

pic() { echo "$E2E_TMP/$1.png"; }
# Keeps the last screenshot as `name`.
keep() { cp "$(pic now)" "$(pic "$1")"; }
# Writes `region` of picture $1 as picture $2, blurred a little so that a pixel's shift
# does not count.
crop_to() { convert "$1" -crop "$3" +repage -blur 0x1.5 "$2"; }
# Similarity (ncc) of pictures $1 and $2 within `region`.
similarity() {
  crop_to "$1" "$(pic a)" "$3"
  crop_to "$2" "$(pic b)" "$3"
  ncc "$(pic a)" "$(pic b)"
}

start_xvfb
start_game
wait_for_window
start_run_from_intro

# The shield: its gold and rust are the only colours on screen where red outweighs blue.
# Sets shield_x, shield_y to their centroid in the last screenshot; fails when there is too
# little of them to be the shield.
shield_seen() {
  shot || return 1
  convert "$(pic now)" -fx "r > 1.5 * b + 0.08" -colorspace Gray "$(pic gold)" || return 1
  greater "$(convert "$(pic gold)" -format '%[fx:mean]' info:)" 0.02 || return 1
  local centroid
  centroid=$(identify -verbose -moments "$(pic gold)" |
    sed -n 's/.*Centroid: *\([0-9.]*\),\([0-9.]*\).*/\1 \2/p' | head -1)
  [ -n "$centroid" ] && read -r shield_x shield_y <<<"$centroid"
}
shield_lowered() { shield_seen && greater 160 "$shield_x" && greater "$shield_y" 110; }
wait_until "the player's view with the shield lowered in the lower left" shield_lowered
low_x=$shield_x low_y=$shield_y
# Raised, it comes right and up, towards the centre (by about 60 and 35 pixels).
shield_raised() {
  shield_seen && awk -v x="$shield_x" -v y="$shield_y" -v x0="$low_x" -v y0="$low_y" \
    'BEGIN { exit !(x > x0 + 25 && y < y0 - 15) }'
}
shield_back() {
  shield_seen && awk -v x="$shield_x" -v y="$shield_y" -v x0="$low_x" -v y0="$low_y" \
    'BEGIN { exit !((x - x0) ^ 2 + (y - y0) ^ 2 < 64) }'
}
xdotool mousedown 3
wait_until "the right button to raise the shield" shield_raised
save_shot shield-raised
raised="$shield_x,$shield_y"
xdotool mouseup 3
wait_until "the shield to go back down on release" shield_back
pass "the right button raises the shield from ($low_x,$low_y) to ($raised), release lowers it"

# Turning right by 0.2 radians (200 pixels of mouse) moves what lies near the centre of the
# view about 55 pixels to the left in the quarter-size picture (45 degrees of vertical field
# of view at 16:9).
shot
keep before
turned_right() {
  shot || return 1
  unmoved=$(similarity "$(pic before)" "$(pic now)" "$upper_middle")
  moved=0
  local shift value
  crop_to "$(pic now)" "$(pic b)" "$upper_middle"
  for shift in 50 56 62; do
    crop_to "$(pic before)" "$(pic a)" "140x80+$((150 + shift))+10"
    value=$(ncc "$(pic a)" "$(pic b)")
    greater "$value" "$moved" && moved=$value
  done
  greater "$moved" 0.75 && greater "$moved" "$(awk -v u="$unmoved" 'BEGIN { print u + 0.2 }')"
}
xdotool mousemove_relative -- 200 0
wait_until "the view to turn right with the mouse" turned_right
pass "moving the mouse right turns the view right (match $moved shifted, $unmoved in place)"
view_back() {
  shot || return 1
  back=$(similarity "$(pic before)" "$(pic now)" "$upper_middle")
  greater "$back" 0.8
}
xdotool mousemove_relative -- -200 0
wait_until "the view to turn back with the mouse" view_back
pass "moving it back left turns the view back (match $back)"

# W walks straight towards the corridor: its far end, around the centre of the view, looks
# magnified. W is let go a unit on (the body glides some units more), short of the sword's pedestal: standing there,
# the player would be within a leap of the corridor's creature.
shot
keep before
start_place=$(eye_place)
# The eye's distance across the floor from where it was at the start of the walk.
walked() {
  local -a a b
  read -r -a a <<<"$start_place"
  read -r -a b <<<"$(eye_place)"
  awk -v x="${a[0]}" -v z="${a[2]}" -v X="${b[0]}" -v Z="${b[2]}" 'BEGIN { print sqrt((x - X) ^ 2 + (z - Z) ^ 2) }'
}
walked_one() { greater "$(walked)" 1; }
nearer() {
  shot || return 1
  unmagnified=$(similarity "$(pic before)" "$(pic now)" "$far_end")
  magnified=0
  local scale value
  crop_to "$(pic now)" "$(pic b)" "$far_end"
  for scale in 1.1 1.15 1.2 1.25 1.3 1.4 1.5 1.75 2.0; do
    convert "$(pic before)" -distort SRT "200,112.5 $scale 0" "$(pic scaled)"
    crop_to "$(pic scaled)" "$(pic a)" "$far_end"
    value=$(ncc "$(pic a)" "$(pic b)")
    greater "$value" "$magnified" && magnified=$value magnification=$scale
  done
  greater "$magnified" 0.5 && greater "$magnified" "$(awk -v u="$unmagnified" 'BEGIN { print u + 0.15 }')"
}
xdotool keydown w
wait_until "a unit of walk while W is held" walked_one
xdotool keyup w
wait_until "the walk to end once W is let go" eye_stays 0.3
pass "letting go of W stops the walk, $(walked) units from where it began"
wait_until "the far end of the hall to look nearer" nearer
save_shot walking
pass "W walked: the far end looks ${magnification}x larger (match $magnified, $unmagnified unscaled)"

# A quarter turn right, in two moves that each keep the cursor in the window, faces the
# east wall two units away.
turned_away() { shot && greater 0.5 "$(similarity "$(pic before)" "$(pic now)" "$right_part")"; }
for move in 785 786; do
  shot
  keep before
  xdotool mousemove_relative -- "$move" 0
  wait_until "the view to turn towards the east wall" turned_away
done
shot
keep before
# Once the view has changed this much the body is moving at speed, so an eye standing still
# after it, with W held, means the wall stopped it.
wall_nearer() { shot && greater 0.6 "$(similarity "$(pic before)" "$(pic now)" "$right_part")"; }
start_place=$(eye_place)
xdotool keydown w
wait_until "the wall to come nearer while W is held" wall_nearer
wait_until "walking to stop at the wall" eye_stays 0.3
shield_lowered || fail "the run did not go on at the wall"
save_shot at-wall
keep wall
pass "walking stops at the wall, $(walked) units on"

through() {
  shot || return 1
  across=$(similarity "$(pic wall)" "$(pic now)" "$right_part")
  greater 0.3 "$across"
}
xdotool keydown m
wait_until "flying through the wall after M" through
xdotool keyup w
xdotool keyup m
save_shot through-wall
pass "after M, W flies through the wall (match $across with the wall)"

hold_key_until Escape "the game to exit" game_exited
wait_for_exit
[ "$E2E_STATUS" -eq 0 ] || fail "exit status $E2E_STATUS"
output_has "You filthy rat! You ended the game!" || fail "no closing line"
pass "Escape in play ends the game with status 0"
