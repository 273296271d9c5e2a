// The program under faults, run as a separate process from a shell: full
// devices, file size limits, read errors, closed standard streams, signals,
// runs at once, links, FIFOs and answers saved with CR LF. Each case is a
// script, the exit status and error text it must give, and a check of the
// files it left behind.
#include <sys/wait.h>

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
const std::string kPrelude = std::string("V='") + VORTEL_PROGRAM + "'\n" + R"(
run() { "$V" --as-of "2026-12-08 09:00" "$@"; }
checked() { run --state 01 --fips fips.lst --foster-care-report f.txt --adoption-report a.txt "$@"; }
ref() { run --data "${1:-data.txt}" --state 01 --fips fips.lst --foster-care-report ref-f.txt --adoption-report ref-a.txt >/dev/null; }
none() { ! ls -A | grep -q 'vortel-dq-'; }
)";

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
    {"a county list that is a folder",
     "mkdir d; run --data data.txt --state 01 --fips d --foster-care-report f.txt "
     "--adoption-report a.txt >/dev/null",
     255, "\nUnable to read file d: Is a directory.\nTerminating program.\n", "[ -e f.txt ] && none"},
    {"answers with CR LF", "printf 'data.txt\\r\\nf.txt\\r\\na.txt\\r\\n01\\r\\n' | run --fips fips.lst >/dev/null", 0,
     "", "[ -e f.txt ] && [ -e a.txt ] && [ \"$(ls | grep -c $'\\r')\" = 0 ]"},
    {"help to a full device", "run --help > /dev/full", 255, "unable to write to standard output", "true"},
};

int shell(const fs::path& dir, const std::string& script, const std::string& redirect = "") {
    writeFile(dir / "case.sh", kPrelude + script + "\n");
    const std::string command = "cd '" + dir.string() + "' && bash case.sh " + redirect;
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

TEST(Faults, EachCaseEndsAsItShouldAndLeavesItsFilesSound) {
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
