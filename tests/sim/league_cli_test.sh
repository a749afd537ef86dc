#!/usr/bin/env bash
# mojara-sim league: the same table with one job and with four; a bad --jobs is refused.
#   league_cli_test.sh PATH_TO_MOJARA_SIM
set -euo pipefail
sim=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "league_cli_test: $*" >&2
  exit 1
}

# The last line gives the run's own timing; everything above it is the table.
"$sim" league --fights 4 --seed 11 --jobs 1 | head -n -1 >"$work/one"
"$sim" league --fights 4 --seed 11 --jobs 4 | head -n -1 >"$work/four"
"$sim" league --fights 4 --seed 11 | head -n -1 >"$work/default"
[ "$(wc -l <"$work/one")" -eq 10 ] || fail "the table has $(wc -l <"$work/one") lines, not 10"
# A different table is shown where it first parts from the one job's.
apart() { diff "$work/one" "$work/$1" | head -n 4; }
cmp -s "$work/one" "$work/four" || fail "--jobs 1 and --jobs 4 give different tables:"$'\n'"$(apart four)"
cmp -s "$work/one" "$work/default" || fail "--jobs 1 and the default give different tables:"$'\n'"$(apart default)"

for bad in 0 -1 x 257 1.5 ""; do
  status=0
  "$sim" league --fights 1 --jobs "$bad" >"$work/out" 2>"$work/err" || status=$?
  [ "$status" -eq 2 ] || fail "--jobs '$bad' ended with status $status, not 2"
  [ ! -s "$work/out" ] || fail "--jobs '$bad' printed on standard output"
  grep -q -- "--jobs" "$work/err" || fail "--jobs '$bad': the message does not name --jobs: $(cat "$work/err")"
done
echo "league_cli_test: ok"
