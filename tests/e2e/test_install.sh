#!/usr/bin/env bash
# The game installed as a package lays it out (cmake --install into a fresh prefix, not the
# configured one): the program, its shaders and models, the launcher, the menu entry and
# the icon. The installed launcher, found on the PATH and started from an unrelated folder,
# runs the installed program in the installed data folder: the intro picture shows, and
# Escape ends the game with status 0.
source "$(dirname "$0")/lib.sh"

source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=$(cd "$(dirname "$E2E_GAME")/.." && pwd)
prefix="$E2E_TMP/prefix"
data="$prefix/share/games/zarnhold"
program="$prefix/lib/games/zarnhold/zarnhold"

cmake --install "$build_dir" --prefix "$prefix" >"$E2E_TMP/install.log" 2>&1 ||
  { cat "$E2E_TMP/install.log"; fail "cmake --install into $prefix"; }
pass "installed into a fresh prefix"

# --- The layout ---------------------------------------------------------------------
[ -x "$prefix/games/zarnhold" ] || fail "no launcher at games/zarnhold"
[ -x "$program" ] || fail "no program at lib/games/zarnhold/zarnhold"
for shader in "$source_dir"/shaders/*; do
  cmp -s "$shader" "$data/$(basename "$shader")" || fail "shader $(basename "$shader") not installed as built"
done
diff -r --exclude=.stamp "$build_dir/game/External" "$data/External" >"$E2E_TMP/diff.log" ||
  { cat "$E2E_TMP/diff.log"; fail "the installed External/ differs from the build's"; }
[ ! -e "$data/External/Models/.stamp" ] || fail "the build's stamp was installed"
pass "program, shaders and generated models in the Debian games layout"

desktop="$prefix/share/applications/zarnhold.desktop"
[ -f "$desktop" ] || fail "no desktop entry"
for line in '[Desktop Entry]' Type=Application Name=Zarnhold Exec=zarnhold Icon=zarnhold \
  'Categories=Game;ActionGame;'; do
  grep -qxF -- "$line" "$desktop" || fail "the desktop entry lacks '$line'"
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate refuses the entry"
fi
pass "desktop entry runs zarnhold with the zarnhold icon, in Game;ActionGame;"

# The icon must decode without a single complaint (a bad CRC or Adler-32 is one), be the
# size its folder names, be transparent outside its tile and show the blue crystal on dark
# stone.
icon="$prefix/share/icons/hicolor/128x128/apps/zarnhold.png"
[ -f "$icon" ] || fail "no icon"
format=$(identify -regard-warnings -format '%m %wx%h' "$icon" 2>&1) || fail "icon does not decode: $format"
[ "$format" = "PNG 128x128" ] || fail "icon is '$format', not a 128x128 PNG"
pixel() { convert "$icon" -format "%[fx:$1]" info:; }
[ "$(pixel 'p{0,0}.a < 0.01 && p{127,127}.a < 0.01')" = 1 ] || fail "icon corners are not transparent"
[ "$(pixel 'p{64,64}.a > 0.99 && p{12,64}.a > 0.99')" = 1 ] || fail "icon tile is not opaque"
[ "$(pixel 'p{64,64}.b > 0.6 && p{64,64}.b > p{64,64}.r + 0.2')" = 1 ] || fail "icon centre is not the blue crystal"
[ "$(pixel 'p{12,64}.intensity < 0.3')" = 1 ] || fail "icon edge is not dark stone"
pass "icon is a valid 128x128 PNG: blue crystal on a dark tile, transparent corners"

# --- The installed launcher plays the installed game ------------------------------------
intro=$(cd "$data" && reference_picture Intro)
elsewhere="$E2E_TMP/elsewhere"
mkdir -p "$elsewhere"
cd "$elsewhere"
export PATH="$prefix/games:$PATH"
[ "$(command -v zarnhold)" = "$prefix/games/zarnhold" ] || fail "the launcher is not the zarnhold on the PATH"
E2E_GAME=zarnhold

start_xvfb
start_game
wait_for_window
# The launcher hands its process over to the program, so the game's process is the one
# started: the installed program, running in the installed data folder.
[ "$(readlink -f "/proc/$E2E_GAME_PID/exe")" = "$(readlink -f "$program")" ] ||
  fail "the running program is $(readlink -f "/proc/$E2E_GAME_PID/exe"), not the installed one"
[ "$(readlink -f "/proc/$E2E_GAME_PID/cwd")" = "$(readlink -f "$data")" ] ||
  fail "the game runs in $(readlink -f "/proc/$E2E_GAME_PID/cwd"), not its data folder"
pass "the launcher runs the installed program in the installed data folder"

wait_until "the intro picture" screen_shows "$intro"
save_shot installed-intro
pass "intro picture on screen from the installed game"

hold_key_until Escape "the game to exit" game_exited
wait_for_exit
[ "$E2E_STATUS" -eq 0 ] || fail "exit status $E2E_STATUS"
output_has "You filthy rat! You ended the game!" || fail "no closing line"
pass "Escape ends the installed game with status 0"
