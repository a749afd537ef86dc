#!/usr/bin/env bash
# Two players as they meet the game: F2 on the title opens the key-settings window and Escape
# closes it; F3 opens the versus window, where each player picks with their own walk keys and
# punch starts the fight; the second player's keys steer side 1, the recording holds them and
# replays headless to the same end; after the fight the versus window says who won, and closing
# it brings the title back.
#   two_players.sh BIN_DIR OUT_DIR
set -euo pipefail
bin=$1
out=$2
me=two_players
. "$(dirname "$0")/lib.sh"

recording="$out/versus.txt"
rm -f "$recording"
# Fast timers, so that the fight runs to its time-up in seconds.
start_game --scale 1 --no-attract --record "$recording" --timer-resolution 5
title=$(window 'タイトル')

press_switching "$title" F2
keys=$(window 'キー設定')
shot "$keys" keys
press_switching "$keys" Escape
for _ in $(seq 40); do visible 'キー設定' || break; sleep 0.05; done
visible 'キー設定' && fail "Escape did not close the key-settings window"
# Open again, and closed as a desktop closes it.
press_switching "$title" F2
window 'キー設定' > /dev/null
"$bin/xwin" close 'キー設定'
for _ in $(seq 40); do visible 'キー設定' || break; sleep 0.05; done
visible 'キー設定' && fail "the key-settings window's close button did not close it"

press_switching "$title" F3
versus=$(window '対戦')
# Player 1 picks slot 2 with → →, player 2 slot 5 with L L L L (from their start at 0 and 1).
for key in Right Right l l l l; do
  xdotool key --window "$versus" "$key"
  sleep 0.05
done
shot "$versus" picks
press_switching "$versus" a
battle=$(window 'ＦＩＧＨＴ！！')
sleep 1
# Player 2 walks side 1 towards player 1 and punches; player 1 kicks.
for key in j j j u u z j u; do
  xdotool key --window "$battle" "$key"
  sleep 0.1
done
shot "$battle" fight
# The fight runs to its end; the versus window comes back with the result.
versus=$("$bin/xwin" painted '対戦' 120000) || fail "the versus window did not come back after the fight"
shot "$versus" result
grep -q -- '--versus' "$recording" || fail "the recording is not of a versus fight"
grep -Eq '^[0-9]+ 2:' "$recording" || fail "the recording holds none of player 2's keys"
"$bin/mojara-sim" fight --replay "$recording" --trace > "$out/replay-trace.jsonl"
# Player 2's first walk moves side 1 on the event it comes before, in the replay as in the window.
first=$(sed -n 's/^\([0-9]*\) 2:LEFT$/\1/p' "$recording" | head -n 1)
[ -n "$first" ] || fail "the recording holds no walk of player 2"
python3 - "$out/replay-trace.jsonl" "$first" << 'PY' || fail "player 2's walk at event $first did not move side 1"
import json, sys
x = {}
for line in open(sys.argv[1]):
    event = json.loads(line)
    if "XPOS" in event: x[event["e"]] = event["XPOS"][1]
first = int(sys.argv[2])
sys.exit(0 if x[first] != x[first - 1] else 1)
PY
case "$(tail -n 1 "$out/replay-trace.jsonl")" in
  '{"end":"Form5"'* | '{"end":"Form6"'*) ;;
  *) fail "the replayed fight did not end with a winner: $(tail -n 1 "$out/replay-trace.jsonl")" ;;
esac

"$bin/xwin" close '対戦'
title=$(window 'タイトル')
sleep 0.5
visible '対戦' && fail "the versus window came back after it was closed"
"$bin/xwin" close 'タイトル'
wait_for_exit 5
[ "$status" -eq 0 ] || fail "the game ended with status $status (see $out/mojara.log)"
echo "$me: keys window, versus picks, a fight of two players and its replay, back to the title"
