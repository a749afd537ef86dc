#!/usr/bin/env bash
# A recorded fight closed from its title bar mid-fight, as a player closes it: the program ends
# at once, the recording says where it was cut short, and it replays headless to that very event.
#   close_mid_fight.sh BIN_DIR OUT_DIR
set -euo pipefail
bin=$1
out=$2
me=close_mid_fight
. "$(dirname "$0")/lib.sh"

recording="$out/cut-short.txt"
rm -f "$recording"
start_game --fight 2 5 --record "$recording" --scale 1
battle=$(window 'ＦＩＧＨＴ！！')
sleep 2.5  # past the opening: the fight is live
for key in Right Right a z Left q s Right a; do
  xdotool key --window "$battle" "$key"
  sleep 0.15
done
shot "$battle" mid-fight
"$bin/xwin" close 'ＦＩＧＨＴ！！'
wait_for_exit 3
[ "$status" -eq 0 ] || fail "closing the fight ended the game with status $status (see $out/mojara.log)"

grep -Eq '^[0-9]+ [A-Z0-9]' "$recording" || fail "the recording holds none of the keys pressed"
cut=$(sed -n 's/^# cut short after event \([0-9]*\)$/\1/p' "$recording")
[ -n "$cut" ] || fail "the recording does not say where it was cut short"
[ "$cut" -gt 20 ] || fail "the recording was cut short after event $cut, before the fight was live"

# Headless, the replay stops at the event the window stopped at.
"$bin/mojara-sim" fight --replay "$recording" --trace > "$out/replay-trace.jsonl"
end=$(tail -n 1 "$out/replay-trace.jsonl")
case "$end" in
  '{"end":"limit","e":'"$cut"','*) ;;
  *) fail "the window stopped after event $cut, the headless replay with: $end" ;;
esac
echo "$me: closed after event $cut; the replay stops there too"
