#!/usr/bin/env bash
# End to end in a real X server, driven like a player: the title, "Ｐｌａｙ　Ｇａｍｅ", a hover and a
# click on a portrait on the select window, and the fight opens with that fighter on the left.
#   select_and_fight.sh BIN_DIR OUT_DIR [ROSTER_SLOT]
# Screenshots of each window are left in OUT_DIR.
set -euo pipefail
bin=$1
out=$2
slot=${3:-2}
mkdir -p "$out"
rm -f "$out"/*.png

fail() { echo "select_and_fight: $*" >&2; exit 1; }
# The window titles are Japanese. This script's tools read them in UTF-8; the game runs with no
# locale at all, as on a bare system, and must still write its titles right.
export LC_ALL=C.UTF-8

# A display of our own: Xvfb picks a free number and tells us which.
exec 5> "$out/display"
Xvfb -screen 0 1280x1024x24 -nolisten tcp -displayfd 5 > "$out/xvfb.log" 2>&1 &
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

env -u LC_ALL -u LANG -u LANGUAGE -u LC_CTYPE -u LC_MESSAGES QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy \
  "$bin/mojara" --scale 1 > "$out/mojara.log" 2>&1 &
game=$!

window() {  # the visible window with this exact title
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2> /dev/null | head -n 1) && [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.1
  done
  fail "no window '$1' appeared"
}
shot() { import -window "$1" "$out/$2.png"; }

title=$(window 'タイトル')
sleep 0.5
shot "$title" title
# "Ｐｌａｙ　Ｇａｍｅ": the button at 105, 525, 4215 x 330 twips, 15 twips to the pixel.
xdotool mousemove --window "$title" 147 46 click 1

select=$(window 'Ｐｌａｙｅｒ　Ｓｅｌｅｃｔ')
sleep 0.5  # the portrait strip slides in on the window's first tick
# The portrait's centre: the strip at 315, 4410; portrait k at 735k, 750 x 855.
x=$(((315 + 735 * slot + 375) / 15))
y=$(((4410 + 427) / 15))
xdotool mousemove --window "$select" "$x" "$y"
sleep 0.3
shot "$select" select
xdotool mousemove --window "$select" "$((x + 1))" "$y" click 1

battle=$(window 'ＦＩＧＨＴ！！')
sleep 0.4  # still in the opening: the sprites show the load's pictures
shot "$battle" battle

# Which fighter stands on the left? Compare side 0's sprite (2415, 3885, 855 x 1065 twips) with
# every fighter's first facing-right picture, drawn the same way over the window's background.
convert "$out/battle.png" -crop 57x71+161+259 +repage "$out/left.png"
best=-1
bestScore=
for k in 0 1 2 3 4 5 6 7; do
  convert "$bin/pictures/sprites.png" -crop 32x32+0+$((64 * k)) +repage -filter point -resize '57x71!' \
    -background '#ffc0c0' -flatten "$out/expected$k.png"
  score=$(compare -metric AE -fuzz 10% "$out/left.png" "$out/expected$k.png" null: 2>&1 || true)
  echo "fighter $k: $score differing pixels" >> "$out/compare.log"
  if [ -z "$bestScore" ] || [ "${score%%.*}" -lt "$bestScore" ]; then bestScore=${score%%.*}; best=$k; fi
done
[ "$best" = "$slot" ] || fail "the left fighter looks like roster slot $best, not $slot (see $out)"
echo "select_and_fight: the fight opened with roster slot $slot on the left ($bestScore pixels off)"
