#!/usr/bin/env bash
# The windowed program's cost, as a player's machine pays it: how long from exec until the title
# window is on screen, how much of a core a fight takes, how much memory it holds, and how soon
# a close from the title bar ends it.
#
#   bench/window_bench.sh [BUILD_DIR]        (default: build)
#
# Runs on its own Xvfb display. Figures are medians of a few runs; run it on a quiet machine.
# Set RUNS (start-up runs, default 7) and FIGHT_SECONDS (default 20) to change the length.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
game=$build/bin/mojara
runs=${RUNS:-7}
fight_seconds=${FIGHT_SECONDS:-20}
xwin=$build/bin/xwin
[[ -x $game && -x $xwin ]] || { echo "window_bench: no $game or $xwin; build the game first" >&2; exit 2; }

# Settings of its own, so that the player's (full screen, say) do not change the figures.
export XDG_CONFIG_HOME=$(mktemp -d)
# A display of our own; -noreset keeps it up between one game and the next.
displayfile=$(mktemp)
exec 5> "$displayfile"
Xvfb -screen 0 1280x1024x24 -nolisten tcp -noreset -displayfd 5 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$displayfile" "$XDG_CONFIG_HOME"' EXIT
for _ in $(seq 50); do [[ -s $displayfile ]] && break; sleep 0.1; done
[[ -s $displayfile ]] || { echo "window_bench: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -n 1 "$displayfile")

now_ms() { date +%s%3N; }
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
ticks_of() { awk '{print $14 + $15}' "/proc/$1/stat"; }  # user + system, in clock ticks

# From exec to the title window on screen with its first frame drawn.
startup() {
  local driver=$1 start pid
  start=$(now_ms)
  SDL_AUDIODRIVER=$driver "$game" --no-attract >/dev/null 2>&1 &
  pid=$!
  "$xwin" painted 'タイトル' 10000 >/dev/null || { kill "$pid"; exit 1; }
  echo $(($(now_ms) - start))
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

# From a title-bar close (WM_DELETE_WINDOW) of the window titled $2 to the process's end, in ms.
close_time() {
  local driver=$1 title=$2 pid start
  shift 2
  SDL_AUDIODRIVER=$driver "$game" "$@" >/dev/null 2>&1 &
  pid=$!
  "$xwin" painted "$title" 10000 >/dev/null || { kill "$pid"; exit 1; }
  sleep 3  # a fight well under way, its music playing
  start=$(date +%s%N)
  "$xwin" close "$title"
  while kill -0 "$pid" 2>/dev/null; do sleep 0.002; done
  echo $((($(date +%s%N) - start) / 1000000))
}

# Share of one core over FIGHT_SECONDS of a demo fight (after its first 3 s), and peak RSS in MB.
fight() {
  local driver=$1 pid before after hz
  hz=$(getconf CLK_TCK)
  SDL_AUDIODRIVER=$driver "$game" --fight 0 3 --demo >/dev/null 2>&1 &
  pid=$!
  sleep 3
  before=$(ticks_of "$pid")
  sleep "$fight_seconds"
  after=$(ticks_of "$pid")
  local peak
  peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  awk -v t=$((after - before)) -v hz="$hz" -v s="$fight_seconds" -v kb="$peak" \
    'BEGIN {printf "%.2f %% of a core, peak RSS %.1f MB\n", 100 * t / hz / s, kb / 1024}'
}

for driver in none dummy; do
  startup "$driver" >/dev/null  # the first start warms the file cache and fontconfig's
  ms=$(for _ in $(seq "$runs"); do startup "$driver"; done | median)
  echo "sound $driver: start-up to the title window ${ms} ms (median of $runs)"
  echo "sound $driver: fight $(fight "$driver")"
  ms=$(for _ in $(seq 3); do close_time "$driver" 'タイトル' --no-attract; done | median)
  echo "sound $driver: closing the title ends the program in ${ms} ms (median of 3)"
  ms=$(for _ in $(seq 3); do close_time "$driver" 'ＦＩＧＨＴ！！' --fight 0 3 --demo; done | median)
  echo "sound $driver: closing a fight ends the program in ${ms} ms (median of 3)"
done
