#!/usr/bin/env bash
# The real game with one bad file at a time: it starts, prints the loader's own line where
# the loader has one, shows its pictures, builds a run and plays on, and Escape ends it
# with status 0. Each case runs in a copy of the game folder (links to the real files, the
# bad one written in place of its link).
source "$(dirname "$0")/lib.sh"

game_dir=$PWD
models=External/Models

# A copy of the game folder in $E2E_TMP/$1 whose files are links to the real ones.
folder_copy() {
  local dir=$E2E_TMP/$1
  mkdir -p "$dir"
  local entry
  for entry in "$game_dir"/*; do
    [ "$(basename "$entry")" = External ] || ln -s "$entry" "$dir/"
  done
  cp -rs "$game_dir/External" "$dir/External"
  echo "$dir"
}

# Replaces the link $2 in folder $1 with a real copy, ready to be spoilt.
own_copy() {
  rm "$1/$2"
  cp "$game_dir/$2" "$1/$2"
}

# Sets the little-endian 32-bit field at byte $2 of file $1 to $3.
put32() {
  printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($3 & 255)) $(($3 >> 8 & 255)) $(($3 >> 16 & 255)) $(($3 >> 24 & 255)))" |
    dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}

# Plays case $1 (already prepared in folder $2): the intro, a run, Escape. $3, when given,
# is a line the game must have printed.
play_case() {
  local name=$1 dir=$2 line=${3:-}
  cd "$dir" && start_game && cd "$game_dir"
  wait_for_window
  start_run_from_intro
  wait_frames 2
  hold_key_until Escape "the game to exit" game_exited
  wait_for_exit
  [ "$E2E_STATUS" -eq 0 ] || fail "$name: exit status $E2E_STATUS"
  if [ -n "$line" ]; then output_has "$line" || fail "$name: no line \"$line\""; fi
  output_has "You filthy rat! You ended the game!" || fail "$name: no closing line"
  pass "$name: the run played and Escape ended it with status 0"
}

start_xvfb

dir=$(folder_copy missing-level)
rm "$dir/$models/Levels/Level1n.obj"
play_case "missing level model" "$dir" "Impossible to open the file ! External/Models/Levels/Level1n.obj"

dir=$(folder_copy empty-level)
rm "$dir/$models/Levels/Level1n.obj" && : >"$dir/$models/Levels/Level1n.obj"
play_case "empty level model" "$dir"

dir=$(folder_copy truncated-bmp)
own_copy "$dir" "$models/Levels/level.bmp"
truncate -s 40000 "$dir/$models/Levels/level.bmp"
play_case "BMP cut short in its rows" "$dir"

dir=$(folder_copy truncated-bmp-header)
own_copy "$dir" "$models/sword.bmp"
truncate -s 30 "$dir/$models/sword.bmp"
play_case "BMP cut short in its header" "$dir" "Not a correct BMP file"

dir=$(folder_copy wrong-size-bmp)
own_copy "$dir" "$models/Levels/level.bmp"
put32 "$dir/$models/Levels/level.bmp" 34 2000000000
play_case "BMP with a wrong size field" "$dir"

dir=$(folder_copy bmp-32-bit)
own_copy "$dir" "$models/enemy.bmp"
printf '\x20' | dd of="$dir/$models/enemy.bmp" bs=1 seek=28 conv=notrunc status=none
play_case "32-bit BMP" "$dir" "Not a correct BMP file"

dir=$(folder_copy bad-face-index)
own_copy "$dir" "$models/sword.obj"
echo "f 1/1/1 2/1/1 99999/1/1" >>"$dir/$models/sword.obj"
play_case "OBJ face index out of range" "$dir" "File can't be read by our simple parser"

dir=$(folder_copy missing-shader)
rm "$dir/lightshader.frag"
play_case "missing shader file" "$dir" "Shader could not be opened: lightshader.frag"

dir=$(folder_copy broken-shader)
rm "$dir/box.frag"
printf '#version 150 core\nvoid main() { this is not GLSL; }\n' >"$dir/box.frag"
play_case "shader that does not compile" "$dir" "error"
