#!/usr/bin/env bash
# The real game heard: OpenAL Soft writes its mix to a WAV file instead of a device. The
# test marks where in that file each moment falls (the file grows as the mix is written)
# and checks what was heard there: a crystal's hum louder under it than across the start
# hall, louder in the right ear when it is to the right, and the sword's sweep loud within a
# few frames of the click against the quiet before it. Then --mute and --volume 0 are heard
# as silence, a device lost while playing is said and heard again when it is back, and a
# missing device plays on silent with one line.
source "$(dirname "$0")/lib.sh"
command -v sox >/dev/null || fail "sox is needed to measure the sound"

heard="$E2E_TMP/heard.wav"
printf '[general]\nsample-type = int16\nchannels = stereo\n[wave]\nfile = %s\n' "$heard" >"$E2E_TMP/alsoft.conf"
export ALSOFT_DRIVERS=wave ALSOFT_CONF="$E2E_TMP/alsoft.conf"

start_xvfb
start_game
wait_for_window
start_run_from_intro >/dev/null
# The mix is 16-bit stereo (4 bytes a frame) after a header that ends with the "data"
# chunk's tag and size; a moment is the seconds written so far.
rate=$(sox --i -r "$heard" 2>/dev/null)
header=$(($(grep -obUa data "$heard" | head -1 | cut -d: -f1) + 8))
mark() { echo "$(( ($(stat -c %s "$heard") - header) / 4 )) $rate" | awk '{ printf "%.3f", $1 / $2 }'; }
# RMS amplitude of channel CHANNEL (1 left, 2 right, 0 both) over DURATION from START,
# of the band LOW-HIGH Hz when given.
rms() {
  local remix="remix 1,2" band=""
  [ "$2" -gt 0 ] && remix="remix $2"
  [ -n "${4:-}" ] && band="sinc $4"
  # shellcheck disable=SC2086
  sox "$heard" -n trim "$1" "$3" $remix $band stat 2>&1 | awk '/RMS *amplitude/ { print $3 }'
}
# Waits until the mix has been written up to UNTIL seconds.
wait_for_seconds() {
  local until=$1
  more_written() { greater "$(mark)" "$until"; }
  wait_until "the mix to reach ${until} s" more_written
}
plus() { awk -v a="$1" -v b="$2" 'BEGIN { print a + b }'; }

# Standing at the start: the start hall's light crystal is 7 units ahead and a little to the
# right.
wait_frames 3
across=$(mark)
wait_for_seconds "$(plus "$across" 1.5)"
far=$(rms "$across" 0 1.5)

# Free flight to the pedestal, then 0.8 radians to the left: the crystal hangs to the right.
# (The captured cursor takes the motion whole; an uncaptured one stopped at the screen's
# edge, 800 pixels from the window's centre, which is the turn this test was made with.)
xdotool keydown m; wait_frames 2; xdotool keyup m
hold_for_game_seconds w 1.15
xdotool mousemove_relative -- -800 0
wait_frames 3
# The pick-up ring fades first.
wait_for_seconds "$(plus "$(mark)" 1.2)"
under=$(mark)
shot && save_shot under-the-crystal
wait_for_seconds "$(plus "$under" 1.5)"
near=$(rms "$under" 0 1.5)
left=$(rms "$under" 1 1.5)
right=$(rms "$under" 2 1.5)
greater "$near" "$(awk -v f="$far" 'BEGIN { print f * 1.2 }')" ||
  fail "the hum under the crystal ($near) is not louder than across the hall ($far)"
pass "the crystal's hum: RMS $near under it against $far across the hall"
greater "$right" "$(awk -v l="$left" 'BEGIN { print l * 1.2 }')" ||
  fail "with the crystal to the right the right channel ($right) is not louder than the left ($left)"
pass "left $left, right $right with the crystal to the right"

