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
        const char* index;
        const char* first = nullptr;  // a file named before the others
    };
    const Case cases[] = {
        {{}, 0, "a.dat,0,20,10,20,10,80\r\nb.txt,0,20,10,20,10,80\r\ne.dat,0,0,0,0,0,0\r\n"},
        {{"-j1", "--fail-on-findings"}, 1, "a.dat,1,20,10,20,10,80\r\nb.txt,1,20,10,20,10,80\r\ne.dat,1,0,0,0,0,0\r\n"},
        {{"--jobs=2", "nosuch.dat"},
         -1,
         "a.dat,0,20,10,20,10,80\r\nb.txt,0,20,10,20,10,80\r\ne.dat,0,0,0,0,0,0\r\nnosuch.dat,255,0,0,0,0,0\r\n"},
        {{"-j1"},
         -1,
         "nosuch.dat,255,0,0,0,0,0\r\na.dat,0,20,10,20,10,80\r\nb.txt,0,20,10,20,10,80\r\ne.dat,0,0,0,0,0,0\r\n",
         "nosuch.dat"},
        {{"--jobs=2", "--fail-on-findings"},
         -1,
         "nosuch.dat,255,0,0,0,0,0\r\na.dat,1,20,10,20,10,80\r\nb.txt,1,20,10,20,10,80\r\ne.dat,1,0,0,0,0,0\r\n",
         "nosuch.dat"},
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
        EXPECT_NE(readFile(f.dir / "out/sub/index.html").find("<td>e.dat</td>"), std::string::npos);
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
