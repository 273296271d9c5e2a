// Runs the synthetic data generator (tools/vortel_gen.py) on small counts and
// checks what it writes with the program itself: clean files must pass the
// checks without a finding, files with errors must give missing and
// out-of-range elements in both reports.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "support/program_run.h"

namespace fs = std::filesystem;
using namespace vortel::testing;

namespace {

const fs::path kScript = fs::path(VORTEL_SOURCE_DIR) / "tools" / "vortel_gen.py";
const fs::path kAllCounties = fs::path(VORTEL_SOURCE_DIR) / "data" / "fips.lst";

std::string quoted(const fs::path& p) { return "'" + p.string() + "'"; }

// Runs the generator in `dir` with `options`, writing data.txt and fips.lst
// there; returns its exit status as std::system gives it.
int generate(const fs::path& dir, const std::string& options) {
    const std::string command = "python3 " + quoted(kScript) + " " + options + " -o " + quoted(dir / "data.txt") +
                                " --fips-out " + quoted(dir / "fips.lst") + " 2>" + quoted(dir / "gen.err");
    return std::system(command.c_str());
}

// The sums of the Total line of a data errors table.
struct Totals {
    long missing = -1, outOfRange = -1, likely = -1, total = -1, cleaned = -1;
};

Totals totalsOf(const std::string& report) {
    Totals t;
    const auto at = report.find("\nTotal");
    if (at != std::string::npos)
        std::sscanf(report.c_str() + at, "\nTotal%ld%ld%ld%ld ||%ld", &t.missing, &t.outOfRange, &t.likely, &t.total,
                    &t.cleaned);
    return t;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) out.push_back(line);
    return out;
}

struct Case {
    const char* name;
    const char* options;
    const char* state;
    bool withErrors;
};

// 200 records of each kind; --templates below the count exercises the
// drawing of records from a pool, as for large files.
const Case kCases[] = {
    {"Clean", "--adoption 200 --foster-care 200 --footnotes 12 --seed 3", "01", false},
    {"CleanCrLf", "--adoption 200 --foster-care 200 --footnotes 12 --seed 4 --crlf", "01", false},
    {"CleanFromPool", "--adoption 200 --foster-care 200 --seed 5 --templates 40", "01", false},
    {"CleanRealCounties", "--adoption 200 --foster-care 200 --seed 6 --state 72 --fips @ALL@", "72", false},
    {"CleanOtherPeriod", "--adoption 200 --foster-care 200 --seed 7 --period 202603", "01", false},
    {"CleanAggregates", "--adoption 200 --foster-care 200 --seed 10 --aggregates 3", "01", false},
    {"Errors", "--adoption 200 --foster-care 200 --footnotes 12 --seed 3 --error-rate 0.3", "01", true},
    {"ErrorsCrLf", "--adoption 200 --foster-care 200 --seed 8 --error-rate 0.3 --crlf", "01", true},
    {"ErrorsFromPool", "--adoption 200 --foster-care 200 --seed 9 --error-rate 0.3 --templates 40", "01", true},
};

class Generator : public ::testing::TestWithParam<Case> {};

TEST_P(Generator, ProgramFindsWhatTheGeneratorPutIn) {
    if (!havePython()) GTEST_SKIP() << "python3 is not available";
    const Case& c = GetParam();
    ScratchDir dir;
    std::string options = c.options;
    if (auto at = options.find("@ALL@"); at != std::string::npos) options.replace(at, 5, quoted(kAllCounties));
    ASSERT_EQ(generate(dir.path(), options), 0) << readFile(dir / "gen.err");

    const RunResult run = runIn(dir.path(), standardArgs(c.state));
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string reports[] = {readFile(dir / "areport.txt"), readFile(dir / "freport.txt")};
    for (const std::string& report : reports) {
        // Every line after a section's summary record was read as a detail record.
        EXPECT_NE(report.find("Data Errors for 00000200 Records"), std::string::npos);
        const Totals t = totalsOf(report);
        if (c.withErrors) {
            EXPECT_GT(t.missing, 0);
            EXPECT_GT(t.outOfRange, 0);
        } else {
            // Clean records are consistent too: nothing is missing, out of range
            // or likely in error, and the aggregate and footnote records pass.
            EXPECT_EQ(t.missing, 0);
            EXPECT_EQ(t.outOfRange, 0);
            EXPECT_EQ(t.likely, 0);
            EXPECT_EQ(t.cleaned, 0);
            EXPECT_EQ(report.find("\n\nError Description"), std::string::npos);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Generator, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& param) { return std::string(param.param.name); });

TEST(GeneratorOutput, IsTheSameForTheSameSeedAndDiffersForAnother) {
    if (!havePython()) GTEST_SKIP() << "python3 is not available";
    ScratchDir a, b, c;
    const std::string options = "--adoption 300 --foster-care 300 --footnotes 5 --error-rate 0.2 --templates 50";
    ASSERT_EQ(generate(a.path(), options + " --seed 11"), 0);
    ASSERT_EQ(generate(b.path(), options + " --seed 11"), 0);
    ASSERT_EQ(generate(c.path(), options + " --seed 12"), 0);
    const std::string first = readFile(a / "data.txt");
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(first, readFile(b / "data.txt"));
    EXPECT_NE(first, readFile(c / "data.txt"));
}

TEST(GeneratorOutput, UsesOnlyRealCountyCodesOfTheStateAndListsThem) {
    if (!havePython()) GTEST_SKIP() << "python3 is not available";
    ScratchDir dir;
    ASSERT_EQ(generate(dir.path(), "--adoption 0 --foster-care 300 --state 06 --seed 2 --fips " + quoted(kAllCounties)),
              0);
    std::set<std::string> real;
    for (const std::string& code : lines(readFile(kAllCounties))) real.insert(code.substr(0, 5));
    std::set<std::string> listed;
    for (const std::string& code : lines(readFile(dir / "fips.lst"))) {
        EXPECT_EQ(code.substr(0, 2), "06");
        EXPECT_TRUE(real.count(code)) << code;
        listed.insert(code);
    }
    std::set<std::string> used;
    bool inSection = false;
    int recordLines = 0;
    for (const std::string& line : lines(readFile(dir / "data.txt"))) {
        if (line.starts_with("@")) {
            inSection = true;
            recordLines = -1;  // the summary record comes first
        } else if (inSection && ++recordLines > 0) {
            ASSERT_GE(line.size(), 13u);
            used.insert(line.substr(8, 5));
        }
    }
    EXPECT_EQ(recordLines, 300);
    EXPECT_GT(used.size(), 5u);  // records are spread over many counties
    for (const std::string& code : used) EXPECT_TRUE(listed.count(code)) << code;
}

TEST(GeneratorOptions, RejectsValuesThatCannotGiveAValidFile) {
    if (!havePython()) GTEST_SKIP() << "python3 is not available";
    const char* const bad[] = {
        "--state 03",                               // not a State FIPS code
        "--period 202606",                          // not March or September
        "--period 199409",                          // before 1995
        "--period 202703 --as-of 2026-06-01",       // after the period under way
        "--as-of 2026-13-01",                       // not a date
        "--error-rate 1.5",                         // not a share
        "--state 01 --fips /nonexistent/fips.lst",  // no such list
    };
    for (const char* options : bad) {
        ScratchDir dir;
        EXPECT_NE(generate(dir.path(), std::string("--adoption 1 --foster-care 1 ") + options), 0) << options;
    }
}

}  // namespace
