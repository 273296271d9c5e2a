// The program under faults, run as a separate process from a shell: full
// devices, file size limits, read errors, closed standard streams, signals,
// runs at once, links, FIFOs and answers saved with CR LF. Each case is a
// script, the exit status and error text it must give, and a check of the
// files it left behind.
#if !defined(_WIN32)
#include <sys/wait.h>
#endif

#include <filesystem>

#include <gtest/gtest.h>

#include "core/line_reader.h"
#include "support/program_run.h"

using namespace vortel::testing;
namespace fs = std::filesystem;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;  // address space limits do not apply
#else
constexpr bool kSanitized = false;
#endif

// Functions every script and check may use: `run` is the program with a
// fixed clock, `checked` a run with the usual answers and reports f.txt and
// a.txt, `ref` the reports of a clean run of
// the data file named (data.txt by default) as ref-f.txt and ref-a.txt, `none`
// true when no temporary file is left. The folder holds data.txt, fips.lst,
// the script case.sh and its error output err.txt.
const std::string kPrelude = std::string("V='") + VORTEL_PROGRAM + "'\n" + R"sh(
run() { "$V" --as-of "2026-12-08 09:00" "$@"; }
checked() { run --state 01 --fips fips.lst --foster-care-report f.txt --adoption-report a.txt "$@"; }
ref() { run --data "${1:-data.txt}" --state 01 --fips fips.lst --foster-care-report ref-f.txt --adoption-report ref-a.txt >/dev/null; }
none() { ! ls -A "${1:-.}" | grep -q 'vortel-dq-'; }
adoption() { run --state 01 --fips fips.lst --foster-care-report f.txt --data "$1" --adoption-report "$2"; }
# as an ordinary user: uid 65534 when the tests run as root
user() { if [ "$(id -u)" = 0 ]; then chmod a+rwx .; setpriv --reuid 65534 --regid 65534 --clear-groups "$@"; else "$@"; fi; }
)sh";

struct FaultCase {
    const char* name;
    const char* script;
    int status;
    const char* error;  // a part of standard error
    const char* check;  // shell test of the files left
    bool plainBuildOnly = false;
};

