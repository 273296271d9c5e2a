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

Only the platform layer (src/core/platform*) asks the operating system for
something: anywhere else a system header (<unistd.h>, <fcntl.h>, <sys/...>,
<signal.h>, <windows.h>, ... : any <NAME.h>, and <csignal>) or a call of the
system's functions (::stat, std::tmpfile, localtime_r, __builtin_..., the
null device's name ...) fails the check.

Record kinds are data: each layer looks a kind up in its rows (one row per
kind, arrays indexed by kind). Any ==, != or switch on a RecordKind value
(an enumerator, a constant naming one, a variable, parameter or member of
the type) fails the check, and so does any ?: choosing by one: a new kind
would silently take whichever branch is not its own.
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


PLATFORM_FILES = ("platform.h", "platform_posix.cpp", "platform_win32.cpp")

SYSTEM_INCLUDE = re.compile(r'\s*#\s*include\s+<([^>]+\.h|csignal)>')

# Functions of the operating system (POSIX, Windows, the compiler's own), as
# called: qualified with :: or std::, or by a name only the system uses.
SYSTEM_CALL = re.compile(
    r"(?<![\w>.])::\s*(open|close|read|write|stat|lstat|fstat|readlink|unlink|rename|remove|mkstemp|fchmod|"
    r"ftruncate|fseeko|ftello|umask|fcntl|fdopen|fileno|dup|dup2|pipe|fork|kill|raise|signal|sigaction|"
    r"localtime|gmtime|getenv|system|popen|isatty|getpid|geteuid|chmod|access)\s*\("
    r"|\bstd::(tmpfile|signal|raise|rename|remove|getenv|system|localtime|gmtime)\s*\("
    r"|(?<![\w.>:])(readlink|lstat|fstat|unlink|mkstemp|fchmod|ftruncate|fseeko|ftello|umask|fcntl|fdopen|"
    r"fileno|_fileno|sigaction|sigaddset|sigemptyset|pthread_sigmask|localtime_r|localtime_s|tmpfile|popen|"
    r"isatty|_wfopen|_get_osfhandle|CreateFileW|MoveFileExW|ReplaceFileW|DeleteFileW|"
    r"GetFileInformationByHandle|SetConsoleCtrlHandler|GetModuleFileNameW)\s*\("
    r"|\b__builtin_\w+|\b__attribute__\b"
    r'|"/dev/null"|"/proc/|"NUL"')


def code_only(text):
    """The text without comments and with string literals kept (the null
    device's name is one)."""
    text = re.sub(r"/\*.*?\*/", lambda m: "\n" * m.group(0).count("\n"), text, flags=re.S)
    return [re.sub(r"//.*", "", line) for line in text.splitlines()]


def system_calls(root, problems):
    for path in sorted(root.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        if path.parent.name == "core" and path.name in PLATFORM_FILES:
            continue
        name = path.relative_to(root.parent)
        for number, line in enumerate(code_only(path.read_text(errors="replace")), 1):
            m = SYSTEM_INCLUDE.match(line)
            if m:
                problems.append(f"{name}:{number}: includes the system header <{m.group(1)}>; "
                                "only the platform layer (core/platform*) may")
                continue
            m = SYSTEM_CALL.search(line)
            if m:
                problems.append(f"{name}:{number}: calls the system ({m.group(0).strip()}); "
                                "only the platform layer (core/platform*) may")


# Declarations of the kind's type: "RecordKind kind", "const RecordKind& k",
# "RecordKind kind() const", "constexpr RecordKind kA = ...".
KIND_DECLARATION = re.compile(r"\bRecordKind\s*&?\s*([A-Za-z_]\w*)")
# String and character literals, blanked before kind comparisons are sought.
LITERAL = re.compile(r'"(?:\\.|[^"\\])*"|\'(?:\\.|[^\'\\])*\'')
COMPARISON = re.compile(r"(?<![=!<>])[!=]=(?!=)")
# An enumerator of another enumeration: the comparison is about that type.
OTHER_ENUM_END = re.compile(r"\b(?!RecordKind\b)[A-Z]\w*\s*::\s*\w+$")
OTHER_ENUM_START = re.compile(r"^(?!RecordKind\b)[A-Z]\w*\s*::")


def kind_names(root):
    """Constants naming a kind (bare names in every file) and members of the
    type declared in headers (names after . or -> in every file)."""
    constants, members = set(), set()
    for path in sorted(root.rglob("*")):
        if path.suffix in (".h", ".cpp") and path.is_file():
            for line in code_only(path.read_text(errors="replace")):
                constants.update(re.findall(r"\bconstexpr\s+RecordKind\s+(\w+)", line))
                if path.suffix == ".h":
                    members.update(re.findall(r"\bRecordKind\s+(\w+)\s*(?:;|\{|=|\(\s*\)\s*const)", line))
    return constants, members


def alternatives(names):
    return "|".join(sorted(map(re.escape, names))) or "(?!)"


def kind_comparisons(root, problems):
    """Every ==, != and case on a record kind (and so every ?: choosing by one)."""
    constants, members = kind_names(root)
    call = r"(?:\s*\(\s*\))?"
    more = r"(?![\w\[(:]|\s*(?:->|\.|\[|\())"
    member = rf"(?:\.|->)\s*(?:{alternatives(members)}){call}"
    for path in sorted(root.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        lines = [LITERAL.sub('""', line) for line in code_only(path.read_text(errors="replace"))]
        # Variables, parameters and functions of the type declared in this file.
        bare = constants.union(*(KIND_DECLARATION.findall(line) for line in lines)) - {"operator"}
        kind = rf"(?:RecordKind\s*::\s*\w+|(?<![\w.>:])(?:{alternatives(bare)}){call}|{member})"
        ends_with_kind = re.compile(rf"{kind}$")
        starts_with_kind = re.compile(rf"^(?:\w+{call}\s*(?=\.|->))?(?:{member}\s*(?=\.|->))*{kind}{more}")
        case = re.compile(rf"\bcase\s+{kind}\s*:")
        for number, line in enumerate(lines, 1):
            found = bool(case.search(line))
            for m in COMPARISON.finditer(line):
                before, after = line[:m.start()].rstrip(), line[m.end():].lstrip()
                if ends_with_kind.search(before) and not OTHER_ENUM_START.search(after):
                    found = True
                if starts_with_kind.search(after) and not OTHER_ENUM_END.search(before):
                    found = True
            if found:
                problems.append(f"{path.relative_to(root.parent)}:{number}: compares a record kind; "
                                "look the kind up in its layer's rows instead")


def main():
    level = {folder: i for i, layer in enumerate(LAYERS) for folder in layer}
    # The sources checked: src/ of the repository, or the folder given.
    root = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent / "src"
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
    system_calls(root, problems)
    kind_comparisons(root, problems)
    for p in problems:
        print(p, file=sys.stderr)
    if problems:
        print(f"check-layers: {len(problems)} finding(s)", file=sys.stderr)
        return 1
    print("check-layers: every include goes to the same layer or one below; "
          "only the platform layer calls the system; no code compares record kinds")
    return 0


if __name__ == "__main__":
    sys.exit(main())
