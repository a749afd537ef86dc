#!/usr/bin/env bash
# The game without a mouse, as a player with only a keyboard plays it: the help opened with F1, a
# topic chosen with the arrow keys and Escape to close it; the versus window opened with F3 and
# Enter on the title, which starts the one-player game and closes the versus window, saying so; on
# the select window the arrow keys move the pointer over the portraits and down to the speed bar,
# and Enter picks the fighter under it: the fight opens with that fighter and that speed.
#   keyboard_only.sh BIN_DIR OUT_DIR
set -euo pipefail
bin=$1
out=$2
me=keyboard_only
. "$(dirname "$0")/lib.sh"

gone() {  # waits up to 2 s for the window with this title to go
  for _ in $(seq 40); do visible "$1" || return 0; sleep 0.05; done
  return 1
}
# Yellow pixels (the keyboard's mark) in a screenshot's area: WIDTHxHEIGHT+X+Y.
yellow() {
  convert "$out/$1.png" -crop "$2" +repage -fill black +opaque '#ffff00' -fill white -opaque '#ffff00' \
    -format '%[fx:int(mean*w*h+0.5)]' info:
}

recording="$out/fight.txt"
rm -f "$recording"
start_game --scale 1 --no-attract --record "$recording"
title=$(window 'タイトル')

press_switching "$title" F1
help=$(window 'HELP')
sleep 0.3
xdotool key --window "$help" Down Down  # the list has the keyboard: the second topic
sleep 0.3
shot "$help" help-topic
press_switching "$help" Escape
gone 'HELP' || fail "Escape did not close the help"

press_switching "$title" F3
window '対戦' > /dev/null
xdotool windowfocus --sync "$title"
press_switching "$title" Return
select=$(window 'Ｐｌａｙｅｒ　Ｓｅｌｅｃｔ')
gone '対戦' || fail "the versus window stayed open beside the game"
sleep 0.3
shot "$select" select-notice

# The strip lies at 315, 4410 twips, portrait k at 735k: at scale 1, 21 + 49k, 294 pixels; the
# mark's top edge is the two rows above it.
xdotool key --window "$select" Right  # the first key shows the pointer, on the first portrait
sleep 0.2
shot "$select" pointer-shown
[ "$(yellow pointer-shown 54x2+19+292)" -gt 40 ] || fail "no pointer over the first portrait (see $out)"
xdotool key --window "$select" Right Right Down Left Up
sleep 0.3
shot "$select" pointer-moved
[ "$(yellow pointer-moved 54x2+117+292)" -gt 40 ] || fail "the pointer is not over the third portrait (see $out)"
[ "$(yellow pointer-moved 54x2+19+292)" -eq 0 ] || fail "the pointer's mark stayed on the first portrait"
press_switching "$select" Return
battle=$(window 'ＦＩＧＨＴ！！')
sleep 0.5
shot "$battle" fight
grep -Eq '^# fight 2 [0-7] --seed [0-9]+ --speed 4 ' "$recording" ||
  fail "the fight is not fighter 2 at speed 4: $(sed -n 2p "$recording")"
"$bin/xwin" close 'ＦＩＧＨＴ！！'
wait_for_exit 5
echo "$me: the keyboard alone took the game from the title into fighter 2's fight at speed 4"

# A controller cannot be driven from outside the game: SDL attaches its virtual joystick only inside
# its own process (a pad made by the kernel's uinput would need /dev/uinput and udev). The same
# path, a controller alone from the title into the first fight, runs in pad_tests.
echo "$me: the controller alone is played in pad_tests (AControllerAloneTakesThePlayerFromTheTitleIntoTheFirstFight)"
