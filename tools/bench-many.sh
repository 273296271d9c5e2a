#!/usr/bin/env bash
# Many files in one command: 8 generated files of 100,000 records each
# (50,000 of each kind, about 10 percent with errors) checked with -j 1 and
# -j 2; prints the wall time and the peak memory of the whole command.
#   tools/bench-many.sh PROGRAM DATA_FOLDER
set -euo pipefail
VORTEL_NO_TESTS=1 ./tools/check-tools.sh /usr/bin/time=time python3=python3
program=$1 data=$2
mkdir -p "$data/many"
files=()
for i in 1 2 3 4 5 6 7 8; do
  f="$data/many/file$i.dat"
  [ -f "$f" ] || python3 tools/vortel_gen.py --state 01 --as-of 2026-12-08 --fips data/fips.lst --error-rate 0.10 \
    --seed "$i" --adoption 50000 --foster-care 50000 -o "$f"
  files+=("$f")
done
for jobs in 1 2; do
  out="$data/many/out-j$jobs"
  rm -rf "$out"
  /usr/bin/time -f "%e %M" -o "$data/many/time-j$jobs" "$program" --state 01 --fips data/fips.lst \
    --as-of "2026-12-08 09:00" --out-dir "$out" -j "$jobs" "${files[@]}" >/dev/null
  read -r seconds kib < "$data/many/time-j$jobs"
  printf 'many files   8 x 100,000 records  -j %d  %6.2f s  peak RSS %6.1f MiB (all runs together)\n' \
    "$jobs" "$seconds" "$(awk -v k="$kib" 'BEGIN { print k / 1024 }')"
done
