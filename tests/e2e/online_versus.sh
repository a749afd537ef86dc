#!/usr/bin/env bash
# Two players online, as they meet the game, on one display: one game hosts (mojara --host) and
# shows its room code large with the invitation; the other opens its versus window with F3, is
# turned away for a wrong code, then joins with the invitation the host's copy button put on the
# clipboard, pasted into the address box. Each picks with their own keys and says ready; the
# fight plays in both battle windows, with keys pressed in both and the ping in their titles;
# both versus windows come back with the same winner, both recordings are the same file and
# replay headless to the end the windows showed.
# Then a rematch, whose joiner is killed mid-fight: the host's versus window says the other player
# fell silent, and the host closes as usual.
#   online_versus.sh BIN_DIR OUT_DIR
set -euo pipefail
bin=$1
out=$2
me=online_versus
. "$(dirname "$0")/lib.sh"

# Two games: the host's pid in $game (lib.sh's), the joiner's in $joiner.
joiner=
trap 'cleanup; [ -n "$joiner" ] && kill "$joiner" 2> /dev/null || true' EXIT
start_peer() {  # log name, arguments...
  local log=$1
  shift
  env -u LC_ALL -u LANG -u LANGUAGE -u LC_CTYPE -u LC_MESSAGES QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy \
    XDG_CONFIG_HOME="$out/config-$log" "$bin/mojara" "$@" > "$out/$log.log" 2>&1 &
}
# The window of this exact title that a game's process shows.
window_of() {  # pid, title
  local w
  for _ in $(seq 100); do
    w=$(xdotool search --all --onlyvisible --pid "$1" --name "^$2\$" 2> /dev/null | head -n 1)
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.1
  done
  fail "no window '$2' of process $1 appeared"
}
battles() {  # the battle windows, whose titles carry the ping
  xdotool search --onlyvisible --name '^ＦＩＧＨＴ！！' 2> /dev/null || true
}
# Which player's colour the result line at the top of a versus window is drawn in: 1 or 2.
winner_shown() {  # screenshot
  local red blue
  red=$(convert "$1" -crop "${width}x22+0+4" +repage txt:- | grep -c '#DC0000' || true)
  blue=$(convert "$1" -crop "${width}x22+0+4" +repage txt:- | grep -c '#0040DC' || true)
  if [ "$red" -gt 0 ] && [ "$blue" -eq 0 ]; then echo 1; elif [ "$blue" -gt 0 ] && [ "$red" -eq 0 ]; then echo 2; else echo none; fi
}
keys() {  # window, keys...: pressed in that window while it has the focus
  local w=$1
  shift
  xdotool windowfocus --sync "$w"
  for key in "$@"; do
    xdotool key --window "$w" "$key"
    sleep 0.05
  done
}

rm -f "$out"/host*.txt "$out"/join*.txt
# Fast timers (the host's hold for both), so that a fight takes seconds.
start_peer host --scale 1 --no-attract --record "$out/host.txt" --timer-resolution 15 --host 0
game=$!
host=$(window_of "$game" '対戦')
for _ in $(seq 50); do grep -q 'waiting for a player on UDP port' "$out/host.log" && break; sleep 0.1; done
port=$(sed -n 's/.*waiting for a player on UDP port \([0-9]*\).*/\1/p' "$out/host.log")
code=$(sed -n 's/.*room code \([A-Z0-9-]*\).*/\1/p' "$out/host.log")
[ -n "$port" ] && [ -n "$code" ] || fail "the host did not say its port and code (see $out/host.log)"
# The invitation at this machine's first address; none when it has no network but its own.
invitation=$(sed -n 's/.*, invitation \([^ ]*\)$/\1/p' "$out/host.log")
xdotool windowmove "$host" 0 0
shot "$host" host-waiting
width=$(geometry "$host" | cut -d' ' -f3)
# The strip under the buttons (y 216 at scale 1): the status lines, then the room's code drawn
# large (y 276 to 308) beside the copy button, then the invitation.
convert "$out/host-waiting.png" -crop "${width}x122+0+216" +repage "$out/host-room.png"
inked() {  # screenshot, geometry: how many near-black pixels it has there
  convert "$1" -crop "$2" +repage -fx 'intensity < 0.25 ? 1 : 0' -format '%[fx:int(mean*w*h)]' info:
}
[ "$(inked "$out/host-waiting.png" "120x24+88+280")" -gt 400 ] || fail "the host's strip shows no room code (see $out/host-room.png)"
if [ -n "$invitation" ]; then
  [ "$(inked "$out/host-waiting.png" "200x14+8+318")" -gt 100 ] ||
    fail "the host's strip shows no invitation (see $out/host-room.png)"
fi

start_peer join --scale 1 --no-attract --record "$out/join.txt" --timer-resolution 15
joiner=$!
title=$(window_of "$joiner" 'タイトル')
sleep 0.5
press_switching "$title" F3
guest=$(window_of "$joiner" '対戦')
xdotool windowmove "$guest" 640 0
sleep 0.3
# The address box, right of "host a game" under the fight button. First with another code: the
# host turns the joiner away, says so in the joiner's strip, and goes on waiting.
wrong=ABCD-EFGH
[ "$code" = "$wrong" ] && wrong=HJKL-MNPQ
xdotool windowfocus --sync "$guest"
xdotool mousemove --window "$guest" 158 227 click 1
sleep 0.2
xdotool type --window "$guest" "127.0.0.1:$port/$wrong"
xdotool key Return
for _ in $(seq 50); do grep -q 'the versus window says' "$out/join.log" && break; sleep 0.1; done
grep -q 'the versus window says: ルームコードがちがいます$' "$out/join.log" ||
  fail "the joiner's strip did not say the code was wrong (see $out/join.log)"