const FaultCase kCases[] = {
    {"a report on a full device",
     "run --data data.txt --state 01 --fips fips.lst --foster-care-report /dev/full "
     "--adoption-report a.txt >/dev/null",
     255, "\nUnable to write file /dev/full: No space left on device.\nTerminating program.\n",
     "[ ! -e a.txt ] && none"},
    {"the file size limit", "echo OLD > f.txt; trap '' XFSZ; ulimit -f 8; checked --data data.txt >/dev/null", 255,
     ": File too large.", "[ \"$(cat f.txt)\" = OLD ] && [ ! -e a.txt ] && none"},
    {"a read error", "checked --data /proc/self/mem >/dev/null", 255,
     "\nUnable to read file /proc/self/mem: Input/output error.\nTerminating program.\n", "[ -e f.txt ] && none"},
    {"standard input closed", "run --data data.txt >/dev/null <&-", 255,
     "Unable to open file : No such file or directory.", "[ $(ls -A | wc -l) = 4 ]"},
    {"standard output and error closed",
     "run --data data.txt --state 01 --fips none.lst --foster-care-report f.txt "
     "--adoption-report a.txt >&- 2>&-",
     255, "", "[ -e f.txt ] && ! grep -q Terminating f.txt a.txt"},
    {"SIGINT",
     "echo OLD > f.txt; cat /dev/zero | timeout --preserve-status -s INT 1 \"$V\" --data /dev/stdin "
     "--state 01 --fips fips.lst --foster-care-report f.txt --adoption-report a.txt >/dev/null",
     130, "", "[ \"$(cat f.txt)\" = OLD ] && [ ! -e a.txt ] && none"},
    {"SIGTERM",
     "cat /dev/zero | timeout --preserve-status -s TERM 1 \"$V\" --data /dev/stdin "
     "--state 01 --fips fips.lst --foster-care-report f.txt --adoption-report a.txt >/dev/null",
     143, "", "[ ! -e f.txt ] && none"},
    {"SIGHUP",
     "cat /dev/zero | timeout --preserve-status -s HUP 1 \"$V\" --data /dev/stdin "
     "--state 01 --fips fips.lst --foster-care-report f.txt --adoption-report a.txt >/dev/null",
     129, "", "[ ! -e f.txt ] && none"},
    {"runs at once",
     "ref; for i in 1 2 3 4; do checked --data data.txt >/dev/null & done; "
     "s=0; for p in $(jobs -p); do wait $p || s=1; done; exit $s",
     0, "", "cmp f.txt ref-f.txt && cmp a.txt ref-a.txt && none"},
    {"the console's pipe closed",
     "awk '/^@/{print; getline; print; getline; for (i = 0; i < 30000; i++) print; exit}' data.txt > big.dat; "
     "ref big.dat; checked --data big.dat | head -c 10 >/dev/null; exit ${PIPESTATUS[0]}",
     0, "", "cmp f.txt ref-f.txt && cmp a.txt ref-a.txt"},
    // Near the limit the run ends through a list's memory-failure path
    // (status 0) or as a fatal error (255), never by an abort.
    {"findings out of memory",
     "awk 'BEGIN { for (i = 0; i < 150000; i++) printf \"%%%%01202609Q99 note %d\\n\", i }' > fn.dat; "
     "(ulimit -v 20480; checked --data fn.dat --findings f.json >/dev/null); s=$?; [ $s = 0 ] || [ $s = 255 ]",
     0, "Memory Error", "python3 -c 'import json; json.load(open(\"f.json\"))'", true},
    {"outputs aliased through a dangling link",
     "ln -s out.csv link.txt; checked --data data.txt --findings out.csv --error-records link.txt", 255,
     "\nUnable to use link.txt as an error records file: it is the findings file.\n",
     "[ ! -e out.csv ] && [ ! -e f.txt ] && none"},
    {"a report through a link keeps the link and its mode",
     "umask 027; echo OLD > real.txt; chmod 600 real.txt; ln -s real.txt f.txt; checked --data data.txt >/dev/null", 0,
     "", "[ -L f.txt ] && [ $(stat -c %a real.txt) = 600 ] && [ $(stat -c %a a.txt) = 640 ] && grep -q Date: real.txt"},
    {"the data file through a link, a report its target",
     "cp data.txt orig.txt; ln -s data.txt link.dat; run --data link.dat --state 01 --fips fips.lst "
     "--foster-care-report data.txt --adoption-report a.txt >/dev/null",
     255, "\nUnable to use data.txt as a report file: it is the data file.\n",
     "cmp data.txt orig.txt && [ ! -e a.txt ] && none"},
    {"the data file through a linked folder, a report its target",
     "mkdir real; cp data.txt real/; ln -s real d; run --data d/data.txt --state 01 --fips fips.lst "
     "--foster-care-report f.txt --adoption-report real/data.txt >/dev/null",
     255, "\nUnable to use real/data.txt as a report file: it is the data file.\n",
     "cmp data.txt real/data.txt && [ ! -e f.txt ] && none && (cd real && none)"},
    {"a report to a FIFO",
     "ref; mkfifo p; cat p > got.txt & run --data data.txt --state 01 --fips fips.lst "
     "--foster-care-report p --adoption-report a.txt >/dev/null; s=$?; wait; exit $s",
     0, "", "[ -p p ] && cmp got.txt ref-f.txt"},
    // Marked findings through a FIFO, which cannot be read back, equal those
    // of a file, also when a section repeated at the end unmatches the
    // findings of its first records.
    {"findings marked with their changes to a FIFO",
     "checked --data data.txt --findings e.json >/dev/null; "
     "awk '/^@/{s=1} /^[#%]/ && s==1 {s=2; printf \"%s\", sec} s==1{sec=sec $0 \"\\n\"} {print}' data.txt > d2.txt; "
     "for x in json csv; do checked --data d2.txt --findings n.$x --compare e.json >/dev/null || exit; "
     "mkfifo p.$x; cat p.$x > got.$x & checked --data d2.txt --findings p.$x --compare e.json >/dev/null || exit; "
     "wait; done",
     0, "", "cmp n.json got.json && cmp n.csv got.csv && grep -q unmatched n.csv && none"},
    {"a county list that is a folder",
     "mkdir d; run --data data.txt --state 01 --fips d --foster-care-report f.txt "
     "--adoption-report a.txt >/dev/null",
     255, "\nUnable to read file d: Is a directory.\nTerminating program.\n", "[ -e f.txt ] && none"},
    {"answers with CR LF", "printf 'data.txt\\r\\nf.txt\\r\\na.txt\\r\\n01\\r\\n' | run --fips fips.lst >/dev/null", 0,
     "", "[ -e f.txt ] && [ -e a.txt ] && [ \"$(ls | grep -c $'\\r')\" = 0 ]"},
    {"help to a full device", "run --help > /dev/full", 255, "unable to write to standard output", "true"},
    // Without --fips and without fips.lst in the folder, the list beside the
    // program serves, said once per run and once per --out-dir command.
    {"the county list beside the program",
     "rm fips.lst; run --data data.txt --state 01 --foster-care-report f.txt --adoption-report a.txt -q", 0,
     "fips.lst (installed with the program)\n", "[ -s f.txt ] && ! grep -q 'Unable' f.txt && none"},
    {"the county list beside the program, many files",
     "rm fips.lst; cp data.txt b.txt; run --out-dir out --state 01 data.txt b.txt >/dev/null", 0,
     "(installed with the program)", "[ $(grep -c 'Local agency list' err.txt) = 1 ] && [ -s out/b.foster-care.txt ]"},
    {"a missing --fips list is not replaced", "rm fips.lst; checked --data data.txt >/dev/null", 255,
     "\nUnable to open FIPS.LST file fips.lst: No such file or directory.\n", "! grep -q 'Local agency' err.txt"},
    {"no county list anywhere",
     "rm fips.lst; cp \"$V\" ./p; ./p --data data.txt --state 01 --foster-care-report f.txt "
     "--adoption-report a.txt -q",
     255, "\nUnable to open FIPS.LST file fips.lst: No such file or directory.\n", "! grep -q 'Local agency' err.txt"},
    // A State named another way is refused with its code as a hint, on the
    // command line and in the dialogue; a code of no State gets no hint.
    {"a State's postal abbreviation",
     "run --data data.txt --state OH --fips fips.lst -q --foster-care-report f.txt "
     "--adoption-report a.txt",
     255, "\nOH is not a valid State FIPS code.\nOhio is 39.\nTerminating program.\n", "[ ! -e f.txt ] && none"},
    {"a State's name in lower case",
     "run --data data.txt --state ohio --foster-care-report f.txt --adoption-report a.txt >/dev/null", 255,
     "\nohio is not a valid State FIPS code.\nOhio is 39.\nTerminating", "none"},
    {"a State code without its leading zero", "printf 'data.txt\\nf.txt\\na.txt\\n6\\n' | run >/dev/null", 255,
     "\n6 is not a valid State FIPS code.\nCalifornia is 06.\nTerminating", "none"},
    {"a State's name in the dialogue", "printf 'data.txt\\nf.txt\\na.txt\\nNEW YORK\\n' | run >/dev/null", 255,
     "\nNEW YORK is not a valid State FIPS code.\nNew York is 36.\nTerminating", "none"},
    {"no State's code", "run --data data.txt --state 03 --foster-care-report f.txt --adoption-report a.txt >/dev/null",
     255, "\n03 is not a valid State FIPS code.\nTerminating", "none"},
    // A run watched on a terminal ends with a summary (its first action the
    // page's first, the State code that looks wrong, where the outputs went);
    // with --quiet or piped, the console has none.
    {"the closing summary on a terminal only",
     "sed '4,23s/^../39/' data.txt > s.dat; for q in '' -q; do script -qec \"'$V' --as-of '2026-12-08 09:00' "
     "--data s.dat --state 01 --fips fips.lst --foster-care-report f.txt --adoption-report a.txt --html p.html $q\" "
     "tty$q.txt </dev/null >/dev/null || exit; done; checked --data s.dat --html p.html > piped.txt",
     0, "",
     "n=$(grep -o 'data-records=[0-9]*' p.html | head -1 | cut -d= -f2); tr -d '\\r' < tty.txt > t.txt; "
     "grep -qx 'Fix first:' t.txt && grep -q \"^  1\\. .*: $n adoption records\" t.txt && "
     "grep -qx '20 of 20 adoption records give State 39, not 01: check the State code.' t.txt && "
     "grep -qx 'HTML page:          p.html' t.txt && grep -q '^40 detail records checked' t.txt && "
     "! grep -q 'Fix first' tty-q.txt piped.txt"},
    // The rules document: written whole without a question, or refused.
    {"the rules in both formats", "run --rules r.md </dev/null >out.txt && run --rules=r.html -q </dev/null", 0, "",
     "[ ! -s out.txt ] && grep -q '^| 37 | Child is receiving' r.md && tail -1 r.html | grep -q '</html>' && none"},
    {"the rules to a file of another kind", "run --rules r.txt", 2,
     "vortel-dq: --rules needs a file name ending in .html or .md, not \"r.txt\"\n", "[ ! -e r.txt ]"},
    {"the rules to a folder that does not exist", "run --rules none/r.html", 255,
     "vortel-dq: unable to write the rules to none/r.html: No such file or directory\n", "none"},
    // Names mean what the system's open() makes of them.
    {"a report through a missing folder and ..", "cp data.txt keep; adoption data.txt nosuch/../data.txt >/dev/null",
     255, "Unable to open file nosuch/../data.txt: No such file or directory.",
     "cmp data.txt keep && [ ! -e f.txt ] && [ ! -e nosuch ] && none"},
    {"error records through a missing folder and ..",
     "cp data.txt keep; checked --data data.txt --error-records nosuch/../data.txt", 255,
     "Unable to open file nosuch/../data.txt: No such file or directory.",
     "cmp data.txt keep && [ ! -e f.txt ] && none"},
    {"a page through a missing folder and ..", "cp fips.lst keep; checked --data data.txt --html nosuch/../fips.lst",
     255, "Unable to open file nosuch/../fips.lst: No such file or directory.",
     "cmp fips.lst keep && [ ! -e f.txt ] && none"},
    {"a report through a link and .. goes beside the link's target",
     "cp data.txt keep; mkdir -p e/sub; ln -s e/sub d; adoption data.txt d/../data.txt >/dev/null", 0, "",
     "cmp data.txt keep && grep -q Date: e/data.txt && none"},
    {"a report through a link and .. that is the data file",
     "mkdir -p e/sub; ln -s e/sub d; cp data.txt e/; adoption e/data.txt d/../data.txt", 255,
     "\nUnable to use d/../data.txt as a report file: it is the data file.\n",
     "cmp e/data.txt data.txt && [ ! -e f.txt ] && none"},
    {"a write-protected report",
     "echo OLD > a.txt; chmod 444 a.txt; user \"$V\" --data data.txt --state 01 --fips fips.lst --foster-care-report "
     "f.txt --adoption-report a.txt",
     255, "\nUnable to open file a.txt: Permission denied.\n", "[ \"$(cat a.txt)\" = OLD ] && [ ! -e f.txt ] && none"},
    {"an output of many files that is a data file",
     "cp data.txt a.dat; mkdir o; cp data.txt o/a.adoption.txt; run --state 01 --fips fips.lst --out-dir o a.dat "
     "o/a.adoption.txt",
     2,
     "vortel-dq: a.dat would write o/a.adoption.txt, which is the data file o/a.adoption.txt (see vortel-dq --help)\n",
     "cmp o/a.adoption.txt data.txt && [ $(ls -A o | wc -l) = 1 ]"},
    {"an output of many files through a folder still to be made and ..",
     "cp data.txt a.dat; cp data.txt a.adoption.txt; run --state 01 --fips fips.lst --out-dir new/.. a.dat "
     "a.adoption.txt",
     2, "a.dat would write new/../a.adoption.txt, which is the data file a.adoption.txt",
     "cmp a.adoption.txt data.txt && [ ! -e new ] && [ ! -e a.html ]"},
    {"an output of many files that is the county list",
     "mkdir o; cp fips.lst o/index.html; run --state 01 --fips o/index.html --out-dir o data.txt", 2,
     "vortel-dq: the index would write o/index.html, which is the county list o/index.html",
     "cmp o/index.html fips.lst && [ $(ls -A o | wc -l) = 1 ]"},
    {"an interrupted wide many-file run",
     "for i in $(seq 80); do mkfifo p$i.dat; (cat data.txt; exec sleep 8) > p$i.dat & done; "
     "timeout --preserve-status -s INT 3 \"$V\" --state 01 --fips fips.lst --out-dir o -j 9999 p*.dat >/dev/null; "
     "s=$?; kill $(jobs -p) 2>/dev/null; exit $s",
     130, "", "[ -d o ] && none o && [ ! -e o/index.csv ]"},
    {"the file size limit, signal as it comes", "echo OLD > f.txt; ulimit -f 8; checked --data data.txt >/dev/null",
     255, ": File too large.", "[ \"$(cat f.txt)\" = OLD ] && [ ! -e a.txt ] && none"},
    {"a fatal error keeps the findings compared with",
     "checked --data data.txt --findings b.json >/dev/null; cp b.json keep.json; run --data data.txt --state 01 "
     "--fips none.lst --foster-care-report f2.txt --adoption-report a2.txt --findings b.json --compare b.json "
     ">/dev/null",
     255, "Unable to open FIPS.LST file none.lst", "cmp b.json keep.json && [ -e f2.txt ] && none"},
    {"a State answer with terminal controls",
     "printf '0\\033[2J\\n' | run --data data.txt --fips fips.lst --foster-care-report f.txt --adoption-report a.txt "
     ">/dev/null",
     255, "\n0\\x1B[2J is not a valid State FIPS code.\n", "[ ! -e f.txt ] && none"},
    // Every link of the index resolves, in a browser, to a file beside it.
    {"index links from hostile names", R"sh(command -v chromium >/dev/null || { touch skipped; exit 0; }
for n in 'javascript:document.title=1;a' 'sub-2026-12-08T09:00' 'a#b?c%d e&f<g'; do cp data.txt "$n.dat"; done
run --state 01 --fips fips.lst --out-dir o *:*.dat 'a#'*.dat >/dev/null || exit 1
echo '<body><iframe src="index.html"></iframe><script>onload = () => { for (const a of
  frames[0].document.querySelectorAll("a")) document.body.append("LINK " + a.href + " ") }</script>' > o/links.html
