#!/usr/bin/env python3
"""Runs two builds of vortel-dq on the same inputs and compares what they
write: every output file byte for byte, standard output, standard error and
the exit status.

    tools/compare-builds.py BEFORE_PROGRAM AFTER_PROGRAM [--work DIR] [--quick]

The inputs: the bundled example, generated files with errors in both record
kinds, files of aggregate records and of footnote records only, the data files
of the golden runs and every input of the fuzz corpus. Each is checked three
ways: with no option beyond the answers, with every output at once (findings
as CSV, then as JSON, with the error records and the page), and with
--compare against the findings JSON the same build wrote for it. One
many-file run (--out-dir) over the generated files closes the list.

Prints one line per difference and a total; exits 1 when anything differs.
"""
import argparse
import concurrent.futures
import os
import shutil
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
SEPARATOR = b"==fips==\n"
DEFAULT_FIPS = b"01001\n01003\n01005\n72001\n"
ANSWERS = ["--data", "data.txt", "--fips", "fips.lst", "--foster-care-report", "freport.txt",
           "--adoption-report", "areport.txt", "--state", "01", "--as-of", "2026-12-08 09:00"]

# Each way of running an input: its name and the options after the answers.
MODES = [
    ("plain", []),
    ("all-csv", ["--findings", "findings.csv", "--error-records", "errors.dat", "--html", "page.html",
                 "--fail-on-findings"]),
    ("all-json", ["--findings", "findings.json", "--error-records", "errors.dat", "--html", "page.html",
                  "--fail-on-findings"]),
    # Compares with the findings.json its own all-json run wrote (copied in
    # as previous.json), so that each build compares with itself.
    ("compare", ["--findings", "now.json", "--compare", "previous.json", "--html", "page.html"]),
]


def generate(out_dir):
    """The generated inputs: name -> (data bytes, fips bytes)."""
    fips = (ROOT / "data/fips.lst").read_bytes()
    gen = [sys.executable, str(ROOT / "tools/vortel_gen.py"), "--state", "01", "--as-of", "2026-12-08",
           "--fips", str(ROOT / "data/fips.lst")]
    runs = {
        "gen-mixed": ["--adoption", "400", "--foster-care", "400", "--footnotes", "30", "--error-rate", "0.2",
                      "--seed", "3"],
        "gen-errors": ["--adoption", "150", "--foster-care", "150", "--footnotes", "20", "--aggregates", "3",
                       "--error-rate", "1", "--seed", "5"],
        "gen-crlf": ["--adoption", "100", "--foster-care", "100", "--error-rate", "0.3", "--seed", "7", "--crlf"],
        "gen-clean": ["--adoption", "50", "--foster-care", "50", "--seed", "9"],
        "gen-aggregates": ["--adoption", "0", "--foster-care", "0", "--aggregates", "60", "--error-rate", "1",
                           "--seed", "11"],
        "gen-footnotes": ["--adoption", "0", "--foster-care", "0", "--footnotes", "80", "--error-rate", "1",
                          "--seed", "13"],
    }
    inputs = {}
    for name, args in runs.items():
        path = out_dir / (name + ".dat")
        if not path.exists():
            subprocess.run(gen + args + ["-o", str(path)], check=True)
        inputs[name] = (path.read_bytes(), fips)
    return inputs


def all_inputs(gen_dir, quick):
    inputs = {"example": ((ROOT / "examples/example.dat").read_bytes(), (ROOT / "examples/fips.lst").read_bytes())}
    inputs.update(generate(gen_dir))
    for case in sorted((ROOT / "tests/data/golden").iterdir()):
        data = case / "data.txt"
        fips = case / "fips.lst"
        if data.exists() and fips.exists():
            inputs["golden-" + case.name] = (data.read_bytes(), fips.read_bytes())
    corpus = sorted((ROOT / "tools/fuzz/corpus").iterdir())
    if quick:
        corpus = corpus[::10]
    for f in corpus:
        raw = f.read_bytes()
        at = raw.find(SEPARATOR)
        inputs["fuzz-" + f.name] = (raw, DEFAULT_FIPS) if at < 0 else (raw[:at], raw[at + len(SEPARATOR):])
    return inputs


