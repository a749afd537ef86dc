#!/usr/bin/env bash
# An error thrown inside the window's event loop ends the program with its message and exit code
# 1, not an abort: a hand-edited replay whose points overflow during the fight.
# usage: error_in_fight.sh BIN_DIR OUT_DIR
set -uo pipefail
bin=$1
out=$2
mkdir -p "$out"
replay="$out/overflowing-points.txt"
printf '# mojara replay 1\n# fight 0 7 --seed 3 --speed 5 --pow 0,0 --score 2147483000,0 --demo\n' > "$replay"
XDG_CONFIG_HOME="$out/config-error" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy timeout 60 "$bin/mojara" --replay "$replay" \
  --timer-resolution 1 > "$out/error.log" 2>&1
status=$?
if [ "$status" -ne 1 ]; then
  echo "error_in_fight: expected exit code 1, got $status" >&2
  cat "$out/error.log" >&2
  exit 1
fi
if ! grep -q "mojara: the game stopped on an error: the points overflow" "$out/error.log"; then
  echo "error_in_fight: the message is missing" >&2
  cat "$out/error.log" >&2
  exit 1
fi
