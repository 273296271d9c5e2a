#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "run/run_control.h"
#include "support/program_run.h"

using namespace vortel;
using namespace vortel::testing;
namespace fs = std::filesystem;

namespace {

TEST(Options, BadCommandLinesExitWithStatus2AndCreateNothing) {
    const std::vector<std::vector<std::string>> cases = {
        {"--bogus"},
        {"--data"},
        {"--as-of", "2026-13-01 09:00"},
        {"--as-of=2026-02-30 09:00"},
        {"--as-of", "2026-12-08"},
        {"--as-of", "2026-12-08 24:00"},
        {"data.txt"},
        {"--state", "01", "-x"},
        {"--data=data.txt", "--foster-care-report", "freport.txt", "--adoption-report", "areport.txt", "--nope"},
        {"--data", "data.txt", "--data=data.txt"},
        {"--fail-on-findings", "--fail-on-findings"},
        {"--data=", "--foster-care-report", "freport.txt", "--adoption-report", "areport.txt", "--state", "01"},
        {"--state", "", "--data", "data.txt", "--foster-care-report", "freport.txt", "--adoption-report",
         "areport.txt"},
        {"--fips=", "--data", "data.txt", "--foster-care-report", "freport.txt", "--adoption-report", "areport.txt"},
    };
    for (const auto& args : cases) {
        ScratchDir dir;
        writeFile(dir / "data.txt", "$\n");
        const RunResult r = runIn(dir.path(), args);
        EXPECT_EQ(r.status, 2) << args[0];
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err, "");
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_FALSE(fs::exists(dir / "freport.txt"));
        EXPECT_FALSE(fs::exists(dir / "areport.txt"));
    }
}

TEST(Options, EqualsFormAndSpaceFormAnswerTheSameQuestions) {
    ScratchDir dir;
    writeFile(dir / "data.txt", "nothing here\n");
    const RunResult r = runIn(dir.path(), {"--data=data.txt", "--foster-care-report=f.txt", "--adoption-report",
                                           "a.txt", "--state=72", "--as-of=2024-02-29 23:59"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");  // nothing asked
    const std::string report = readFile(dir / "a.txt");
    EXPECT_EQ(report.substr(0, 25), "Date: 02/29/2024 11:59PM\n");
}

TEST(Options, HelpAndVersion) {
    ScratchDir dir;
    RunResult r = runIn(dir.path(), {"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* option :
         {"--data", "--foster-care-report", "--adoption-report", "--state", "--fips", "--as-of", "--findings",
          "--error-records", "--compare", "--fail-on-findings", "-h, --help", "-V, --version"})
        EXPECT_NE(r.out.find(option), std::string::npos) << option;
    EXPECT_EQ(runIn(dir.path(), {"-h"}).out, r.out);
    for (const char* version : {"--version", "-V"}) {
        r = runIn(dir.path(), {version});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out.rfind("vortel-dq ", 0), 0u);
    }
}

TEST(Options, ClockReadingIsValidated) {
    EXPECT_TRUE(parseClockReading("2024-02-29 00:00"));
    EXPECT_FALSE(parseClockReading("2023-02-29 00:00"));
    EXPECT_FALSE(parseClockReading("2023-04-31 12:00"));
    EXPECT_FALSE(parseClockReading("2023-12-31 12:60"));
    EXPECT_FALSE(parseClockReading("2023/12/31 12:00"));
    EXPECT_FALSE(parseClockReading(" 2023-12-31 12:00"));
}

TEST(Dialogue, StateCodeTest) {
    for (const char* ok : {"01", "11", "72", "56", "02"}) EXPECT_FALSE(stateCodeInvalid(ok)) << ok;
    for (const char* bad : {"", "0", "03", "14", "43", "52", "57", "001", "0 1", " 01", "01 ", "1 0", "01 02"})
        EXPECT_TRUE(stateCodeInvalid(bad)) << '"' << bad << '"';
}

TEST(Dialogue, EndOfInputAnswersWithAnEmptyName) {
    ScratchDir dir;
    const RunResult r = runIn(dir.path(), {"--as-of", "2026-12-08 09:00"}, "");
    EXPECT_EQ(r.status, -1);
    EXPECT_EQ(r.err, "\nUnable to open file : No such file or directory.\nTerminating program.\n");
}

TEST(Dialogue, RefusedReportLeavesTheDataFileAsItWas) {
    ScratchDir dir;
    const std::string data = "$\n01      202609\n" + std::string(111, '1') + "\n";
    writeFile(dir / "data.txt", data);
    fs::create_symlink(dir / "data.txt", dir / "link.txt");
    for (const char* report : {"link.txt", "./data.txt", "data.txt"}) {
        std::vector<std::string> args = standardArgs();
        args[5] = report;  // the adoption report
        const RunResult r = runIn(dir.path(), args);
        EXPECT_EQ(r.status, -1) << report;
        EXPECT_NE(r.err.find(report), std::string::npos) << r.err;
        EXPECT_EQ(readFile(dir / "data.txt"), data);
    }
}

TEST(Dialogue, DirectoryAsDataFileCannotBeOpened) {
    ScratchDir dir;
    fs::create_directory(dir / "sub");
    std::vector<std::string> args = standardArgs();
    args[1] = "sub";
    const RunResult r = runIn(dir.path(), args);
    EXPECT_EQ(r.status, -1);
    EXPECT_EQ(r.err, "\nUnable to open file sub: Is a directory.\nTerminating program.\n");
    EXPECT_FALSE(fs::exists(dir / "freport.txt"));
}

}  // namespace

namespace {

TEST(Dialogue, ReportThatCannotBeCreatedIsFatalAndLeavesTheOtherInputsAlone) {
    const std::pair<const char*, const char*> cases[] = {{"nodir/areport.txt", "No such file or directory"},
                                                         {"data.txt/areport.txt", "Not a directory"}};
    for (const auto& [report, reason] : cases) {
        ScratchDir dir;
        writeFile(dir / "data.txt", "$\n");
        std::vector<std::string> args = standardArgs();
        args[5] = report;
        const RunResult r = runIn(dir.path(), args);
        EXPECT_EQ(r.status, -1);
        EXPECT_EQ(r.err, std::string("\nUnable to open file ") + report + ": " + reason + ".\nTerminating program.\n");
        EXPECT_EQ(readFile(dir / "data.txt"), "$\n");
        // Only the data file: no report, no temporary.
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
    }
}

}  // namespace

namespace {

TEST(Dialogue, UnreadableDataFileIsFatal) {
    if (::geteuid() == 0) GTEST_SKIP() << "the superuser can read any file";
    ScratchDir dir;
    writeFile(dir / "data.txt", "$\n");
    fs::permissions(dir / "data.txt", fs::perms::none);
    const RunResult r = runIn(dir.path(), standardArgs());
    EXPECT_EQ(r.status, -1);
    EXPECT_EQ(r.err, "\nUnable to open file data.txt.\nTerminating program.\n");
    EXPECT_FALSE(fs::exists(dir / "freport.txt"));
}

}  // namespace
