#!/usr/bin/env bash
# A replay whose header asks for help or a version is a bad replay: the program says so, naming
# the line, and exits 2 before anything is played.
#   bad_replay_header_test.sh PROGRAM [ARGUMENTS...]     (run as PROGRAM ARGUMENTS... --replay FILE)
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "bad_replay_header_test: $*" >&2
  exit 1
}

for option in --help -h --version; do
  printf '# mojara replay 1\n# fight 0 1 --seed 1 %s\n5 A\n' "$option" >"$work/replay"
  status=0
  "$@" --replay "$work/replay" >"$work/out" 2>"$work/err" </dev/null || status=$?
  [ "$status" -eq 2 ] || fail "a header with $option: exit status $status, not 2 ($(cat "$work/err"))"
  [ ! -s "$work/out" ] || fail "a header with $option: something was printed on standard output"
  grep -q -- "line 2: unknown option $option" "$work/err" ||
    fail "a header with $option: the message does not name line 2 and $option: $(cat "$work/err")"
done
echo "bad_replay_header_test: ok"
