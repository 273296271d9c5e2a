// Faults as they come on Windows, run in-process: a report held open by
// another program (a spreadsheet, an editor) or marked read-only cannot be
// replaced, so the run ends with the write error, the temporary removed and
// the old report kept; names differing only in case name one file; a folder
// given as the data file. The Linux faults are the shell cases of Faults.
#include <filesystem>
#include <functional>

#if defined(_WIN32)
#include <windows.h>
#endif

#include <gtest/gtest.h>

#include "support/program_run.h"

namespace fs = std::filesystem;
using namespace vortel::testing;

namespace {

struct WindowsFault {
    const char* name;
    std::function<void(const fs::path&)> before;  // sets the folder up
    std::vector<std::string> more;                // options over the usual answers
    int status;
    const char* error;
    bool oldReportKept;
};

// Another program's handle on the report while the run lasts: read access,
// others may read only, as a spreadsheet holds a file it shows.
struct HeldOpen {
#if defined(_WIN32)
    HANDLE handle = INVALID_HANDLE_VALUE;
    void hold(const fs::path& p) {
        handle = ::CreateFileW(p.wstring().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    }
    void release() {
        if (handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
    }
#else
    void hold(const fs::path&) {}
    void release() {}
#endif
};
HeldOpen gHeld;

const std::string kOld = "OLD REPORT\n";

TEST(WindowsFaults, EachEndsAsOnWindowsAndKeepsTheOldReport) {
    if (!kOnWindows) GTEST_SKIP() << "Windows behaviour (on Linux a held or read-only target is replaced)";
    const WindowsFault cases[] = {
        {"a report held open by another program",
         [](const fs::path& d) { gHeld.hold(d / "freport.txt"); },
         {},
         -1,
         "\nUnable to write file freport.txt: Permission denied.\nTerminating program.\n",
         true},
        {"a read-only report",
         [](const fs::path& d) {
             fs::permissions(d / "freport.txt", fs::perms::owner_write, fs::perm_options::remove);
         },
         {},
         -1,
         "\nUnable to open file freport.txt: Permission denied.\nTerminating program.\n",
         true},
        {"names differing only in case",
         nullptr,
         {"--adoption-report", "DATA.TXT"},
         -1,
         "\nUnable to use DATA.TXT as a report file: it is the data file.\nTerminating program.\n",
         true},
        {"a folder as the data file",
         [](const fs::path& d) { fs::create_directory(d / "folder"); },
         {"--data", "folder"},
         -1,
         "\nUnable to open file folder: Is a directory.\nTerminating program.\n",
         true},
    };
    const fs::path examples = fs::path(VORTEL_SOURCE_DIR) / "examples";
    for (const WindowsFault& c : cases) {
        ScratchDir dir;
        fs::copy(examples / "example.dat", dir / "data.txt");
        fs::copy(examples / "fips.lst", dir / "fips.lst");
        writeFile(dir / "freport.txt", kOld);
        if (c.before) c.before(dir.path());
        const RunResult r = runIn(dir.path(), withOptions(standardArgs(), c.more));
        gHeld.release();
        fs::permissions(dir / "freport.txt", fs::perms::owner_write, fs::perm_options::add);
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_EQ(r.err, c.error) << c.name;
        if (c.oldReportKept) {
            EXPECT_EQ(readFile(dir / "freport.txt"), kOld) << c.name;
        }
        EXPECT_FALSE(fs::exists(dir / "areport.txt")) << c.name;
        for (const auto& e : fs::directory_iterator(dir.path()))
            EXPECT_EQ(e.path().filename().string().find("vortel-dq-"), std::string::npos) << c.name << ": " << e.path();
    }
}

}  // namespace
