#!/usr/bin/env bash
# Every program reads its command line the same way: --help and --version end with status 1 when
# their output cannot be written, a flag given a value is a bad argument (2), and "--" ends the
# options, so what follows it is an operand, never an option. A recording that cannot be kept
# (a full or read-only disk) is refused before anything is played.
#   command_lines_test.sh BIN_DIR
set -uo pipefail
bin=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "command_lines_test: $*" >&2
  failures=$((failures + 1))
}

programs=("mojara-sim" "mojara-sim fight" "mojara-sim game" "mojara-sim league")
have_window=false
if [ -x "$bin/mojara" ]; then
  programs=("mojara" "${programs[@]}")
  have_window=true
fi

# Runs a program with no display: the windowed one stops before its windows, so what it accepts
# ends with status 1 and its message about the display.
run() {
  local program=$1
  shift
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin/$program" "$@" < /dev/null
}

# check STATUS TEXT PROGRAM ARGS...: the exit status, and TEXT on standard error.
check() {
  local want=$1 text=$2
  shift 2
  local status=0
  run "$@" > "$work/out" 2> "$work/err" || status=$?
  [ "$status" -eq "$want" ] || fail "$* ended with $status, not $want: $(head -c 300 "$work/err")"
  [ -z "$text" ] || grep -qF -- "$text" "$work/err" || fail "$*: standard error does not say '$text': $(head -c 300 "$work/err")"
}

# (A program's words are split on purpose: "mojara-sim fight" is the program and its command.)
for program in "${programs[@]}"; do
  for option in --help --version; do
    status=0
    run $program "$option" > /dev/full 2> "$work/err" || status=$?
    [ "$status" -eq 1 ] || fail "$program $option > /dev/full ended with $status, not 1"
    grep -q "cannot write to standard output" "$work/err" || fail "$program $option > /dev/full says nothing"
    status=0
    run $program "$option" >&- 2> /dev/null || status=$?
    [ "$status" -eq 1 ] || fail "$program $option with standard output closed ended with $status, not 1"
    status=0
    run $program "$option" > "$work/out" 2> /dev/null || status=$?
    [ "$status" -eq 0 ] && [ -s "$work/out" ] || fail "$program $option ended with $status, printing $(wc -c < "$work/out") bytes"
  done
done

# A flag is on by being there.
$have_window && {
  check 2 "--demo takes no value, not '--demo=0'" mojara --demo=0
  check 2 "--no-attract takes no value" mojara --no-attract=false
  check 2 "--help takes no value" mojara --help=yes
}
check 2 "--version takes no value" mojara-sim --version=1
check 2 "--trace takes no value" mojara-sim fight 0 1 --trace=yes
check 2 "--demo takes no value" mojara-sim fight 0 1 --demo=0
check 2 "--versus takes no value" mojara-sim fight 0 1 --versus=
check 2 "--autoplay takes no value" mojara-sim game --autoplay=true
check 2 "-h takes no value" mojara-sim league -h=1

# "--" ends the options wherever it stands; only mojara-sim's positional arguments take operands.
$have_window && {
  check 2 "unexpected argument '--fight'" mojara -- --fight 0 1
  check 2 "unexpected argument '--demo'" mojara --fight 0 1 -- --demo
  check 1 "no display" mojara --fight 0 1 --
}
check 2 "subcommand" mojara-sim -- fight 0 1
check 0 "" mojara-sim fight --max-events 1 -- 0 1
check 0 "" mojara-sim fight 0 --max-events 1 -- 1
check 0 "" mojara-sim fight 0 1 --max-events 1 --
check 2 "expected two roster slots" mojara-sim fight 0 1 --max-events 1 -- 2
check 2 "expected two roster slots" mojara-sim fight 0 -- --max-events 1
check 2 "cannot read the script --until" mojara-sim game --until 1 -- --until
check 2 "unexpected argument '--help'" mojara-sim league -- --help
check 0 "" mojara-sim league --fights 1 --jobs 1 --

# A recording on a disk that is full or read-only: a small file system of our own, where the
# system lets an unprivileged user mount one; skipped elsewhere.
if $have_window && unshare -rm true 2> /dev/null; then
  cat > "$work/disks.sh" << 'EOF'
set -u
mount -t tmpfs -o size=64k tmpfs "$1" || exit 3
dd if=/dev/zero of="$1/filler" bs=4k count=100 2> /dev/null
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$2/mojara" --record "$1/fights.txt" 2> "$3/full.err"
echo $? > "$3/full.status"
rm "$1/filler"
mount -o remount,ro "$1"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$2/mojara" --record "$1/fights.txt" 2> "$3/ro.err"
echo $? > "$3/ro.status"
EOF
  mkdir "$work/disk"
  if unshare -rm bash "$work/disks.sh" "$work/disk" "$bin" "$work"; then
    [ "$(cat "$work/full.status")" -eq 2 ] || fail "--record on a full disk ended with $(cat "$work/full.status"), not 2"
    grep -q "no room to write it" "$work/full.err" || fail "--record on a full disk: $(cat "$work/full.err")"
    [ "$(cat "$work/ro.status")" -eq 2 ] || fail "--record on a read-only disk ended with $(cat "$work/ro.status"), not 2"
    grep -q "cannot be created (read-only file system)" "$work/ro.err" || fail "--record on a read-only disk: $(cat "$work/ro.err")"
  else
    echo "command_lines_test: no file system of our own could be mounted; full and read-only disks skipped"
  fi
fi

[ "$failures" -eq 0 ] || exit 1
echo "command_lines_test: ok"
