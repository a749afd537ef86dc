#!/usr/bin/env bash
# The windows as a player meets them, attract mode on: the help opened over the title holds off
# the demo fight however long it is read; its close button closes only the help; full screen and
# back puts the title window where it was; the title's close button ends the game at once, and
# what the player changed is in the settings file.
#   windows_as_a_player.sh BIN_DIR OUT_DIR
set -euo pipefail
bin=$1
out=$2
me=windows_as_a_player
. "$(dirname "$0")/lib.sh"

start_game --scale 1
title=$(window 'タイトル')
placed=$(geometry "$title")

xdotool key --window "$title" F1
help=$(window 'HELP')
sleep 1
xdotool key --window "$help" Down  # the next topic
# Longer than the title's 30 s of quiet before a demo fight starts by itself.
sleep 32
shot root help-after-32s
visible 'ＦＩＧＨＴ！！' && fail "a demo fight started while the help window was open"
visible 'タイトル' || fail "the title went away while the help window was open"

"$bin/xwin" close 'HELP'
sleep 0.5
visible 'HELP' && fail "the help's close button left it open"
kill -0 "$game" 2> /dev/null || fail "closing the help ended the game"
visible 'タイトル' || fail "closing the help took the title with it"

xdotool key --window "$title" F11
sleep 0.5
[ "$(geometry "$title")" = "0 0 1280 1024" ] || fail "full screen is $(geometry "$title"), not the screen"
shot "$title" title-full-screen
# The form at scale 3 (296 x 309 pixels at scale 1), centred on black: its grey frame starts at
# 196, 48.
pixel() { convert "$out/title-full-screen.png" -format "%[pixel:p{$1,$2}]" info:; }
[ "$(pixel 190 40)" = "srgb(0,0,0)" ] || fail "full screen's border is $(pixel 190 40), not black"
[ "$(pixel 200 52)" = "srgb(128,128,128)" ] || fail "the title's frame is $(pixel 200 52) in full screen"
xdotool key --window "$title" F11
sleep 0.5
[ "$(geometry "$title")" = "$placed" ] || fail "back from full screen at $(geometry "$title"), not $placed"

xdotool key --window "$title" bracketleft  # the music a step softer: a setting to keep
sleep 0.3
"$bin/xwin" close 'タイトル'
wait_for_exit 3
[ "$status" -eq 0 ] || fail "closing the title ended the game with status $status (see $out/mojara.log)"
settings="$XDG_CONFIG_HOME/mojara/settings.ini"
grep -qx 'music=7' "$settings" || fail "the softer music was not kept in $settings"
grep -qx 'fullScreen=false' "$settings" || fail "leaving full screen was not kept in $settings"
echo "$me: the help held off the demo, full screen came back to $placed, the close ended the game"
