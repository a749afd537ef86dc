#!/usr/bin/env bash
# End to end in a real X server, driven like a player: the title, "Ｐｌａｙ　Ｇａｍｅ", a hover and a
# click on a portrait on the select window, and the fight opens with that fighter on the left.
#   select_and_fight.sh BIN_DIR OUT_DIR [ROSTER_SLOT]
# Screenshots of each window are left in OUT_DIR.
set -euo pipefail
bin=$1
out=$2
slot=${3:-2}
me=select_and_fight
. "$(dirname "$0")/lib.sh"

start_game --scale 1

title=$(window 'タイトル')
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
