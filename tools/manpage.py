#!/usr/bin/env python3
"""Writes the manual page vortel-dq(1) from the program's --help text, which
the option table makes: python3 tools/manpage.py PROGRAM OUTPUT.1"""
import re
import subprocess
import sys


def roff(text):
    text = text.replace("\\", "\\e").replace("-", "\\-")
    return "\\&" + text if text.startswith((".", "'")) else text


def main():
    program, output = sys.argv[1], sys.argv[2]
    help_text = subprocess.run([program, "--help"], check=True, capture_output=True, text=True).stdout
    version = subprocess.run([program, "--version"], check=True, capture_output=True, text=True).stdout.split()[-1]
    lines = help_text.splitlines()
    out = [f'.TH VORTEL-DQ 1 "" "vortel-dq {version}" "User Commands"',
           ".SH NAME", "vortel-dq \\- check a VORTEL reporting file and write its data quality reports",
           ".SH SYNOPSIS", ".B vortel-dq", "[\\fIOPTION\\fR]...", ".SH DESCRIPTION"]
    i = 1
    # The introduction, up to the option list.
    while i < len(lines) and not lines[i].startswith("  -"):
        out.append(".PP" if not lines[i].strip() else roff(lines[i]))
        i += 1
    out.append(".SH OPTIONS")
    option = re.compile(r"^  (\S.*?)(?:\s{2,}(\S.*))?$")
    while i < len(lines) and (lines[i].startswith("  ") or not lines[i].strip()):
        m = option.match(lines[i]) if lines[i].startswith("  -") else None
        if m:
            out += [".TP", "\\fB" + roff(m.group(1)) + "\\fR"]
            if m.group(2):
                out.append(roff(m.group(2)))
        elif lines[i].strip():
            out.append(roff(lines[i].strip()))
        i += 1
    out.append(".SH NOTES")
    for line in lines[i:]:
        out.append(".PP" if not line.strip() else roff(line))
    out += [".SH FILES", "/usr/share/vortel\\-dq/fips.lst", "the list of local agency FIPS codes installed with the program",
            ".SH COPYRIGHT", "Copyright (c) 2026 the vortel\\-dq authors. MIT licence."]
    with open(output, "w") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
