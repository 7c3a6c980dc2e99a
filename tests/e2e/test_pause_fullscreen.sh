#!/usr/bin/env bash
# Away from the window, the run waits: another window taking the keyboard pauses the world's
# clock (the clock file says "paused"), and back in the game's window a key, let go, goes
# on. F11 fills the screen with the game, and F11 again gives back the window.
source "$(dirname "$0")/lib.sh"
E2E_PAUSE_ON_FOCUS_LOSS=1

start_xvfb
start_game
wait_for_window

hold_key_until space "the run to start" clock_reached 0.01
wait_until "half a second of play" clock_reached 0.5

# Another program's window takes the keyboard.
xmessage -geometry 300x100+50+50 "elsewhere" &
other_pid=$!
trap 'kill $other_pid 2>/dev/null; e2e_cleanup' EXIT
other_window() { xdotool search --name '^xmessage$' 2>/dev/null | head -1; }
has_other_window() { [ -n "$(other_window)" ]; }
wait_until "the other window" has_other_window
paused() { [ "$(game_state)" = paused ]; }
focus_other() { xdotool windowfocus "$(other_window)" 2>/dev/null; paused; }
wait_until "the run to pause when the other window has the keyboard" focus_other
stopped_at=$(game_clock)
# A frozen clock can only be shown by time passing: two seconds are many frames at any
# speed this runs at, and a slower machine only makes the check weaker, never wrong.
sleep 2
[ "$(game_clock)" = "$stopped_at" ] || fail "the clock ran on while paused: $stopped_at, then $(game_clock)"
shot && save_shot paused
pass "with another window in front the run pauses at $stopped_at s of game time"

xdotool windowfocus --sync "$E2E_WINDOW"
wait_until "the game's window to have the keyboard again" window_focused
[ "$(game_state)" = paused ] || fail "the run went on before a key"
xdotool key space
wait_until "the run to go on after a key" clock_reached "$(awk -v s="$stopped_at" 'BEGIN { print s + 0.3 }')"
pass "back in the window, a key goes on"

# F11: the window fills the 1920x1080 screen; F11 again, back to 1600x900.
geometry() { xdotool getwindowgeometry "$E2E_WINDOW" | sed -n 's/.*Geometry: //p'; }
full() { [ "$(geometry)" = 1920x1080 ]; }
windowed() { [ "$(geometry)" = 1600x900 ]; }
# Held until seen: a tap quicker than a frame may fall between two frames' reading of the keys.
hold_key_until F11 "the window to fill the screen after F11" full
# The view fills it: the lit dungeon reaches the screen's far right, beyond the window's old size.
lit_far_right() {
  shot || return 1
  v=$(convert "xwd:$E2E_TMP/screen.xwd" -crop 300x1080+1620+0 +repage -colorspace Gray -format '%[fx:standard_deviation]' info:)
  greater "$v" 0.015
}
wait_until "the view to reach the screen's right edge" lit_far_right
save_shot fullscreen
pass "F11 fills the screen"
hold_key_until F11 "the window back at 1600x900 after F11 again" windowed
pass "F11 again gives the window back"

hold_key_until Escape "the game to exit" game_exited
wait_for_exit
[ "$E2E_STATUS" -eq 0 ] || fail "exit status $E2E_STATUS"
pass "Escape ends the game with status 0"
