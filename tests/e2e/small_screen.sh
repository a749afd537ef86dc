#!/usr/bin/env bash
# A scale an 800 x 600 screen has no room for, from the command line or kept in the settings, is
# drawn at the largest that fits and said once; the title and the key-settings window open wholly
# on the screen, and the kept scale stays in the file for a larger screen.
#   small_screen.sh BIN_DIR OUT_DIR
set -euo pipefail
bin=$1
out=$2
me=small_screen
screen=800x600
. "$(dirname "$0")/lib.sh"

on_screen() {  # a window id, what it is
  local x y w h
  read -r x y w h <<< "$(geometry "$1")"
  [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le 800 ] && [ $((y + h)) -le 600 ] ||
    fail "$2 is at $x,$y, ${w}x$h: not wholly on the 800 x 600 screen"
}
settings="$XDG_CONFIG_HOME/mojara/settings.ini"
for run in command-line kept; do
  if [ $run = kept ]; then
    mkdir -p "$(dirname "$settings")"
    printf '[window]\nscale=8\n' > "$settings"
    start_game
  else
    start_game --scale 8
  fi
  title=$(window 'タイトル')
  on_screen "$title" "the title"
  [ "$(grep -c 'scale 8 does not fit this screen' "$out/mojara.log")" -eq 1 ] ||
    fail "the game did not say once that scale 8 does not fit (see $out/mojara.log)"
  press_switching "$title" F2
  on_screen "$(window 'キー設定')" "the key-settings window"
  shot root "$run"
  "$bin/xwin" close 'タイトル'
  wait_for_exit 5
done
grep -qx 'scale=8' "$settings" || fail "the kept scale was not kept for a larger screen: $(cat "$settings")"
echo "small_screen: scale 8 on 800 x 600 is drawn at the largest that fits, every window on the screen"
