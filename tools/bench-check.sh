#!/usr/bin/env bash
# Instructions per detail record, counted by valgrind's callgrind on generated
# files of 10,000 records of each kind (about 10 percent with errors), and
# instructions per finding of the findings file as CSV and as JSON (what the
# run with --findings costs over the plain run on the same files, divided by
# the findings), checked against the figures in tools/bench/instructions.txt:
# a figure exceeded by more than 10 percent fails the run.
#
#   tools/bench-check.sh            measure and compare
#   tools/bench-check.sh --record   measure and write the figures file
#
# The count covers the whole program; the count for a file of one record of
# the same kind is taken off, so that start-up and the fixed part of the
# reports are not charged to the records. Instruction counts, unlike times,
# do not depend on the machine's load, so one run of each is enough.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${BENCH_BUILD:-build-bench}
FIGURES=tools/bench/instructions.txt
RECORDS=10000
ALLOWED_PERCENT=10
record=false
case "${1:-}" in
  "") ;;
  --record) record=true ;;
  *) echo "usage: $0 [--record]" >&2; exit 2 ;;
esac

./tools/check-tools.sh valgrind=valgrind python3=python3

cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DVORTEL_TESTS=OFF >/dev/null
cmake --build "$BUILD" -j "${JOBS:-2}" --target vortel-dq

work="$BUILD/bench-check"
mkdir -p "$work"
# The generator is seeded and dated, so the files are the same on every run.
gen() {  # gen KIND COUNT FILE
  local adoption=0 fostercare=0
  if [ "$1" = adoption ]; then adoption=$2; else fostercare=$2; fi
  python3 tools/vortel_gen.py --state 01 --as-of 2026-12-08 --fips data/fips.lst --error-rate 0.10 \
    --seed 1 --no-aggregate --adoption "$adoption" --foster-care "$fostercare" -o "$3"
}

# Prints the instructions callgrind counted for one run of the program on FILE,
# with the options that follow.
count() {  # count FILE [OPTION]...
  local out="$1.callgrind" log="$1.valgrind.log" file=$1
  shift
  if ! valgrind --tool=callgrind --callgrind-out-file="$out" "$BUILD/vortel-dq" --data "$file" \
      --fips data/fips.lst --foster-care-report "$work/freport.txt" --adoption-report "$work/areport.txt" \
      --state 01 --as-of "2026-12-08 09:00" "$@" </dev/null >/dev/null 2>"$log"; then
    echo "bench-check: the program failed on $file (see $log)" >&2
    exit 1
  fi
  awk '$1 == "summary:" { print $2; found = 1 } END { exit !found }' "$out"
}

declare -A measured plain
for kind in adoption foster-care; do
  gen "$kind" 1 "$work/$kind-1.dat"
  gen "$kind" "$RECORDS" "$work/$kind-$RECORDS.dat"
  base=$(count "$work/$kind-1.dat")
  full=$(count "$work/$kind-$RECORDS.dat")
  measured[$kind]=$(( (full - base + (RECORDS - 1) / 2) / (RECORDS - 1) ))
  plain[$kind]=$full
done

# The findings files, on both files together.
findings=0 plainTotal=0
for kind in adoption foster-care; do plainTotal=$(( plainTotal + plain[$kind] )); done
for format in csv json; do
  total=0
  for kind in adoption foster-care; do
    total=$(( total + $(count "$work/$kind-$RECORDS.dat" --findings "$work/$kind.$format") ))
  done
  if [ "$format" = csv ]; then
    findings=$(( $(wc -l <"$work/adoption.csv") + $(wc -l <"$work/foster-care.csv") - 2 ))
  fi
  measured[$format-finding]=$(( (total - plainTotal + findings / 2) / findings ))
done

if $record; then
  {
    echo "# Instructions per detail record (callgrind, Release build) on $RECORDS generated"
    echo "# records of each kind, and per finding of the CSV and JSON findings files"
    echo "# (csv-finding, json-finding), as measured by tools/bench-check.sh. make bench-check fails"
    echo "# when a figure is exceeded by more than $ALLOWED_PERCENT percent. Change these"
    echo "# only in a commit of their own that gives the reason."
    for kind in adoption foster-care csv-finding json-finding; do echo "$kind ${measured[$kind]}"; done
  } >"$FIGURES"
  echo "Wrote $FIGURES:"
  grep -v '^#' "$FIGURES"
  exit 0
fi

status=0
printf '%-12s %12s %12s %12s %9s\n' kind measured recorded limit change
for kind in adoption foster-care csv-finding json-finding; do
  recorded=$(awk -v k="$kind" '$1 == k { print $2 }' "$FIGURES")
  if [ -z "$recorded" ]; then
    echo "bench-check: no figure for $kind in $FIGURES" >&2
    exit 1
  fi
  limit=$(( recorded + recorded * ALLOWED_PERCENT / 100 ))
  change=$(awk -v m="${measured[$kind]}" -v r="$recorded" 'BEGIN { printf "%+.1f%%", (m - r) * 100 / r }')
  verdict=ok
  if [ "${measured[$kind]}" -gt "$limit" ]; then verdict=TOO-SLOW; status=1; fi
  printf '%-12s %12s %12s %12s %9s  %s\n' "$kind" "${measured[$kind]}" "$recorded" "$limit" "$change" "$verdict"
done
echo "(instructions per detail record, and per finding for the findings files; the limit is the recorded"
echo " figure plus $ALLOWED_PERCENT percent)"
if [ $status -ne 0 ]; then
  echo "bench-check: a kind needs more than $ALLOWED_PERCENT percent over its recorded instructions per record" >&2
fi
exit $status