sleep 0.3
shot "$guest" join-wrong-code
grep -q 'the online game has ended' "$out/host.log" && fail "the host stopped waiting after a wrong code (see $out/host.log)"
# Then the invitation: copied by the host's button (right of the code), pasted over the box's
# text. Without one (no network but this machine's own), the address and code are typed.
if [ -n "$invitation" ]; then
  xdotool windowfocus --sync "$host"
  xdotool mousemove --window "$host" $((width - 40)) 292 click 1
  sleep 0.3
  shot "$host" host-copied
fi
xdotool windowfocus --sync "$guest"
xdotool mousemove --window "$guest" 158 227 click 1
sleep 0.2
xdotool key ctrl+a
if [ -n "$invitation" ]; then xdotool key ctrl+v; else xdotool type "127.0.0.1:$port/$code"; fi
sleep 0.2
shot "$guest" join-box
xdotool key Return
sleep 1
[ "$(grep -c 'the versus window says' "$out/join.log")" -eq 1 ] ||
  fail "the joiner could not join with the invitation (see $out/join.log)"

# Player 1 picks slot 2 (→ →); player 2, on player 2's keys, slot 4 (L L L from slot 1).
keys "$host" Right Right
keys "$guest" l l l
sleep 0.5
shot "$host" lobby-host
shot "$guest" lobby-join
keys "$host" a
sleep 0.3
shot "$guest" lobby-join-host-ready
keys "$guest" u

for _ in $(seq 100); do [ "$(battles | wc -l)" -eq 2 ] && break; sleep 0.1; done
[ "$(battles | wc -l)" -eq 2 ] || fail "the fight did not open in both games"
set -- $(battles)
fight1=$1 fight2=$2
xdotool windowmove "$fight1" 0 0
xdotool windowmove "$fight2" 0 420
sleep 1
# Both players walk in and hit, each in their own window, player 2 on player 1's keys.
for _ in 1 2 3; do
  keys "$fight1" Right Right a z
  keys "$fight2" Left Left a z
done
shot "$fight1" fight-1
shot "$fight2" fight-2
for w in "$fight1" "$fight2"; do
  name=$(xdotool getwindowname "$w")
  echo "$name" > "$out/fight-title-$w.txt"
  case "$name" in *' ms'*) ;; *) fail "no ping in the battle window's title: '$name'" ;; esac
done

# The fight runs to its end; both versus windows come back with its result.
for _ in $(seq 600); do
  [ "$(battles | wc -l)" -eq 0 ] && visible '対戦' && break
  sleep 0.1
done
sleep 1
shot "$host" result-host
shot "$guest" result-join
shown=$(winner_shown "$out/result-host.png")
[ "$shown" != none ] || fail "the host's versus window shows no winner"
[ "$(winner_shown "$out/result-join.png")" = "$shown" ] || fail "the two versus windows show different winners"
cmp -s "$out/host.txt" "$out/join.txt" || fail "the two recordings differ (diff $out/host.txt $out/join.txt)"
grep -Eq '^[0-9]+ 2:' "$out/host.txt" || fail "the recording holds none of player 2's keys"
grep -Eq '^[0-9]+ [A-Z]' "$out/host.txt" || fail "the recording holds none of player 1's keys"
grep -q '^# fight over after event' "$out/host.txt" || fail "the recording does not say the fight was decided"
"$bin/mojara-sim" fight --replay "$out/host.txt" --timer-resolution 15 > "$out/replay-end.json"
case "$shown:$(cat "$out/replay-end.json")" in
  '1:{"end":"Form5"'* | '2:{"end":"Form6"'*) ;;
  *) fail "the replay ended otherwise than the windows showed (player $shown won): $(cat "$out/replay-end.json")" ;;
esac

# The rematch: both ready again; the joiner's program is killed mid-fight.
keys "$host" a
keys "$guest" u
for _ in $(seq 100); do [ "$(battles | wc -l)" -eq 2 ] && break; sleep 0.1; done
[ "$(battles | wc -l)" -eq 2 ] || fail "the rematch did not open in both games"
sleep 2
{ kill -9 "$joiner" && wait "$joiner"; } 2> /dev/null || true
joiner=
# Within the 5 s of silence allowed (and a margin), the host's versus window says so.
for _ in $(seq 100); do
  [ "$(battles | wc -l)" -eq 0 ] && visible '対戦' && break
  sleep 0.1
done
visible '対戦' || fail "the host's versus window did not come back when the other player was lost"
sleep 0.5
shot "$host" peer-lost
grep -q "the other player's program has been silent for 5 s" "$out/host.log" ||
  fail "the host did not say the other player fell silent (see $out/host.log)"
grep -q '^# cut short after event' "$out/host-2.txt" || fail "the rematch's recording does not say it was cut short"
"$bin/mojara-sim" fight --replay "$out/host-2.txt" --timer-resolution 15 > "$out/replay-2-end.json" || true
case "$(cat "$out/replay-2-end.json")" in
  '{"end":"limit"'*) ;;
  *) fail "the cut-short rematch did not replay to where it stopped: $(cat "$out/replay-2-end.json")" ;;
esac

"$bin/xwin" close '対戦'
window 'タイトル' > /dev/null
"$bin/xwin" close 'タイトル'
wait_for_exit 5
[ "$status" -eq 0 ] || fail "the host's game ended with status $status (see $out/host.log)"
echo "$me: a room code shown and refused when wrong, a join with the copied invitation, picks, a fight in both windows, the same recording, a rematch cut by a lost player"
