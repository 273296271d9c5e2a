#!/usr/bin/env python3
"""Runs the Linux program and the Windows program (under wine) on the same
inputs and compares everything they write: the two text reports must equal
the Linux ones with every line feed written as CR LF; every other output
(findings CSV and JSON, error records, page, index), the exit status and the
console's text must be byte-identical.

    tools/differential.py LINUX_PROGRAM WINDOWS_PROGRAM [WORK_FOLDER]

The inputs: the example, a generated file of 100,000 records with errors, a
CR LF file, and the fuzz corpus, each input split into data file and county
list as the fuzz target splits it, and checked by one --out-dir command per
platform for each county list the corpus holds (one file at a time, so
that the console lines come in one order).
"""
import collections
import os
import pathlib
import shutil
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
CLOCK = ["--as-of", "2026-12-08 09:00"]
SEPARATOR = b"==fips==\n"
DEFAULT_FIPS = b"01001\n01003\n01005\n72001\n"


def text_report(name):
    return name.endswith((".foster-care.txt", ".adoption.txt")) or name in ("f.txt", "a.txt")


def run(program, folder, args):
    command = ([program] if not program.endswith(".exe") else ["wine", program]) + args
    env = dict(os.environ, WINEDLLOVERRIDES="mscoree,mshtml=", WINEDEBUG="-all")
    r = subprocess.run(command, cwd=folder, stdin=subprocess.DEVNULL, capture_output=True, env=env)
    return r.returncode, r.stdout, r.stderr


def outputs(folder, inputs):
    found = {}
    for path in sorted(folder.rglob("*")):
        rel = path.relative_to(folder).as_posix()
        if path.is_file() and rel not in inputs:
            found[rel] = path.read_bytes()
    return found


def compare(case, linux, windows, inputs, problems):
    lo, wo = outputs(linux, inputs), outputs(windows, inputs)
    if sorted(lo) != sorted(wo):
        problems.append(f"{case}: the files differ: Linux {sorted(lo)}, Windows {sorted(wo)}")
        return
    for name, data in lo.items():
        expected = data.replace(b"\n", b"\r\n") if text_report(pathlib.PurePath(name).name) else data
        if wo[name] != expected:
            at = next((i for i, (a, b) in enumerate(zip(expected, wo[name])) if a != b), min(len(expected), len(wo[name])))
            problems.append(f"{case}: {name} differs at byte {at}")
    return len(lo)


def differential(case, work, files, args, linux_program, windows_program, problems):
    folders = []
    for side in ("linux", "windows"):
        folder = work / case / side
        shutil.rmtree(folder, ignore_errors=True)
        folder.mkdir(parents=True)
        for name, data in files.items():
            (folder / name).write_bytes(data)
        folders.append(folder)
    lr = run(linux_program, folders[0], args)
    wr = run(windows_program, folders[1], args)
    # Now and then wine fails to start the Windows program: it ends with a
    # status, having printed and written nothing. The program never fails so
    # (every failure says why), so such a run is made once more, and said.
    if wr[0] != 0 and not wr[1] and not wr[2] and not outputs(folders[1], set(files)):
        print(f"{case}: the Windows program ended with status {wr[0]} before doing anything; run again", flush=True)
        wr = run(windows_program, folders[1], args)
    for what, a, b in zip(("exit status", "standard output", "standard error"), lr, wr):
        if a != b:
            # The exit status is a number, the outputs bytes (shown in part).
            shown = (a, b) if isinstance(a, int) else (a[:300], b[:300])
            problems.append(f"{case}: {what} differs: Linux {shown[0]!r}, Windows {shown[1]!r}")
    count = compare(case, folders[0], folders[1], set(files), problems)
    print(f"{case}: status {lr[0]}, {count} outputs compared", flush=True)


def main():
    linux_program = str(pathlib.Path(sys.argv[1]).resolve())
    windows_program = str(pathlib.Path(sys.argv[2]).resolve())
    work = pathlib.Path(sys.argv[3] if len(sys.argv) > 3 else "build-windows/differential").resolve()
    problems = []
    fips = (ROOT / "data" / "fips.lst").read_bytes()
    single = ["-q", "--data", "data.txt", "--foster-care-report", "f.txt", "--adoption-report", "a.txt",
              "--state", "01", "--fips", "fips.lst", "--error-records", "e.dat", "--html", "p.html"] + CLOCK

    example = {"data.txt": (ROOT / "examples" / "example.dat").read_bytes(),
               "fips.lst": (ROOT / "examples" / "fips.lst").read_bytes()}
    differential("example-csv", work, example, single + ["--findings", "x.csv"], linux_program, windows_program,
                 problems)
    differential("example-json", work, example, single + ["--findings", "x.json"], linux_program, windows_program,
                 problems)

    generator = [sys.executable, str(ROOT / "tools" / "vortel_gen.py"), "--state", "01", "--fips",
                 str(ROOT / "data" / "fips.lst"), "--error-rate", "0.1", "--seed", "7", "-o", str(work / "generated.dat")]
    for case, more in (("generated-100000", ["--adoption", "50000", "--foster-care", "50000"]),
                       ("generated-crlf", ["--adoption", "2000", "--foster-care", "2000", "--crlf"])):
        work.mkdir(parents=True, exist_ok=True)
        subprocess.run(generator + more, check=True)
        data = (work / "generated.dat").read_bytes()
        differential(case, work, {"data.txt": data, "fips.lst": fips}, single + ["--findings", "x.json"],
                     linux_program, windows_program, problems)

    # The corpus: inputs grouped by their county list, one --out-dir command per list.
    groups = collections.defaultdict(dict)
    for path in sorted((ROOT / "tools" / "fuzz" / "corpus").iterdir()):
        raw = path.read_bytes()
        at = raw.find(SEPARATOR)
        data, listed = (raw[:at], raw[at + len(SEPARATOR):]) if at >= 0 else (raw, DEFAULT_FIPS)
        groups[listed][path.name + ".dat"] = data
    for number, (listed, inputs) in enumerate(sorted(groups.items(), key=lambda g: -len(g[1]))):
        files = dict(inputs, **{"fips.lst": listed})
        args = ["--out-dir", "out", "--state", "01", "--fips", "fips.lst", "-j", "1"] + CLOCK + sorted(inputs)
        differential(f"corpus-{number:02d}", work, files, args, linux_program, windows_program, problems)

    for p in problems:
        print("differential:", p, file=sys.stderr)
    if problems:
        print(f"differential: {len(problems)} difference(s)", file=sys.stderr)
        return 1
    print("differential: the Windows program writes what the Linux program writes (reports in CR LF)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
