#!/usr/bin/env python3
"""Fails when a folder of src/ includes a folder of a higher layer.

The layers, bottom to top; a folder may include its own layer's folders and
those below it, never one above:

    core       record kinds, element table, writer, message list, tally
               engine, output files, the run facts a check reads
    catalogue  one catalogue per record kind
    checks     fields, adoption, fostercare, datepairs, footnotes
    outputs    reports, findings, html
    run        options, dialogue, the pass over the file

A check takes what it reads (the record, its element table, the run facts),
not the whole run context: below the outputs, nothing includes
core/run_context.h.
"""
import pathlib
import re
import sys

LAYERS = [
    ["core"],
    ["catalogue"],
    ["fields", "adoption", "fostercare", "datepairs", "footnotes"],
    ["reports", "findings", "html"],
    ["run"],
]


def main():
    level = {folder: i for i, layer in enumerate(LAYERS) for folder in layer}
    root = pathlib.Path(__file__).resolve().parent.parent / "src"
    include = re.compile(r'\s*#\s*include\s+"([^/"]+)/([^"]*)"')
    outputs = level["reports"]
    problems = []
    for path in sorted(root.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        folder = path.relative_to(root).parts[0]
        if folder not in level:
            problems.append(f"{path.relative_to(root.parent)}: folder {folder} belongs to no layer")
            continue
        for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
            m = include.match(line)
            if not m:
                continue
            target = m.group(1)
            if target not in level:
                problems.append(f"{path.relative_to(root.parent)}:{number}: includes {target}/, which belongs to no layer")
            elif level[target] > level[folder]:
                problems.append(f"{path.relative_to(root.parent)}:{number}: {folder}/ includes {target}/, a higher layer")
            elif (target, m.group(2)) == ("core", "run_context.h") and level[folder] < outputs:
                problems.append(f"{path.relative_to(root.parent)}:{number}: {folder}/ includes the run context; "
                                "a check takes only what it reads")
    for p in problems:
        print(p, file=sys.stderr)
    if problems:
        print(f"check-layers: {len(problems)} include(s) against the layers", file=sys.stderr)
        return 1
    print("check-layers: every include goes to the same layer or one below")
    return 0


if __name__ == "__main__":
    sys.exit(main())
