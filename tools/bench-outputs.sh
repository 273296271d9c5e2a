#!/usr/bin/env bash
# What the outputs cost against the check itself: on 700,000 generated records
# (350,000 of each kind, about 10 percent with errors), hyperfine times the
# plain run and each run with outputs in one call (median of at least 10
# runs each) and this script prints each median's ratio to the plain run's.
# Fails when a ratio is over its limit:
#   --findings x.csv 1.5x, --findings x.json 2x, --html 1.5x,
#   --findings y.json --compare x.json 3.5x.
#
#   tools/bench-outputs.sh PROGRAM DATA_FOLDER
set -euo pipefail
VORTEL_NO_TESTS=1 ./tools/check-tools.sh hyperfine=hyperfine python3=python3
program=$(realpath "$1") data=$2
mkdir -p "$data/outputs"
work=$(realpath "$data/outputs")
file="$work/mixed-700k.dat"
[ -f "$file" ] || python3 tools/vortel_gen.py --state 01 --as-of 2026-12-08 --fips data/fips.lst --error-rate 0.10 \
  --seed 1 --adoption 350000 --foster-care 350000 -o "$file"
run="$program --data $file --fips $(realpath data/fips.lst) --foster-care-report $work/freport.txt \
--adoption-report $work/areport.txt --state 01 --as-of '2026-12-08 09:00' -q"
# The earlier findings the comparison reads.
eval "$run --findings $work/previous.json"
# Each run starts with nothing of the last one's files still being written
# out (`sync`), as a user's run does: otherwise a run pays for writing out the
# previous run's 80 MB findings file, on a machine where that is costly.
hyperfine --style basic --warmup 1 --min-runs 10 --prepare sync --export-json "$work/times.json" \
  -n plain "$run" \
  -n csv "$run --findings $work/x.csv" \
  -n json "$run --findings $work/x.json" \
  -n html "$run --html $work/x.html" \
  -n compare "$run --findings $work/y.json --compare $work/previous.json" >/dev/null
python3 - "$work/times.json" <<'PY'
import json, sys
results = {r["command"]: r["median"] for r in json.load(open(sys.argv[1]))["results"]}
limits = {"csv": 1.5, "json": 2.0, "html": 1.5, "compare": 3.5}
plain = results["plain"]
print(f"outputs on 700,000 records (hyperfine medians): plain run {plain:.3f} s")
failed = False
for name, limit in limits.items():
    ratio = results[name] / plain
    verdict = "ok" if ratio <= limit else "TOO-SLOW"
    failed |= ratio > limit
    print(f"  {name:8} {results[name]:7.3f} s  {ratio:5.2f}x  (limit {limit}x)  {verdict}")
sys.exit(1 if failed else 0)
PY
