#!/usr/bin/env bash
# Soak test: plays the real game under a private Xvfb for MINUTES minutes of scripted input
# and checks that many runs in one process cost no memory and no frame rate.
#
# Two scenarios alternate, each ending in a restart:
#   death: W until the sword is held, sweeps, turns and steps (A, D, S, W) in the start
#          hall, then M and a flight into the crowd room, sweeping among its enemies until
#          the game-over picture; Space starts a new run. (No jump: physics runs in slow
#          motion at a software renderer's frame rates, the body would still be in the air
#          when the flight starts, and the eye would hover higher than the route allows.)
#   win:   sweeps (no sword yet) and turns that come back to the start's heading, then M
#          and a flight to the goal crystal until the won picture; Enter starts a new run.
# After every start (the first from the intro and each restart) the player stands in the
# start hall, looking where every run begins, while the hidden HUD gives HALL_SECONDS
# figures (frames a second): the same view every time, so the figures of early and late
# runs compare like with like. Once MINUTES are up (counted from the first playing frame),
# and at least one death and one win have happened, Escape ends the game.
#
# Fails when the game ends before Escape (a crash) or does not exit with status 0 after it;
# when its resident memory at the end exceeds that after the first run (on the game-over
# picture that ends it) by more than the bound below; when the hall's median frame rate over
# the last (up to three) runs falls below 80% of that over the first ones; or when a hall
# frame costs the game's threads more than 125% of the processor time it did in the first
# runs.
# It prints the figures: memory, frame rates, processor time a frame, runs and restarts.
#
# Usage (from the game folder build/game): bash ../../tests/soak.sh GAME_BINARY MINUTES
set -u
minutes=${2:?usage: soak.sh GAME_BINARY MINUTES}
source "$(dirname "$0")/e2e/lib.sh" "${1:?usage: soak.sh GAME_BINARY MINUTES}"

# Figures a second taken in the start hall after each start (the first one after the
# playing frame is dropped: its second began while the run was still being built).
HALL_SECONDS=${HALL_SECONDS:-8}
# A restart frees the run before it (its GL objects and bodies), lends the lights the same
# depth cubes again and hands freed pages back as it builds the next, so a run costs
# nothing lasting: at most this much more resident memory (kB) at the end than after the
# first run. A cube lost at a restart is 24 MB, a run that stays over 800 MB.
RSS_BOUND_KB=${RSS_BOUND_KB:-8192}
# The last runs' hall median may not fall below this share of the first runs'.
FPS_SHARE=0.8

hud=$E2E_TMP/hud
mkdir -p "$hud"

# --- Watching the process -------------------------------------------------------------------

