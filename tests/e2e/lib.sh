# Shared helpers of the end-to-end tests: a private Xvfb, the real game in it, real X input
# and screenshots. Every wait polls for a state (a picture, a line, an exit), with a limit.
set -u

E2E_GAME=${1:?path to the zarnhold executable}
E2E_TMP=$(mktemp -d /tmp/zarnhold-e2e.XXXXXX)
E2E_GAME_PID=""
E2E_XVFB_PID=""
E2E_LIMIT=${E2E_LIMIT:-240}

e2e_cleanup() {
  [ -n "$E2E_GAME_PID" ] && kill "$E2E_GAME_PID" 2>/dev/null
  [ -n "$E2E_XVFB_PID" ] && kill "$E2E_XVFB_PID" 2>/dev/null
  wait 2>/dev/null
  if [ "${E2E_KEEP:-0}" = 1 ]; then echo "kept $E2E_TMP"; else rm -rf "$E2E_TMP"; fi
}
trap e2e_cleanup EXIT

fail() { echo "FAIL: $*"; [ -f "$E2E_TMP/game.out" ] && { echo "--- game output"; tail -20 "$E2E_TMP/game.out"; }; exit 1; }
pass() { echo "ok: $*"; }

# Starts Xvfb on a free display at 1920x1080x24 and exports DISPLAY.
start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 100); do
      xdpyinfo >/dev/null 2>&1 && return 0
      kill -0 "$E2E_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
  done
  fail "no Xvfb could be started"
}

# Starts the game from the current directory (the runnable folder), output to game.out.
start_game() {
  "$E2E_GAME" >"$E2E_TMP/game.out" 2>&1 </dev/null &
  E2E_GAME_PID=$!
}

# Waits until `cmd` succeeds; fails with `what` after the limit.
wait_until() {
  local what=$1; shift
  local start=$SECONDS
  until "$@"; do
    [ $((SECONDS - start)) -ge "$E2E_LIMIT" ] && fail "timed out waiting for $what"
    sleep 0.2
  done
}

game_window() { xdotool search --name '^Zarnhold$' 2>/dev/null | head -1; }
have_window() { [ -n "$(game_window)" ]; }

# Waits for the window and gives it the keyboard focus.
wait_for_window() {
  wait_until "the game window" have_window
  E2E_WINDOW=$(game_window)
  xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null || xdotool windowfocus "$E2E_WINDOW"
}

# Screenshot of the whole screen into $1.
shot() { import -window root "$1" 2>/dev/null; }

# Root-mean-square difference (0..1) between two pictures, after cropping the first to the
# window's area at the top-left corner.
rmse() {
  convert "$1" -crop 1600x900+0+0 +repage "$E2E_TMP/cropped.png" || return 1
  compare -metric RMSE "$E2E_TMP/cropped.png" "$2" null: 2>&1 \
    | sed -n 's/.*(\([0-9.e-]*\)).*/\1/p'
}

# True when the screen shows `reference` (a 1600x900 PNG) within `tolerance` RMSE.
screen_shows() {
  local reference=$1 tolerance=${2:-0.06}
  shot "$E2E_TMP/now.png" || return 1
  local d
  d=$(rmse "$E2E_TMP/now.png" "$reference")
  [ -n "$d" ] && awk -v d="$d" -v t="$tolerance" 'BEGIN { exit !(d < t) }'
}

screen_differs_from() { ! screen_shows "$@"; }

# The generated picture `name` (e.g. Intro) as a 1600x900 PNG, as the window stretches it.
reference_picture() {
  convert "External/Models/$1.bmp" -resize '1600x900!' "$E2E_TMP/$1.png"
  echo "$E2E_TMP/$1.png"
}

# Holds `key` down until `cmd` succeeds (the game reads key state once per frame, so a
# tap could fall between two frames), then releases it.
hold_key_until() {
  local key=$1 what=$2; shift 2
  xdotool keydown "$key"
  wait_until "$what" "$@"
  xdotool keyup "$key"
}

game_exited() { ! kill -0 "$E2E_GAME_PID" 2>/dev/null; }

# Waits for the game to end; sets E2E_STATUS to its exit status.
wait_for_exit() {
  wait_until "the game to exit" game_exited
  wait "$E2E_GAME_PID"
  E2E_STATUS=$?
  E2E_GAME_PID=""
}

output_has() { grep -qF -- "$1" "$E2E_TMP/game.out"; }
