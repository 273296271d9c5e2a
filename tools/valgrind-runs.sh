#!/usr/bin/env bash
# Runs the built program under valgrind's memcheck on the golden runs' command
# lines (tests/data/golden, each in a scratch copy of its folder, with its
# standard input) and on a set of runs the golden files do not cover: --quiet,
# every output, --compare, --out-dir with two jobs, fatal errors and refused
# command lines. Any error memcheck finds (a read of freed memory, a jump on
# an uninitialised value, a leak) fails the script, and so does an exit status
# other than the one the run should give.
#
# The in-process tests do not see faults that lie in the program's own
# start and end (main, the standard streams, --quiet's console), and
# AddressSanitizer does not see the C library's FILE internals: memcheck does.
#
#   tools/valgrind-runs.sh [PROGRAM]     (default: build/vortel-dq)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
program=$(realpath "${1:-build/vortel-dq}")
[ -x "$program" ] || { echo "valgrind-runs: no program $program (make build)" >&2; exit 1; }
command -v valgrind >/dev/null || { echo "valgrind-runs: valgrind is not installed" >&2; exit 1; }

# A status of its own, which the program never gives, for memcheck's errors.
readonly MEMCHECK_ERROR=97
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
runs=0 failed=0

# check NAME EXPECTED_STATUS DIR STDIN_FILE ARGS...: one run in DIR.
check() {
  local name=$1 expected=$2 dir=$3 input=$4
  shift 4
  local log="$work/$runs.log" status=0
  runs=$((runs + 1))
  (cd "$dir" && valgrind --tool=memcheck --error-exitcode=$MEMCHECK_ERROR --leak-check=full \
    --errors-for-leak-kinds=definite,indirect --track-fds=no --log-file="$log" \
    "$program" "$@" <"$input" >"$work/stdout" 2>"$work/stderr") || status=$?
  if [ "$status" = $MEMCHECK_ERROR ]; then
    echo "FAIL $name: memcheck found errors" >&2
    cat "$log" >&2
    failed=$((failed + 1))
  elif [ "$status" != "$expected" ]; then
    echo "FAIL $name: exit status $status, expected $expected" >&2
    cat "$work/stderr" >&2
    failed=$((failed + 1))
  else
    echo "ok   $name"
  fi
}

standard=(--data data.txt --foster-care-report freport.txt --adoption-report areport.txt --state 01
  --fips fips.lst --as-of "2026-12-08 09:00")

# The golden runs (those that need no memory limit, which only the tests can set).
for source in tests/data/golden/*/; do
  name=$(basename "$source")
  [ -e "${source}limits" ] && continue
  dir="$work/golden-$name"
  mkdir -p "$dir"
  for f in "$source"*; do
    case $(basename "$f") in expected | args | stdin) ;; *) cp -R "$f" "$dir/" ;; esac
  done
  args=("${standard[@]}")
  [ -e "${source}args" ] && mapfile -t args < <(grep -v "^$" "${source}args")
  input=/dev/null
  [ -e "${source}stdin" ] && input="$root/${source}stdin"
  expected=$(cat "${source}expected/status")
  [ "$expected" = -1 ] && expected=255
  check "golden $name" "$expected" "$dir" "$input" "${args[@]}"
done

# Runs on the bundled example.
dir="$work/example"
mkdir -p "$dir"
cp examples/example.dat examples/fips.lst "$dir/"
cp tests/data/golden/run-dialogue/data.txt "$dir/small.dat"
example=(--data example.dat --fips fips.lst --state 01 --as-of "2026-12-08 09:00"
  --foster-care-report f.txt --adoption-report a.txt)
check "plain" 0 "$dir" /dev/null "${example[@]}"
check "quiet" 0 "$dir" /dev/null -q "${example[@]}"
check "every output" 1 "$dir" /dev/null "${example[@]}" --findings run1.json --error-records errors.dat \
  --html page.html --html-records 5 --fail-on-findings
check "findings as CSV" 0 "$dir" /dev/null -q "${example[@]}" --findings run1.csv
check "compare" 0 "$dir" /dev/null -q "${example[@]}" --compare run1.json --findings run2.json --html page2.html
check "compare with a file that is no findings" 2 "$dir" /dev/null -q "${example[@]}" --compare fips.lst
check "quiet, data file missing" 255 "$dir" /dev/null -q "${example[@]/example.dat/nosuch.dat}"
check "quiet, report is the data file" 255 "$dir" /dev/null -q "${example[@]/f.txt/example.dat}"
check "out-dir, two jobs" 255 "$dir" /dev/null --out-dir out -j 2 --state 01 --fips fips.lst \
  --as-of "2026-12-08 09:00" --fail-on-findings nosuch.dat example.dat small.dat
check "help" 0 "$dir" /dev/null --help
check "bad command line" 2 "$dir" /dev/null --data

echo "valgrind-runs: $runs runs, $failed failed"
[ "$failed" = 0 ]
