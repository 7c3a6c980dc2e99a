#!/usr/bin/env bash
# The real game's frame rate as a player sees it, measured from outside with Mesa's hidden
# HUD (one figure a second) under a private Xvfb: starts a run, takes the player to PLACE
# and prints the median over SECONDS.
#   route: the standard benchmark, the timedemo of the recorded route (demos/route.zrec:
#   the start hall, the crowd room, the east arena, the bridge, the goal), the median over
#   the whole of it (SECONDS is not used), then the timedemo's own line;
#   start-hall: standing at the start;
#   crowd-room: M, then 3.4 s of flight straight ahead and a little up, looking down the
#   room (its enemies gather under the hovering eye);
#   arena: M, then 5.6 s of flight towards the east arena's west edge, high above its
#   eighteen enemies, turned to look east and down at them.
# The flights are timed by the game's own clock (6 units a second of it), so they end in the
# same place at any frame rate; the enemies there are awake. (The route crosses each place
# in a few seconds of game time: too short for a steady median of one place.) Arguments
# after the picture go to the game (e.g. --scale 1).
# Usage (from the game folder): bash ../../bench/hud_fps.sh PLACE [SECONDS] [SHOT.png] [GAME ARGS]
set -u
place=${1:?route, start-hall, crowd-room or arena}
seconds=${2:-15}
picture=${3:-}
shift $(($# < 3 ? $# : 3))
source "$(dirname "$0")/../tests/e2e/lib.sh" ./zarnhold
hud=$(mktemp -d)
start_xvfb
median() {
  sort -n | awk -v p="$1" '{a[NR] = $1} END {printf "%s: median %.1f fps over %d s (min %.1f, max %.1f)\n", p, a[int((NR + 1) / 2)], NR, a[1], a[NR]}'
}
if [ "$place" = route ]; then
  GALLIUM_HUD=fps GALLIUM_HUD_VISIBLE=false GALLIUM_HUD_PERIOD=1 GALLIUM_HUD_DUMP_DIR=$hud \
    ./zarnhold --timedemo demos/route.zrec "$@" >"$E2E_TMP/game.out" 2>&1 </dev/null &
  E2E_GAME_PID=$!
  wait_for_exit
  # The first second holds the run's build.
  tail -n +2 "$hud/fps" | median route
  grep -E '^(timedemo|replay)' "$E2E_TMP/game.out"
  rm -rf "$hud"
  exit 0
fi
GALLIUM_HUD=fps GALLIUM_HUD_VISIBLE=false GALLIUM_HUD_PERIOD=1 GALLIUM_HUD_DUMP_DIR=$hud \
  ./zarnhold --clock-file "$E2E_CLOCK" "$@" >"$E2E_TMP/game.out" 2>&1 </dev/null &
E2E_GAME_PID=$!
wait_for_window
start_run_from_intro >/dev/null
# M, the mouse moved by ($1, $2) pixels (0.001 radians each), then W held for $3 seconds of
# the game's clock.
fly() {
  xdotool keydown m; wait_frames 2; xdotool keyup m
  xdotool mousemove_relative -- "$1" "$2"; wait_frames 2
  hold_for_game_seconds w "$3"
}
case $place in
  start-hall) ;;
  crowd-room) fly 0 -49 3.4; wait_frames 1; xdotool mousemove_relative -- 0 550 ;;
  arena)
    fly 364 -112 5.65; wait_frames 1
    xdotool mousemove_relative -- 600 0; wait_frames 2
    xdotool mousemove_relative -- 607 350 ;;
  *) fail "unknown place $place" ;;
esac
wait_frames 3
from=$(wc -l <"$hud/fps")
sleep "$seconds"
to=$(wc -l <"$hud/fps")
if [ -n "$picture" ]; then
  shot && convert "xwd:$E2E_TMP/screen.xwd" -crop 1600x900+0+0 +repage -resize 800x450 "$picture"
fi
sed -n "$((from + 1)),${to}p" "$hud/fps" | median "$place"
scale=$(grep '^scene scale' "$E2E_TMP/game.out" | tail -1)
echo "${scale:-scene scale 1.00 (no change)}"
rm -rf "$hud"
