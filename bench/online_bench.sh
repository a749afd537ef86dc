#!/usr/bin/env bash
# What playing online costs the windowed program: the share of a core (user + system) of a versus
# fight at one keyboard, then of an online fight over 127.0.0.1, for the host's program and the
# joiner's, over the same stretch of fight at the game's own pace.
#
#   bench/online_bench.sh [BUILD_DIR]        (default: build)
#
# Runs on its own Xvfb display with SDL's dummy sound. Set FIGHT_SECONDS (default 60) to change
# the stretch measured; run it on a quiet machine.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
game=$build/bin/mojara
span=${FIGHT_SECONDS:-60}
[[ -x $game ]] || { echo "online_bench: no $game; build the game first" >&2; exit 2; }
command -v xdotool >/dev/null || { echo "online_bench: needs xdotool" >&2; exit 2; }

work=$(mktemp -d)
exec 5> "$work/display"
Xvfb -screen 0 1280x1024x24 -nolisten tcp -noreset -displayfd 5 >/dev/null 2>&1 &
xvfb=$!
pids=()
trap 'kill "${pids[@]}" $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 50); do [[ -s $work/display ]] && break; sleep 0.1; done
[[ -s $work/display ]] || { echo "online_bench: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -n 1 "$work/display") LC_ALL=C.UTF-8

ticks_of() { awk '{print $14 + $15}' "/proc/$1/stat"; }  # user + system, in clock ticks
hz=$(getconf CLK_TCK)
share() { awk -v t="$1" -v hz="$hz" -v s="$span" 'BEGIN {printf "%.2f %% of a core", 100 * t / hz / s}'; }
start() {  # name, arguments...: the game in the background, its pid in $pid
  local name=$1
  shift
  SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME="$work/config-$name" "$game" --scale 1 --no-attract "$@" \
    > "$work/$name.log" 2>&1 &
  pid=$!
  pids+=("$pid")
}
window_of() {  # pid, title pattern: waits for that process's window
  local w
  for _ in $(seq 100); do
    w=$(xdotool search --all --onlyvisible --pid "$1" --name "$2" 2>/dev/null | head -n 1 || true)
    [[ -n $w ]] && { echo "$w"; return 0; }
    sleep 0.1
  done
  echo "online_bench: no window $2" >&2
  exit 1
}

start local --versus 2 4
window_of "$pid" '^ＦＩＧＨＴ' >/dev/null
sleep 3
before=$(ticks_of "$pid")
sleep "$span"
echo "versus at one keyboard: $(share $(($(ticks_of "$pid") - before)))"
kill "$pid"

start host --host 0
host=$pid
window_of "$host" '^対戦$' >/dev/null
for _ in $(seq 50); do grep -q 'UDP port' "$work/host.log" && break; sleep 0.1; done
port=$(sed -n 's/.*UDP port \([0-9]*\).*/\1/p' "$work/host.log")
code=$(sed -n 's/.*room code \([A-Z0-9-]*\).*/\1/p' "$work/host.log")
start join --join "127.0.0.1:$port/$code"
join=$pid
sleep 2
for p in "$host" "$join"; do  # both ready: punch in each versus window
  w=$(window_of "$p" '^対戦$')
  xdotool windowfocus --sync "$w" key --window "$w" a
done
window_of "$host" '^ＦＩＧＨＴ' >/dev/null
window_of "$join" '^ＦＩＧＨＴ' >/dev/null
sleep 3
h=$(ticks_of "$host") j=$(ticks_of "$join")
sleep "$span"
h=$(($(ticks_of "$host") - h)) j=$(($(ticks_of "$join") - j))
echo "online, the host's program: $(share "$h")"
echo "online, the joiner's program: $(share "$j")"
echo "online, both programs: $(share $((h + j)))"
