#!/usr/bin/env bash
# The windows on a small screen (800 x 600): a scale it has no room for, from the command line or
# kept in the settings, is drawn at the largest that fits and said once on standard error; the
# title and the key-settings window open wholly on the screen; the kept scale stays in the file.
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
said_once() {  # what standard error says
  [ "$(grep -c -- "$1" "$out/mojara.log")" -eq 1 ] || fail "the game did not say '$1' once (see $out/mojara.log)"
}

start_game --scale 8
title=$(window 'タイトル')
on_screen "$title" "the title"
shot root title-scale-8
said_once '--scale 8 does not fit this screen'
press_switching "$title" F2
keys=$(window 'キー設定')
on_screen "$keys" "the key-settings window"
shot root keys-scale-8
"$bin/xwin" close 'タイトル'
wait_for_exit 5

settings="$XDG_CONFIG_HOME/mojara/settings.ini"
mkdir -p "$(dirname "$settings")"
printf '[window]\nscale=8\n' > "$settings"
start_game
title=$(window 'タイトル')
on_screen "$title" "the title at the kept scale"
said_once 'the kept scale 8 does not fit this screen'
"$bin/xwin" close 'タイトル'
wait_for_exit 5
grep -qx 'scale=8' "$settings" || fail "the kept scale was not kept for a larger screen: $(cat "$settings")"
echo "small_screen: scale 8 on 800 x 600 drawn at the largest that fits, every window on the screen"