timeout 120 chromium --headless --disable-gpu --no-sandbox --user-data-dir="$PWD/profile" --allow-file-access-from-files \
  --virtual-time-budget=5000 --dump-dom "file://$PWD/o/links.html" 2>/dev/null > dom.html)sh",
     0, "", R"sh([ -e skipped ] || python3 -c '
import os, re, sys, urllib.parse as u
links = [u.urlparse(l) for l in re.findall(r"LINK (file:\S+)", open("dom.html").read())]
good = [l for l in links if not l.query and not l.fragment and os.path.isfile(u.unquote(l.path))
        and os.path.dirname(u.unquote(l.path)) == os.path.realpath("o")]
sys.exit(len(links) != 12 or len(good) != 12)')sh"},
    // The index as a browser shows it: the status of each file in words and
    // the totals row.
    {"index rendered with totals and status words", R"sh(command -v chromium >/dev/null || { touch skipped; exit 0; }
run --state 01 --fips fips.lst --out-dir o data.txt nosuch.dat >/dev/null 2>&1; [ $? = 255 ] || exit 1
echo '<body><iframe src="index.html"></iframe><script>onload = () => { const d = frames[0].document;
  document.body.append("TOTALS[" + d.querySelector("tfoot tr").innerText.replace(/\s+/g, " ") + "] ");
  for (const c of d.querySelectorAll("tbody td.status")) document.body.append("STATUS[" + c.innerText + "] ") }</script>' > o/seen.html
