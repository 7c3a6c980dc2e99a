# Shared helpers of the end-to-end tests: a private Xvfb, the real game in it, real X input
# and screenshots. Every wait polls for a state (a picture, a line, an exit), with a limit.
set -u

E2E_GAME=${1:?path to the zarnhold executable}
E2E_TMP=$(mktemp -d /tmp/zarnhold-e2e.XXXXXX)
# The game reads and writes its settings here, never in the developer's own folder.
export XDG_CONFIG_HOME="$E2E_TMP/config"
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

fail() { echo "FAIL: $* (DISPLAY=${DISPLAY:-})"; [ -f "$E2E_TMP/xvfb.log" ] && tail -3 "$E2E_TMP/xvfb.log"; [ -f "$E2E_TMP/game.out" ] && { echo "--- game output"; tail -20 "$E2E_TMP/game.out"; }; exit 1; }
pass() { echo "ok: $*"; }

# The virtual screen; the game's window is a sixth smaller each way (1600x900 on the
# default 1920x1080). A test that plays long may take a smaller screen, for faster frames.
E2E_SCREEN=${E2E_SCREEN:-1920x1080}
E2E_WIDTH=$(( ${E2E_SCREEN%x*} * 5 / 6 ))
E2E_HEIGHT=$(( ${E2E_SCREEN#*x} * 5 / 6 ))

# Starts Xvfb at $E2E_SCREEN, 24 bits, on a display it picks itself (free for certain) and exports
# DISPLAY once the server answers. -noreset: otherwise the server resets when that first
# probe disconnects, and a client connecting during the reset is refused.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN}x24" -nolisten tcp -noreset 3>"$E2E_TMP/display" >"$E2E_TMP/xvfb.log" 2>&1 &
  E2E_XVFB_PID=$!
  local i
  for i in $(seq 1 200); do
    if [ -s "$E2E_TMP/display" ]; then
      export DISPLAY=":$(tr -d '[:space:]' <"$E2E_TMP/display")"
      xdpyinfo >/dev/null 2>&1 && return 0
    fi
    kill -0 "$E2E_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  cat "$E2E_TMP/xvfb.log"
  fail "no Xvfb could be started"
}

# The game writes its run's clock here every playing frame (see game_clock).
E2E_CLOCK=$E2E_TMP/clock

# Starts the game from the current directory (the runnable folder), output to game.out,
# with any arguments given. It runs at a lower priority so that the screenshots keep up
# while it renders.
# The game never pauses when its window loses the keyboard here (a bare X server has no
# window manager to keep it steady; xdotool moves it), unless a test asks for that rule
# with E2E_PAUSE_ON_FOCUS_LOSS=1.
start_game() {
  local pause_rule=--no-pause-on-focus-loss
  [ "${E2E_PAUSE_ON_FOCUS_LOSS:-0}" = 1 ] && pause_rule=""
  # shellcheck disable=SC2086
  nice -n 15 "$E2E_GAME" --clock-file "$E2E_CLOCK" $pause_rule "$@" >"$E2E_TMP/game.out" 2>&1 </dev/null &
  E2E_GAME_PID=$!
}

# The game's clock file: the seconds the current run's world has advanced (0 before the
# first playing frame), the state the last frame ended in (intro, playing, paused,
# game-over, won) and the eye's place (x y z). Below 33 frames a second the world runs
# slower than the wall clock, so anything timed in play (a flight, a walk) is timed by this.
game_clock() {
  local c=""
  [ -s "$E2E_CLOCK" ] && read -r c _ <"$E2E_CLOCK"
  echo "${c:-0}"
}
game_state() {
  local s=""
  [ -s "$E2E_CLOCK" ] && read -r _ s _ <"$E2E_CLOCK"
  echo "${s:-none}"
}
eye_place() {
  local x=0 y=0 z=0
  [ -s "$E2E_CLOCK" ] && read -r _ _ x y z <"$E2E_CLOCK"
  echo "$x $y $z"
}
# True when the eye has not moved by a hundredth of a unit over `seconds` of play (as long
# as the run goes on). The flicker changes what the screen shows of a player standing still.
eye_stays() {
  local seconds=$1 before later
  local -a a b
  before=$(eye_place)
  later=$(awk -v c="$(game_clock)" -v s="$seconds" 'BEGIN { print c + s }')
  wait_until "$seconds s of play" clock_reached "$later"
  read -r -a a <<<"$before"
  read -r -a b <<<"$(eye_place)"
  awk -v x="${a[0]}" -v y="${a[1]}" -v z="${a[2]}" -v X="${b[0]}" -v Y="${b[1]}" -v Z="${b[2]}" \
    'BEGIN { exit !((x - X) ^ 2 + (y - Y) ^ 2 + (z - Z) ^ 2 < 0.0001) }'
}
# True once the game's clock reads at least $1.
clock_reached() { greater "$(game_clock)" "$1" || [ "$(game_clock)" = "$1" ]; }
# Holds `key` down for `seconds` of the game's clock, or until the run ends (a picture
# shows) before that.
hold_for_game_seconds() {
  local key=$1 seconds=$2
  held_until=$(awk -v a="$(game_clock)" -v b="$seconds" 'BEGIN { print a + b }')
  held_long_enough() { clock_reached "$held_until" || [ "$(game_state)" != playing ]; }
  xdotool keydown "$key"
  wait_until "$seconds s of play with $key held" held_long_enough
  xdotool keyup "$key"
}

# Waits until `cmd` succeeds; fails with `what` after the limit.
wait_until() {
  local what=$1; shift
  local start=$SECONDS
  until "$@"; do
    [ $((SECONDS - start)) -ge "$E2E_LIMIT" ] && fail "timed out waiting for $what"
    sleep 0.05
  done
}

game_window() { xdotool search --name '^Zarnhold$' 2>/dev/null | head -1; }
have_window() { [ -n "$(game_window)" ]; }

# Waits for the window and gives it the keyboard focus; fails at once if the game ends.
window_or_exit() { have_window || game_exited; }
# The window is found by name before the server has mapped it, and focusing a window that
# is not yet viewable fails (BadMatch): the keys would then go nowhere. So wait until it is
# viewable and the focus is really on it.
window_focused() {
  xwininfo -id "$E2E_WINDOW" 2>/dev/null | grep -q "Map State: IsViewable" || return 1
  xdotool windowfocus "$E2E_WINDOW" 2>/dev/null
  [ "$(xdotool getwindowfocus 2>/dev/null)" = "$E2E_WINDOW" ]
}
wait_for_window() {
  wait_until "the game window" window_or_exit
  have_window || fail "the game ended before its window opened"
  E2E_WINDOW=$(game_window)
  wait_until "the keyboard focus on the game window" window_focused
}

# Screenshot of the screen, kept as a raw dump, with a quarter-size copy of the window's
# area (1600x900 at the top-left corner on the default screen) in $E2E_TMP/now.png for comparisons. xwd is a
# plain dump: fast enough to catch a picture that is up for a second while the game renders.
shot() {
  xwd -root -silent >"$E2E_TMP/screen.xwd" 2>/dev/null || return 1
  convert "xwd:$E2E_TMP/screen.xwd" -crop "${E2E_WIDTH}x${E2E_HEIGHT}+0+0" +repage -sample 400x225 "$E2E_TMP/now.png" 2>/dev/null
}

# Saves the last screenshot's window area at full size as $E2E_SHOTS/$1.png (when set).
save_shot() {
  [ -n "${E2E_SHOTS:-}" ] || return 0
  mkdir -p "$E2E_SHOTS"
  convert "xwd:$E2E_TMP/screen.xwd" -crop "${E2E_WIDTH}x${E2E_HEIGHT}+0+0" +repage "$E2E_SHOTS/$1.png"
}

# Root-mean-square difference (0..1) between two pictures of the same size.
rmse() {
  compare -metric RMSE "$1" "$2" null: 2>&1 | sed -n 's/.*(\([0-9.e-]*\)).*/\1/p'
}

# Normalised cross-correlation (-1..1) of two pictures of the same size: 1 when one is the
# other brightened or dimmed (as the flickering lights do), about 0 when they are unrelated
# or one is blank.
ncc() {
  compare -metric NCC "$1" "$2" null: 2>&1
}

# True when the number $1 is greater than $2.
greater() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }

# True when the screen shows `reference` (from reference_picture) within `tolerance` RMSE.
# The intro and loading pictures share their backdrop and differ by about 0.06.
screen_shows() {
  local reference=$1 tolerance=${2:-0.035}
  shot || return 1
  local d
  d=$(rmse "$E2E_TMP/now.png" "$reference")
  [ -n "$d" ] && awk -v d="$d" -v t="$tolerance" 'BEGIN { exit !(d < t) }'
}

screen_differs_from() { ! screen_shows "$@"; }

# The generated picture `name` (e.g. Intro) stretched as the window shows it, quarter size.
reference_picture() {
  convert "External/Models/$1.bmp" -resize "${E2E_WIDTH}x${E2E_HEIGHT}!" -sample 400x225 "$E2E_TMP/$1.png"
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

# From the picture `name` (Intro, GameOver or GameWin) to the first playing frame: `key`
# shows the loading picture (a run takes a second or more to build, long enough to be
# seen), then the run replaces it.
start_run_from() {
  local name=$1 key=$2 from loading
  from=$(reference_picture "$name")
  loading=$(reference_picture Loading)
  wait_until "the $name picture" screen_shows "$from"
  shows_loading() { screen_shows "$loading"; }
  hold_key_until "$key" "the loading picture" shows_loading
  save_shot loading
  pass "loading picture on screen after $key on the $name picture"
  neither_picture() { screen_differs_from "$loading" && screen_differs_from "$from"; }
  wait_until "the playing frame" neither_picture
  save_shot playing
  pass "the playing frame replaced the pictures"
}

start_run_from_intro() { start_run_from Intro space; }

# Waits until the screen has shown `count` new frames (the flicker changes every frame).
wait_frames() {
  local count=$1 seen=0
  shot; cp "$E2E_TMP/now.png" "$E2E_TMP/frame.png"
  new_frame() {
    shot || return 1
    greater "$(rmse "$E2E_TMP/now.png" "$E2E_TMP/frame.png")" 0.001 || return 1
    cp "$E2E_TMP/now.png" "$E2E_TMP/frame.png"
  }
  while [ "$seen" -lt "$count" ]; do
    wait_until "a new frame" new_frame
    seen=$((seen + 1))
  done
}
