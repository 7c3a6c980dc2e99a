#!/usr/bin/env bash
# The settings file: a damaged one gives one line naming it and is left as it is; F2 on
# the intro shows the options, Right raises the chosen setting (the mouse's sensitivity)
# and writes the file whole, the file's good values kept and the command line's left out.
source "$(dirname "$0")/lib.sh"

settings="$XDG_CONFIG_HOME/zarnhold/settings.ini"
mkdir -p "$(dirname "$settings")"
printf 'version = 1\nvolume = 40\nfield_of_view = 500\n' >"$settings"
cp "$settings" "$E2E_TMP/damaged.ini"

start_xvfb
start_game --fov 50
wait_for_window
wait_until "the line about the settings file" output_has "$settings: line 3: bad setting 'field_of_view = 500'"
[ "$(grep -c "settings" "$E2E_TMP/game.out")" -eq 1 ] || fail "more than one line about the settings"
cmp -s "$settings" "$E2E_TMP/damaged.ini" || fail "reading the damaged file changed it"
pass "a damaged settings file: one line naming it, the file left as it is"

intro=$(reference_picture Intro)
wait_until "the intro picture" screen_shows "$intro"
panel_shown() { screen_differs_from "$intro"; }
hold_key_until F2 "the options over the intro" panel_shown
sensitivity_raised() { grep -qx 'sensitivity = 0.0012' "$settings"; }
hold_key_until Right "the raised sensitivity in the settings file" sensitivity_raised
grep -qx 'volume = 40' "$settings" || fail "the file's volume was not kept"
grep -qx 'field_of_view = 45' "$settings" || fail "the command line's field of view was written"
grep -qx 'version = 1' "$settings" || fail "no version line"
[ ! -e "$settings.partial" ] || fail "the temporary file was left"
pass "F2 and Right on the intro raise the sensitivity and write the file"

hold_key_until Escape "the game to exit" game_exited
wait_for_exit
[ "$E2E_STATUS" -eq 0 ] || fail "exit status $E2E_STATUS"
