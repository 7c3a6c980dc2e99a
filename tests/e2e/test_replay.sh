#!/usr/bin/env bash
# The real game wins by replaying the recorded route (on foot from the start hall, the sword
# taken, over the bridge to the goal crystal): the won picture shows and one line gives the
# outcome, the game time and the world's checksum, the same as the timedemo of it reaches.
# Then the live input is back: Enter (real X input) starts a new run, Escape ends the game.
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
