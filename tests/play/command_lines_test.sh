#!/usr/bin/env bash
# Every program reads its command line the same way: --help and --version end with status 1 when
# their output cannot be written, a flag given a value is a bad argument (2), and "--" ends the
# options, so what follows it is an operand, never an option.
#   command_lines_test.sh BIN_DIR
set -uo pipefail
bin=$1
err=$(mktemp)
trap 'rm -f "$err"' EXIT
failures=0
fail() {
  echo "command_lines_test: $*" >&2
  failures=$((failures + 1))
}
# Run with no display: the windowed program stops before its windows, so what it accepts ends
# with status 1 and its message about the display. (The program's words are split on purpose.)
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin"/$1 "${@:2}" < /dev/null; }
# check STATUS TEXT PROGRAM ARGS...: the exit status, and TEXT on standard error; standard output
# goes to $out.
out=/dev/null
check() {
  local status=0
  run "$3" "${@:4}" > "$out" 2> "$err" || status=$?
  [ "$status" -eq "$1" ] || fail "${*:3} ended with $status, not $1: $(head -c 300 "$err")"
  [ -z "$2" ] || grep -qF -- "$2" "$err" || fail "${*:3}: standard error does not say '$2': $(head -c 300 "$err")"
}
windowed() { [ -x "$bin/mojara" ]; }

programs=("mojara-sim" "mojara-sim fight" "mojara-sim game" "mojara-sim league")
windowed && programs+=("mojara")
for program in "${programs[@]}"; do
  for option in --help --version; do
    out=/dev/full check 1 "cannot write to standard output" "$program" "$option"
    status=0
    run "$program" "$option" >&- 2> /dev/null || status=$?
    [ "$status" -eq 1 ] || fail "$program $option with standard output closed ended with $status, not 1"
    [ -n "$(run "$program" "$option")" ] || fail "$program $option printed nothing"
  done
done

# A flag is on by being there.
check 2 "--version takes no value" mojara-sim --version=1
check 2 "--trace takes no value, not '--trace=yes'" "mojara-sim fight" 0 1 --trace=yes
check 2 "--demo takes no value" "mojara-sim fight" 0 1 --demo=0
check 2 "--autoplay takes no value" "mojara-sim game" --autoplay=
check 2 "-h takes no value" "mojara-sim league" -h=1
windowed && check 2 "--no-attract takes no value" mojara --no-attract=false

# "--" ends the options wherever it stands; only mojara-sim's positional arguments take operands.
check 0 "" "mojara-sim fight" --max-events 1 -- 0 1
check 0 "" "mojara-sim fight" 0 --max-events 1 -- 1
check 0 "" "mojara-sim league" --fights 1 --jobs 1 --
check 2 "expected two roster slots" "mojara-sim fight" 0 -- --max-events 1
check 2 "cannot read the script --until" "mojara-sim game" --until 1 -- --until
check 2 "unexpected argument '--help'" "mojara-sim league" -- --help
windowed && check 2 "unexpected argument '--fight'" mojara -- --fight 0 1
windowed && check 1 "no display" mojara --fight 0 1 --

[ "$failures" -eq 0 ] || exit 1
echo "command_lines_test: ok"
