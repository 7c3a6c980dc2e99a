#!/usr/bin/env bash
# The real game wins by replaying the recorded route (on foot from the start hall, the sword
# taken, over the bridge to the goal crystal): the won picture shows and one line gives the
# outcome, the game time and the world's checksum, the same as the timedemo of it reaches.
# Then the live input is back: Enter (real X input) starts a new run, Escape ends the game.
# A live run played with real X input (keys, the mouse, its buttons) and recorded reaches,
# replayed, the very world the live run left.
# A quarter of the pixels: the route is 20 s of game time, played frame by frame twice.
E2E_SCREEN=960x540
source "$(dirname "$0")/lib.sh"

start_xvfb
start_game --mute --replay demos/route.zrec
wait_for_window
won=$(reference_picture GameWin)
wait_until "the replay's end line" output_has "replay "
grep -q "^replay won after [0-9.]* s of game time, world [0-9a-f]\{16\}$" "$E2E_TMP/game.out" ||
  fail "the replay did not win: $(grep '^replay' "$E2E_TMP/game.out")"
wait_until "the won picture" screen_shows "$won"
save_shot replay-won
line=$(grep "^replay" "$E2E_TMP/game.out")
pass "the replayed route wins: $line"

start_run_from GameWin Return
hold_key_until Escape "the game to exit" game_exited
wait_for_exit
[ "$E2E_STATUS" -eq 0 ] || fail "exit status $E2E_STATUS"
pass "after the replay Enter starts a live run and Escape ends the game with status 0"

# The timedemo plays the same world, as fast as frames come, and prints its figures.
start_game --mute --timedemo demos/route.zrec
wait_for_exit
[ "$E2E_STATUS" -eq 0 ] || fail "timedemo exit status $E2E_STATUS"
grep -qxF "$line" "$E2E_TMP/game.out" || fail "the timedemo's world differs: $(grep '^replay' "$E2E_TMP/game.out")"
grep -q "^timedemo: [0-9]* frames in [0-9.]* s, [0-9.]* fps; frame times 50% [0-9.]* ms, 95% [0-9.]* ms, 99% [0-9.]* ms$" \
  "$E2E_TMP/game.out" || fail "no timedemo figures"
pass "$(grep '^timedemo' "$E2E_TMP/game.out")"

# Recorded live: walking, turning, a sweep and the shield, then Escape during the run.
start_game --mute --record "$E2E_TMP/live.zrec"
wait_for_window
start_run_from_intro
hold_for_game_seconds w 0.5
xdotool mousemove_relative -- 120 -30
xdotool mousedown 3
hold_for_game_seconds d 0.4
xdotool mouseup 3
xdotool mousedown 1
hold_for_game_seconds s 0.3
xdotool mouseup 1
hold_key_until Escape "the game to exit" game_exited
wait_for_exit
recorded=$(grep "^recorded" "$E2E_TMP/game.out") || fail "nothing recorded"
world=${recorded##* world }
start_game --mute --replay "$E2E_TMP/live.zrec"
wait_for_window
wait_until "the replay's end line" output_has "replay "
grep -q "^replay unfinished after .* world $world$" "$E2E_TMP/game.out" ||
  fail "the replay reached $(grep '^replay' "$E2E_TMP/game.out"), the live run $recorded"
hold_key_until Escape "the game to exit" game_exited
wait_for_exit
pass "a live run with real input, recorded and replayed, reaches the same world ($recorded)"