# The sweep: the button held for a few frames. The blade's swish is heard in its own band,
# 1.5 to 5 kHz, above the low hum and the ambient bed.
# The button is let go once the game's clock has run a quarter of a second past the press
# (the clock file lags the game by at most a tenth): by then a tick has read it and the swish
# has begun, however slowly the frames come. What follows the click up to half a second
# after that is compared with the second before it.
click=$(mark)
xdotool mousedown 1
pressed_at=$(game_clock)
wait_until "the press to reach the game" clock_reached "$(plus "$pressed_at" 0.25)"
played=$(mark)
xdotool mouseup 1
span=$(awk -v a="$click" -v b="$played" 'BEGIN { print b - a + 0.5 }')
wait_for_seconds "$(plus "$click" "$span")"
before=$(rms "$(plus "$click" -1.0)" 0 1.0 1500-5000)
after=$(rms "$click" 0 "$span" 1500-5000)
greater "$after" "$(awk -v b="$before" 'BEGIN { print b * 3 }')" ||
  fail "the sweep ($after) is not heard over the quiet before it ($before)"
pass "the sword's sweep: RMS $after (1.5-5 kHz) in the $span s after the click against $before in the second before"
hold_key_until Escape "the game to exit" game_exited
wait_for_exit
[ "$E2E_STATUS" -eq 0 ] || fail "the game exited with $E2E_STATUS"
# What was heard, for a person to look at: its spectrum over time, once the file is closed.
if [ -n "${E2E_SHOTS:-}" ]; then
  mkdir -p "$E2E_SHOTS"
  sox "$heard" -n remix 1,2 spectrogram -x 1200 -y 400 -z 90 -o "$E2E_SHOTS/heard-spectrogram.png"
fi

# --mute and --volume 0: the mix is silence.
for quiet in --mute "--volume 0"; do
  rm -f "$heard"
  # shellcheck disable=SC2086
  start_game $quiet
  wait_for_window
  start_run_from_intro >/dev/null
  wait_frames 10
  hold_key_until Escape "the game to exit" game_exited
  wait_for_exit
  if [ -s "$heard" ]; then
    peak=$(sox "$heard" -n stat 2>&1 | awk '/Maximum amplitude/ { print $3 }')
    greater "$peak" 0.001 && fail "$quiet still plays sound (peak $peak)"
  fi
  pass "$quiet: silence"
done

# The device lost while playing, then back: the wave driver writing into /dev/full fails,
# and OpenAL Soft reports the device gone; once the file it opens is a real one again, the
# device found again stays. Each loss and each return is said in one line, the game plays on
# through them, and the device found again is heard.
device="$E2E_TMP/device"
found="$E2E_TMP/found.wav"
ln -s /dev/full "$device"
printf '[general]\nsample-type = int16\nchannels = stereo\n[wave]\nfile = %s\n' "$device" >"$E2E_TMP/lost.conf"
export ALSOFT_CONF="$E2E_TMP/lost.conf"
start_game
wait_for_window
lost_said() { output_has "Sound device lost: playing in silence"; }
wait_until "a line about the lost sound device" lost_said
start_run_from_intro >/dev/null
ln -sfn "$found" "$device"
# Two seconds of 16-bit stereo at 44.1 kHz written into the file found again.
found_written() { [ -f "$found" ] && [ "$(stat -c %s "$found")" -gt 352800 ]; }
wait_until "the sound on the device found again" found_written
said() { grep -c "^Sound device $1" "$E2E_TMP/game.out"; }
[ "$(grep -E '^Sound device (lost|back)' "$E2E_TMP/game.out" | tail -1)" = "Sound device back: playing sound again" ] ||
  fail "the game did not say the sound was back"
[ "$(said lost)" -eq "$(said back)" ] || fail "$(said lost) lines of a lost device, $(said back) of its return"
hold_key_until Escape "the game to exit" game_exited
wait_for_exit
[ "$E2E_STATUS" -eq 0 ] || fail "after a lost device the game exited with $E2E_STATUS"
again=$(sox "$found" -n trim 0.5 1.0 stat 2>&1 | awk '/RMS *amplitude/ { print $3 }')
greater "$again" 0.001 || fail "the device found again is silent (RMS $again)"
pass "a lost device: $(said lost) lost, $(said back) back, each said once, the game played on; RMS $again on the device found again"

# No device at all: one line, and the game plays on.
export ALSOFT_DRIVERS=none
start_game
wait_for_window
no_device_said() { output_has "No sound device: playing in silence"; }
wait_until "a line about the missing sound device" no_device_said
start_run_from_intro >/dev/null
hold_key_until Escape "the game to exit" game_exited
wait_for_exit
[ "$E2E_STATUS" -eq 0 ] || fail "without a sound device the game exited with $E2E_STATUS"
pass "without a sound device the game says so once and plays on"