def run_input(program, folder, data, fips):
    """Runs every mode of one input in folder/<mode>; returns {mode: (status, stdout, stderr)}."""
    results = {}
    for mode, options in MODES:
        d = folder / mode
        d.mkdir(parents=True)
        (d / "data.txt").write_bytes(data)
        (d / "fips.lst").write_bytes(fips)
        if mode == "compare":
            previous = folder / "all-json" / "findings.json"
            if previous.exists():
                shutil.copyfile(previous, d / "previous.json")
        p = subprocess.run([program] + ANSWERS + options, cwd=d, stdin=subprocess.DEVNULL, capture_output=True,
                           timeout=120)
        results[mode] = (p.returncode, p.stdout, p.stderr)
    return results


def run_many(program, folder, gen_dir):
    folder.mkdir(parents=True)
    names = sorted(p.name for p in gen_dir.glob("gen-*.dat"))
    for n in names:
        shutil.copyfile(gen_dir / n, folder / n)
    shutil.copyfile(ROOT / "data/fips.lst", folder / "fips.lst")
    p = subprocess.run([program, "--state", "01", "--fips", "fips.lst", "--as-of", "2026-12-08 09:00", "--out-dir",
                        "out", "-j", "1"] + names, cwd=folder, stdin=subprocess.DEVNULL, capture_output=True,
                       timeout=600)
    return {"many": (p.returncode, p.stdout, p.stderr)}


def files_under(folder):
    return {str(p.relative_to(folder)): p for p in folder.rglob("*") if p.is_file()}


def compare(name, before_dir, after_dir, before_res, after_res):
    problems = []
    for mode in before_res:
        for what, i in (("status", 0), ("stdout", 1), ("stderr", 2)):
            if before_res[mode][i] != after_res[mode][i]:
                problems.append(f"{name} {mode}: {what} differs")
    bf, af = files_under(before_dir), files_under(after_dir)
    for rel in sorted(set(bf) | set(af)):
        if rel not in bf or rel not in af:
            problems.append(f"{name}: {rel} written by only one build")
        elif bf[rel].read_bytes() != af[rel].read_bytes():
            problems.append(f"{name}: {rel} differs")
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("before")
    parser.add_argument("after")
    parser.add_argument("--work", default="/tmp/vortel-compare-builds")
    parser.add_argument("--quick", action="store_true", help="every tenth input of the fuzz corpus only")
    parser.add_argument("--jobs", type=int, default=2)
    args = parser.parse_args()
    before, after = os.path.abspath(args.before), os.path.abspath(args.after)
    work = Path(args.work)
    gen_dir = work / "generated"
    gen_dir.mkdir(parents=True, exist_ok=True)
    for side in ("before", "after"):
        shutil.rmtree(work / side, ignore_errors=True)
    inputs = all_inputs(gen_dir, args.quick)

    def one(item):
        name, (data, fips) = item
        b = run_input(before, work / "before" / name, data, fips)
        a = run_input(after, work / "after" / name, data, fips)
        return compare(name, work / "before" / name, work / "after" / name, b, a)

    problems = []
    with concurrent.futures.ThreadPoolExecutor(max_workers=args.jobs) as pool:
        for found in pool.map(one, inputs.items()):
            problems.extend(found)
    b = run_many(before, work / "before" / "many", gen_dir)
    a = run_many(after, work / "after" / "many", gen_dir)
    problems.extend(compare("many", work / "before" / "many", work / "after" / "many", b, a))

    for p in problems:
        print(p)
    runs = len(inputs) * len(MODES) + 1
    print(f"{len(inputs)} inputs, {runs} runs per build: "
          + ("no difference" if not problems else f"{len(problems)} differences"))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
