# Shared by the end-to-end scripts: a display of their own, the game's windows found by title,
# screenshots, and failure. Source it after setting `bin` (the build's bin folder), `out` (where
# logs and screenshots go) and `me` (the script's name, for messages).
# `screen` (WIDTHxHEIGHT) sets the size of the display, 1280x1024 unless set.

fail() { echo "$me: $*" >&2; exit 1; }
# The window titles are Japanese. The scripts' tools read them in UTF-8; the game runs with no
# locale at all, as on a bare system, and must still write its titles right.
export LC_ALL=C.UTF-8

mkdir -p "$out"
rm -f "$out"/*.png
# Settings of the test's own, fresh each run: never the player's.
export XDG_CONFIG_HOME="$out/config"
rm -rf "$XDG_CONFIG_HOME"

# A display of our own: Xvfb picks a free number and tells us which. -noreset keeps it up when
# one game ends and the next has not yet connected.
exec 5> "$out/display"
Xvfb -screen 0 "${screen:-1280x1024}x24" -nolisten tcp -noreset -displayfd 5 > "$out/xvfb.log" 2>&1 &
xvfb=$!
game=
cleanup() {
  [ -n "$game" ] && kill "$game" 2> /dev/null || true
  kill "$xvfb" 2> /dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do [ -s "$out/display" ] && break; sleep 0.1; done
[ -s "$out/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$out/display")"

# Starts the game in the background with no locale, sound on SDL's dummy driver; its pid in $game.
start_game() {
  env -u LC_ALL -u LANG -u LANGUAGE -u LC_CTYPE -u LC_MESSAGES QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy \
    "$bin/mojara" "$@" > "$out/mojara.log" 2>&1 &
  game=$!
}

window() {  # the visible window with this exact title, once its first frame is drawn
  "$bin/xwin" painted "$1" 10000 || fail "no window '$1' appeared"
}
visible() {  # whether a window with this exact title is on screen
  [ -n "$(xdotool search --onlyvisible --name "^$1\$" 2> /dev/null | head -n 1)" ]
}
# A key that opens or closes a window. xdotool sends a key to a window through XTEST while that
# window has the focus and as a synthetic event otherwise, so when the press moves the focus the
# release can go astray and the X server keeps the key held, repeating it into the next window
# that has the focus. The press goes to the window; the release goes through XTEST.
press_switching() {  # window id, key
  xdotool keydown --window "$1" "$2"
  xdotool keyup "$2"
}
shot() { import -window "$1" "$out/$2.png"; }  # a window id, or root
geometry() {  # x y width height of a window, as the X server has it
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

# Waits up to $1 seconds for the game to end; leaves its exit status in $status.
wait_for_exit() {
  local waited=0
  while kill -0 "$game" 2> /dev/null; do
    [ "$waited" -ge $(($1 * 20)) ] && fail "the game was still running $1 s later"
    sleep 0.05
    waited=$((waited + 1))
  done
  status=0
  wait "$game" || status=$?
  game=
}