# Fails with the game's exit status if it has ended; true otherwise.
alive() {
  game_exited || return 0
  wait "$E2E_GAME_PID"
  local status=$?
  E2E_GAME_PID=""
  fail "the game ended during play with status $status (a signal when above 128)"
}
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$E2E_GAME_PID/status"; }
# Nanoseconds all the game's threads (the driver's included) have run, and have waited
# ready to run while a processor was busy with other work: "RUN WAIT".
sched_ns() { cat /proc/"$E2E_GAME_PID"/task/*/schedstat | awk '{ r += $1; w += $2 } END { printf "%.0f %.0f", r, w }'; }
# Milliseconds a frame from nanoseconds over `frames`.
per_frame() { awk -v ns="$1" -v f="$2" 'BEGIN { printf "%.0f", (f > 0) ? ns / 1e6 / f : 0 }'; }
sum_of() { local t=0 v; for v in "$@"; do t=$((t + v)); done; echo "$t"; }
hud_lines() { if [ -f "$hud/fps" ]; then wc -l <"$hud/fps"; else echo 0; fi; }
mb() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }
median_of() { sort -n "$@" | awk '{ a[NR] = $1 } END { if (NR) printf "%.2f", (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }

# --- Input ------------------------------------------------------------------------------------

pic() { echo "$E2E_TMP/$1.png"; }
# The held sword's gilded hilt, as test_combat.sh finds it: red outweighs blue right of the
# middle and low in the quarter-size screenshot.
gold_share() {
  convert "$(pic now)" -crop "$1" +repage -fx "r > 1.5 * b + 0.08" -colorspace Gray -format '%[fx:mean]' info:
}
sword_held() { alive && shot && greater "$(gold_share 140x75+260+150)" 0.004; }

# The game reads buttons and keys once a frame: each is held over two frames.
sweep() { alive; xdotool mousedown 1; wait_frames 2; xdotool mouseup 1; wait_frames 2; }
turn() { alive; xdotool mousemove_relative -- "$1" "$2"; wait_frames 2; }
# Holds `key` for `seconds` of the game's own clock (a duration of play, not a wait for a
# state).
hold_for() { alive; hold_for_game_seconds "$1" "$2"; }
tap() { alive; xdotool keydown "$1"; wait_frames 2; xdotool keyup "$1"; wait_frames 1; }

# Waits until the HUD has written `count` more figures: the game has played on for that
# many seconds of its own, whatever the screen shows. Long waits look at the screen only
# once per such second, so that the screenshots leave the processor to the game.
game_seconds() {
  local target=$(($(hud_lines) + $1))
  played_on() { alive && [ "$(hud_lines)" -ge "$target" ]; }
  wait_until "$1 more figures from the HUD" played_on
}
# True when the screen shows `picture`, looked at once per second of the game's play.
shows_by_the_second() {
  game_seconds 1
  screen_shows "$1"
}

# The enemies end these runs: the game-over picture that says so.
game_over=$(reference_picture GameOverSlain)
won=$(reference_picture GameWin)

# From the start: the sword taken up, play in the hall, then the crowd room until the run
# is lost.
death_route() {
  hold_key_until w "the sword held in the lower right" sword_held
  sweep
  turn 300 0
  sweep
  turn -600 0
  sweep
  turn 300 0
  # Short steps each way, a quarter of a second of the game's clock each, that end near
  # where they began, so the flight below starts from the pedestal.
  hold_for a 0.25
  hold_for d 0.25
  hold_for s 0.25
  hold_for w 0.25
  # The crowd room lies 15.5 ahead of the pedestal and 1.6 lower (test_combat.sh): M, 103
  # pixels down, 2.6 s of flight, and the enemies leap at the hovering eye.
  tap m
  turn 0 103
  hold_for w 2.6
  local looks=0
  among_enemies() {
    shows_by_the_second "$game_over" && return 0
    looks=$((looks + 1))
    # A sweep now and then, pressed for one second of play.
    [ $((looks % 4)) -eq 0 ] && xdotool mousedown 1
    [ $((looks % 4)) -eq 1 ] && xdotool mouseup 1
    return 1
  }
  wait_until "the game-over picture among the crowd room's enemies" among_enemies
  xdotool mouseup 1
}

# From the start: sweeps and turns that come back to the start's heading, then the flight
# to the goal crystal, 82.5 ahead, 11.55 left and 1.2 below (M, 140 pixels left, 15 down):
# 83.3 units, 13.9 s at the flight's 6 units a second.
# The crystal is touched when a frame ends within 1 unit of it, and a frame's step is 6
# units a second times its length: below 3 frames a second a flight can step over it. So
# the flight goes past by 12 units (2 s), then back (S) as far before it, and so on: each
# crossing is another chance. The won picture stays up, so each pass ends with one look.
goal_ms=13900
win_route() {
  sweep
  turn -250 0
  sweep
  turn 500 0
  sweep
  turn -250 0
  tap m
  turn -140 15
  local pass flown_ms=0 key=w ms
  for pass in 1 2 3 4 5 6 7 8; do
    if [ "$key" = w ]; then ms=$((goal_ms + 2000 - flown_ms)); else ms=$((flown_ms - goal_ms + 2000)); fi
    hold_for "$key" "$(awk -v ms="$ms" 'BEGIN { printf "%.2f", ms / 1000 }')"
    if [ "$key" = w ]; then flown_ms=$((flown_ms + ms)); key=s; else flown_ms=$((flown_ms - ms)); key=w; fi
    game_seconds 2
    if screen_shows "$won"; then
      [ "$pass" -gt 1 ] && echo "the goal crystal touched on pass $pass of the flight"
      return 0
    fi
  done
  fail "no won picture after 8 flights across the goal crystal"
}

# --- Standing in the start hall after each start ----------------------------------------------

runs=0
rss_start=()   # at the first playing frame of each run, kB
rss_hall=()    # after the hall's figures of each run, kB
hall_median=() # frames a second
hall_frames=() # frames drawn over the hall's figures
hall_run_ns=() # processor time of all the game's threads (the driver's too) over them, ns
hall_wait_ns=() # time its threads were ready to run but waited for a processor, ns

# Called on the first playing frame of a run.
after_start() {
  runs=$((runs + 1))
  rss_start+=("$(rss_kb)")
  wait_frames 3
  local from
  from=$(hud_lines)
  first_figure() { alive && [ "$(hud_lines)" -ge $((from + 1)) ]; }
  all_figures() { alive && [ "$(hud_lines)" -ge $((from + 1 + HALL_SECONDS)) ]; }
  wait_until "a figure from the HUD" first_figure
  local sched0 sched1
  sched0=$(sched_ns)
  wait_until "$HALL_SECONDS figures from the HUD" all_figures
  sched1=$(sched_ns)
  rss_hall+=("$(rss_kb)")
  sed -n "$((from + 2)),$((from + 1 + HALL_SECONDS))p" "$hud/fps" >"$E2E_TMP/hall.$runs"
  hall_median+=("$(median_of "$E2E_TMP/hall.$runs")")
  hall_frames+=("$(awk '{ s += $1 } END { printf "%.0f", s }' "$E2E_TMP/hall.$runs")")
  hall_run_ns+=("$(($(echo "$sched1" | cut -d' ' -f1) - $(echo "$sched0" | cut -d' ' -f1)))")
  hall_wait_ns+=("$(($(echo "$sched1" | cut -d' ' -f2) - $(echo "$sched0" | cut -d' ' -f2)))")
  echo "run $runs at $((SECONDS - play_start)) s: start hall ${hall_median[-1]} fps," \
    "$(per_frame "${hall_run_ns[-1]}" "${hall_frames[-1]}") cpu ms and $(per_frame "${hall_wait_ns[-1]}" "${hall_frames[-1]}") ms waiting for a processor a frame;" \
    "$(mb "${rss_start[-1]}") MB at the first frame, $(mb "${rss_hall[-1]}") MB ${HALL_SECONDS} s later"
}

# --- Play ---------------------------------------------------------------------------------------

start_xvfb
# The HUD writes its figures to $hud/fps. Unlike start_game, the game keeps the normal
# priority: its frame rate is measured and should not be what other work leaves over.
GALLIUM_HUD=fps GALLIUM_HUD_VISIBLE=false GALLIUM_HUD_PERIOD=1 GALLIUM_HUD_DUMP_DIR=$hud \
  "$E2E_GAME" --clock-file "$E2E_CLOCK" >"$E2E_TMP/game.out" 2>&1 </dev/null &
E2E_GAME_PID=$!
wait_for_window
start_run_from_intro
play_start=$SECONDS
after_start

deaths=0
wins=0
time_up() { [ $((SECONDS - play_start)) -ge $((minutes * 60)) ] && [ "$deaths" -ge 1 ] && [ "$wins" -ge 1 ]; }
rss_after_first=""
while :; do
  death_route
  deaths=$((deaths + 1))
  [ -n "$rss_after_first" ] || rss_after_first=$(rss_kb)
  start_run_from GameOverSlain space
  after_start
  time_up && break
  win_route
  wins=$((wins + 1))
  start_run_from GameWin Return
  after_start
  time_up && break
done
played=$((SECONDS - play_start))

rss_end=$(rss_kb)
hold_key_until Escape "the game to exit" game_exited
wait_for_exit
[ "$E2E_STATUS" -eq 0 ] || fail "exit status $E2E_STATUS after Escape"
output_has "You filthy rat! You ended the game!" || fail "no closing line after Escape"
pass "Escape in play ends the game with status 0"

# --- Figures and checks -------------------------------------------------------------------------

# The first and last runs' hall figures: up to three runs each, never the same run twice.
part=$((runs / 2))
[ "$part" -gt 3 ] && part=3
mapfile -t first < <(seq 1 "$part")
mapfile -t last < <(seq $((runs - part + 1)) "$runs")
hall_files() { local i; for i in "$@"; do cat "$E2E_TMP/hall.$i"; done; }
fps_first=$(hall_files "${first[@]}" | median_of)
fps_last=$(hall_files "${last[@]}" | median_of)
# Processor time and waiting a frame over those runs together, ms.
part_per_frame() {
  local -n values=$1
  shift
  local i ns=() frames=()
  for i in "$@"; do
    ns+=("${values[$((i - 1))]}")
    frames+=("${hall_frames[$((i - 1))]}")
  done
  awk -v ns="$(sum_of "${ns[@]}")" -v f="$(sum_of "${frames[@]}")" 'BEGIN { printf "%.1f", ns / 1e6 / f }'
}
cpu_first=$(part_per_frame hall_run_ns "${first[@]}")
cpu_last=$(part_per_frame hall_run_ns "${last[@]}")
wait_first=$(part_per_frame hall_wait_ns "${first[@]}")
wait_last=$(part_per_frame hall_wait_ns "${last[@]}")
# The whole play, every place, the loading pictures included: for reading, not compared.
all_first=$(head -60 "$hud/fps" | median_of)
all_last=$(tail -60 "$hud/fps" | median_of)
rss_growth=$((rss_end - rss_after_first))
echo "soak: ${played} s of play, ${runs} runs, $((deaths + wins)) restarts (${deaths} through death, ${wins} through the goal)"
echo "soak: memory at the end (before Escape) $(mb "$rss_end") MB, $(mb "$rss_growth") MB over $(mb "$rss_after_first") MB after the first run (bound $(mb "$RSS_BOUND_KB") MB)"
echo "soak: memory at each run's first frame, MB: $(for k in "${rss_start[@]}"; do printf '%s ' "$(mb "$k")"; done)"
echo "soak: memory after each run's hall seconds, MB: $(for k in "${rss_hall[@]}"; do printf '%s ' "$(mb "$k")"; done)"
echo "soak: start hall fps, first ${part} run(s) median ${fps_first}, last ${part} run(s) median ${fps_last}"
echo "soak: start hall cpu ms a frame ${cpu_first} then ${cpu_last}; waiting for a processor ${wait_first} then ${wait_last} ms a frame"
echo "soak: start hall fps per run: ${hall_median[*]}"
echo "soak: whole play (all places, loading included; not compared): median of the first 60 s ${all_first} fps, of the last 60 s ${all_last} fps"

problems=()
[ "$rss_growth" -le "$RSS_BOUND_KB" ] ||
  problems+=("resident memory at the end $(mb "$rss_growth") MB above that after the first run (bound $(mb "$RSS_BOUND_KB") MB)")
# Under Xvfb the driver draws on the processor, so a frame's whole cost is processor time
# of the game's threads: more of it a frame is the game's own doing whatever else runs.
if greater "$cpu_last" "$(awk -v c="$cpu_first" -v s="$FPS_SHARE" 'BEGIN { print c / s }')"; then
  problems+=("a start hall frame took ${cpu_first} cpu ms in the first runs and ${cpu_last} in the last")
fi
if ! awk -v a="$fps_last" -v b="$fps_first" -v s="$FPS_SHARE" 'BEGIN { exit !(a >= s * b) }'; then
  # A machine shared with other work gives the game less of the processor now and then:
  # a drop that comes with no more processor time a frame (within 10%) and with longer
  # waits for a processor is that, not the game.
  if ! greater "$cpu_last" "$(awk -v c="$cpu_first" 'BEGIN { print c * 1.1 }')" && greater "$wait_last" "$wait_first"; then
    echo "soak: the start hall's frame rate fell from ${fps_first} to ${fps_last} fps while a frame cost the same processor time and waited longer for a processor: other work on this machine, not counted"
  else
    problems+=("the start hall's frame rate fell from ${fps_first} to ${fps_last} fps")
  fi
fi
[ "${#problems[@]}" -eq 0 ] || fail "$(printf '%s; ' "${problems[@]}" | sed 's/; $//')"
pass "memory grew by $(mb "$rss_growth") MB after the first run; the start hall's frame rate went from ${fps_first} to ${fps_last} fps"