timeout 120 chromium --headless --disable-gpu --no-sandbox --user-data-dir="$PWD/profile" --allow-file-access-from-files \
  --virtual-time-budget=5000 --dump-dom "file://$PWD/o/seen.html" 2>/dev/null > dom.html)sh",
     0, "",
     R"sh([ -e skipped ] || { grep -qF 'TOTALS[Total, 2 files 40 20 50.0% 80 1 with findings, 1 failed' dom.html &&
grep -qF 'STATUS[findings]' dom.html && grep -qF 'STATUS[failed: Unable to open file nosuch.dat: No such file or directory.]' dom.html; })sh"},
    // What --compare skips costs no memory: white space, a long unknown string.
    {"earlier findings padded beyond the memory limit",
     "checked --data data.txt --findings e.json >/dev/null; { head -c 60000000 /dev/zero | tr '\\0' ' '; cat e.json; } "
     "> ws.json; { printf '{\"x\": \"'; head -c 40000000 /dev/zero | tr '\\0' x; printf '\",'; tail -c +2 e.json; } "
     "> str.json; for d in ws str; do (ulimit -v 65536; run --data data.txt --state 01 --fips fips.lst "
     "--foster-care-report f$d.txt --adoption-report a$d.txt --compare $d.json >/dev/null) || exit; done",
     0, "", "[ -e fws.txt ] && [ -e fstr.txt ]", true},
    {"many files out of descriptors",
     "(exec 3>&- 4>&- 5>&- 6>&- 7>&- 8>&- 9>&-; ulimit -n 4; exec \"$V\" --state 01 --fips fips.lst --out-dir o -j 1 "
     "data.txt) >/dev/null",
     255, "data.txt: Unable to open a scratch file: Too many open files.\n", "none o"},
};

