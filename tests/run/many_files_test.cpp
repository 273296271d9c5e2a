// Many data files in one command (--out-dir) and --quiet.
#include <filesystem>

#include <gtest/gtest.h>

#include "support/program_run.h"

using namespace vortel::testing;
namespace fs = std::filesystem;

namespace {

const fs::path kExamples = fs::path(VORTEL_SOURCE_DIR) / "examples";

// A folder with the example as a.dat and b.txt, an empty file e.dat, and the
// example's county list.
struct Folder {
    ScratchDir dir;
    Folder() {
        fs::copy(kExamples / "example.dat", dir / "a.dat");
        fs::copy(kExamples / "example.dat", dir / "b.txt");
        writeFile(dir / "e.dat", "");
        fs::copy(kExamples / "fips.lst", dir / "fips.lst");
    }
    RunResult run(const std::vector<std::string>& args) {
        std::vector<std::string> all = {"--state", "01", "--fips", "fips.lst", "--as-of", "2026-12-08 09:00"};
        all.insert(all.end(), args.begin(), args.end());
        return runIn(dir.path(), all);
    }
};

TEST(ManyFiles, BadCommandLinesExitWithStatus2AndCreateNothing) {
    const std::vector<std::vector<std::string>> cases = {
        {"--out-dir", "out", "a.dat", "sub/a.txt"},        // both write out/a.*
        {"--out-dir", "out", "index.dat"},                 // index.* is the index's
        {"--out-dir", "out", "a.dat", "--data", "b.txt"},  // a single run's file
        {"--out-dir", "out", "a.dat", "--findings", "f.json"},
        {"--out-dir", "out", "a.dat", "--compare", "f.json"},
        {"--out-dir", "out", "a.dat", "--html", "a.html"},
        {"--out-dir", "out"},  // no data file
        {"--out-dir", "out", "-j", "0", "a.dat"},
        {"a.dat", "b.txt"},  // data files without --out-dir
        {"-j", "2"},
        {"--quiet", "--data", "a.dat"},  // --quiet asks nothing
    };
    for (const auto& args : cases) {
        Folder f;
        const RunResult r = f.run(args);
        EXPECT_EQ(r.status, 2) << args[0] << " " << r.err;
        EXPECT_FALSE(fs::exists(f.dir / "out")) << args[0];
        EXPECT_EQ(r.out, "");
    }
}

TEST(ManyFiles, EachFileIsARunOfItsOwnWithAnIndex) {
    struct Case {
        std::vector<std::string> extra;
        int status;  // the highest of the files'
        std::string index;
        const char* first = nullptr;  // a file named before the others
    };
    // Each file's row: its status, counts by kind, findings, then the totals,
    // the share with findings and the outcome in words.
    const std::string a = "a.dat,0,20,10,20,10,80,40,20,50.0,findings\r\n";
    const std::string b = "b.txt,0,20,10,20,10,80,40,20,50.0,findings\r\n";
    const std::string e = "e.dat,0,0,0,0,0,0,0,0,0.0,complete\r\n";
    const std::string missing =
        "nosuch.dat,255,0,0,0,0,0,0,0,0.0,failed: Unable to open file nosuch.dat: No such file or directory.\r\n";
    // With --fail-on-findings every run ends with status 1.
    const auto failing = [](std::string row) { return row.replace(row.find(",0,"), 3, ",1,"); };
    const Case cases[] = {
        {{}, 0, a + b + e},
        {{"-j1", "--fail-on-findings"}, 1, failing(a) + failing(b) + failing(e)},
        {{"--jobs=2", "nosuch.dat"}, -1, a + b + e + missing},
        {{"-j1"}, -1, missing + a + b + e, "nosuch.dat"},
        {{"--jobs=2", "--fail-on-findings"}, -1, missing + failing(a) + failing(b) + failing(e), "nosuch.dat"},
    };
    Folder f;
    const RunResult single =
        runIn(f.dir.path(), {"--data", "a.dat", "--foster-care-report", "fc.txt", "--adoption-report", "ad.txt",
                             "--state", "01", "--fips", "fips.lst", "--as-of", "2026-12-08 09:00", "--quiet"});
    ASSERT_EQ(single.status, 0) << single.err;
    EXPECT_EQ(single.out, "");  // --quiet: no running counts
    for (const Case& c : cases) {
        fs::remove_all(f.dir / "out");
        std::vector<std::string> args = {"--out-dir", "out/sub"};
        if (c.first) args.emplace_back(c.first);
        args.insert(args.end(), {"a.dat", "b.txt", "e.dat"});
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const RunResult r = f.run(args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_EQ(readFile(f.dir / "out/sub/index.csv").substr(readFile(f.dir / "out/sub/index.csv").find("\r\n") + 2),
                  c.index);
        EXPECT_NE(r.out.find("b.txt: 20 adoption records (10 with findings)"), std::string::npos) << r.out;
        const std::string page = readFile(f.dir / "out/sub/index.html");
        EXPECT_NE(page.find("<td>e.dat</td>"), std::string::npos);
        EXPECT_NE(page.find("<p>State 01 &middot; checked 12/08/2026 09:00AM</p>"), std::string::npos);
        EXPECT_NE(page.find("<td class=status>complete</td>"), std::string::npos);
        // The totals row: every file's records and findings.
        const int files = c.index.find("nosuch") == std::string::npos ? 3 : 4;
        EXPECT_NE(page.find("<tfoot><tr class=totals><th>Total, " + std::to_string(files) +
                            " files</th><td class=n>80</td>"
                            "<td class=n>40</td><td class=n>50.0%</td><td class=n>160</td>"),
                  std::string::npos)
            << page;
        // The reports of each file are those of a run of its own.
        std::string expected = readFile(f.dir / "fc.txt");
        for (std::size_t at; (at = expected.find("File: a.dat")) != std::string::npos;)
            expected.replace(at, 11, "File: b.txt");
        EXPECT_TRUE(readFile(f.dir / "out/sub/b.foster-care.txt") == expected);
        EXPECT_TRUE(fs::exists(f.dir / "out/sub/a.findings.json"));
        EXPECT_TRUE(fs::exists(f.dir / "out/sub/a.html"));
    }
}

}  // namespace
