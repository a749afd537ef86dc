#!/usr/bin/env bash
# A recorded fight ended from outside mid-fight, each way a desktop ends a program: its window
# closed from the title bar, a hang-up (the terminal it was started from closed), the display
# gone (the X server killed). The recording says where it was cut short, and it replays headless
# to that very event.
#   close_mid_fight.sh BIN_DIR OUT_DIR
set -euo pipefail
bin=$1
out=$2
me=close_mid_fight
. "$(dirname "$0")/lib.sh"

# The display goes last: nothing can be shown after it.
for way in close hang-up display; do
  recording="$out/cut-short-$way.txt"
  rm -f "$recording"
  start_game --fight 2 5 --record "$recording" --scale 1
  battle=$(window 'ＦＩＧＨＴ！！')
  sleep 2.5  # past the opening: the fight is live
  for key in Right Right a z Left q s Right a; do
    xdotool key --window "$battle" "$key"
    sleep 0.15
  done
  shot "$battle" "mid-fight-$way"
  case $way in
    close) "$bin/xwin" close 'ＦＩＧＨＴ！！'; want=0 ;;
    hang-up) kill -HUP "$game"; want=0 ;;
    display) kill "$xvfb"; want=1 ;;
  esac
  wait_for_exit 5
  [ "$status" -eq "$want" ] || fail "$way: the game ended with status $status, not $want (see $out/mojara.log)"

  grep -Eq '^[0-9]+ [A-Z0-9]' "$recording" || fail "$way: the recording holds none of the keys pressed"
  cut=$(sed -n 's/^# cut short after event \([0-9]*\)$/\1/p' "$recording")
  [ -n "$cut" ] || fail "$way: the recording does not say where it was cut short"
  [ "$cut" -gt 20 ] || fail "$way: the recording was cut short after event $cut, before the fight was live"

  # Headless, the replay stops at the event the window stopped at.
  "$bin/mojara-sim" fight --replay "$recording" --trace > "$out/replay-trace-$way.jsonl"
  end=$(tail -n 1 "$out/replay-trace-$way.jsonl")
  case "$end" in
    '{"end":"limit","e":'"$cut"','*) ;;
    *) fail "$way: the window stopped after event $cut, the headless replay with: $end" ;;
  esac
  echo "$me: $way after event $cut; the replay stops there too"
done