int shell(const fs::path& dir, const std::string& script, const std::string& redirect = "") {
    writeFile(dir / "case.sh", kPrelude + script + "\n");
    const std::string command = "cd '" + dir.string() + "' && bash case.sh " + redirect;
#if defined(_WIN32)
    (void)command;
    return -1;
#else
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
}

TEST(Faults, EachCaseEndsAsItShouldAndLeavesItsFilesSound) {
    if (kOnWindows)
        GTEST_SKIP() << "the cases are bash scripts using /dev/full, ulimit, FIFOs, signals and symbolic links "
                        "(the Windows counterparts are WindowsFaults)";
    const fs::path examples = fs::path(VORTEL_SOURCE_DIR) / "examples";
    for (const FaultCase& c : kCases) {
        if (c.plainBuildOnly && kSanitized) continue;
        ScratchDir dir;
        fs::copy(examples / "example.dat", dir / "data.txt");
        fs::copy(examples / "fips.lst", dir / "fips.lst");
        const int status = shell(dir.path(), c.script, "2> err.txt");
        EXPECT_EQ(status, c.status) << c.name << "\n" << readFile(dir / "err.txt");
        EXPECT_NE(readFile(dir / "err.txt").find(c.error), std::string::npos) << c.name << "\n"
                                                                              << readFile(dir / "err.txt");
        EXPECT_EQ(shell(dir.path(), c.check), 0) << c.name;
    }
}

}  // namespace

namespace {

// A regular file read to fewer bytes than it held when opened was cut short
// by another process; one that grew is read to its end.
TEST(Faults, ADataFileCutShortWhileReadIsAReadError) {
    for (const long long sizeAtOpen : {5LL, 2LL, 6LL}) {
        std::FILE* file = std::tmpfile();
        std::fputs("$\n@\n\n", file);
        std::rewind(file);
        vortel::LineReader reader(file, sizeAtOpen);
        auto readAll = [&] {
            while (reader.next()) {
            }
        };
        if (sizeAtOpen > 5)
            EXPECT_THROW(readAll(), vortel::DataReadError);
        else
            EXPECT_NO_THROW(readAll());
        std::fclose(file);
    }
}

}  // namespace
