// Whole runs with --error-records: what the extract holds, byte for byte, and
// that checking it again gives the same findings for its records.
#include <filesystem>

#include <gtest/gtest.h>

#include "findings/findings_support.h"
#include "support/program_run.h"
#include "support/records.h"

namespace fs = std::filesystem;
using namespace vortel::testing;

namespace {

struct Extract {
    std::string text;          // the error records file
    std::vector<CsvRow> rows;  // the findings of the run that wrote it
};

// Checks `data` writing findings and the error records file.
Extract extract(const std::string& data) {
    ScratchDir dir;
    writeFile(dir / "data.txt", data);
    writeFile(dir / "fips.lst", kFipsList);
    const RunResult r = runIn(dir.path(), argsWith({"--findings", "f.csv", "--error-records", "e.txt"}));
    EXPECT_EQ(r.status, 0) << r.err;
    return {readFile(dir / "e.txt"), parseCsv(readFile(dir / "f.csv"))};
}

// Checks an extract again: its findings must be those of the first run, and
// its own extract must be itself.
void expectSameFindingsWhenCheckedAgain(const Extract& first) {
    const Extract again = extract(first.text);
    EXPECT_EQ(withoutLineNumbers(again.rows), withoutLineNumbers(first.rows));
    EXPECT_EQ(again.text, first.text);
}

TEST(ErrorRecords, RecordsWithFindingsAfterTheLinesOfTheirSection) {
    const std::string clean = cleanAdoptionRecord();
    const std::string bad = withField(cleanAdoptionRecord(), 28, "3");
    const std::string badCrLf = withField(cleanAdoptionRecord(), 1, "  ") + "\r";
    const std::string fosterClean = cleanFosterCareRecord();
    const std::string fosterBad = withField(cleanFosterCareRecord(), 9, "01002");
    const std::string data =
        "header text\n"
        "$ first adoption section\n01      202609 one\n" +
        clean + "\n" + bad + "\n" + clean + "\n" + badCrLf +
        "\n"
        "@\n01      202609 fc one\n" +
        fosterClean +
        "\n"  // no finding: left out
        "%% a footnote line\n"
        "$\n01      202609 two\n" +
        clean +
        "\n"  // no finding: left out
        "@ second\n01      202603 fc two\r\n" +
        fosterClean + "\n" + fosterBad + "\n";
    const Extract e = extract(data);
    EXPECT_EQ(e.text, "$ first adoption section\n01      202609 one\n" + bad + "\n" + badCrLf + "\n" +
                          "@ second\n01      202603 fc two\r\n" + fosterBad + "\n");
    expectSameFindingsWhenCheckedAgain(e);
}

TEST(ErrorRecords, NothingButAnEmptyFileWithoutFindings) {
    EXPECT_EQ(extract("$\n01      202609\n" + cleanAdoptionRecord() + "\n").text, "");
    EXPECT_EQ(extract("no marker at all\n").text, "");
}

TEST(ErrorRecords, LastLineWithoutLineFeed) {
    const std::string head = "$\n01      202609\n" + withField(cleanAdoptionRecord(), 28, "3") + "\n";
    struct Case {
        const char* name;
        std::string last;    // the last line, without line feed
        std::string copied;  // as the extract holds it
    };
    const std::string longer = cleanAdoptionRecord() + "  trailing text";
    const std::string exact = withField(cleanAdoptionRecord(), 111, "3");
    const Case cases[] = {
        // Shorter than the record: the last line of the extract too, as it was.
        {"short", "0120260", "0120260"},
        {"exactly the record", exact, exact + "\n"},
        {"longer than the record", withField(longer, 21, "7"), withField(longer, 21, "7") + "\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Extract e = extract(head + c.last);
        EXPECT_EQ(e.text, head + c.copied);
        expectSameFindingsWhenCheckedAgain(e);
    }
}

TEST(ErrorRecords, LinesLongerThan299CharactersAreCopiedPieceByPiece) {
    const std::string bad = withField(cleanAdoptionRecord(), 28, "3");
    const std::string clean = cleanAdoptionRecord();
    const std::string filler(188, 'x');  // columns 112-299 of the first piece
    const std::string head = "$\n01      202609\n";
    // Every piece has a finding of the line's length, so each is copied,
    // the first without line feed, whether its elements have findings or not.
    const std::string line1 = bad + filler + clean + "\n";
    const std::string line2 = clean + filler + bad + "\n";
    const std::string line3 = bad + filler + bad + "\n";
    const Extract e = extract(head + line1 + line2 + line3 + clean + "\n");
    EXPECT_EQ(e.text, head + line1 + line2 + line3);
    std::vector<std::string> lines;  // of each finding, in the data file
    for (std::size_t i = 1; i < e.rows.size(); ++i) lines.push_back(e.rows[i][1] + " " + e.rows[i][3]);
    EXPECT_EQ(lines, (std::vector<std::string>{"3 record", "3 06", "3 record", "4 record", "4 record", "4 06",
                                               "5 record", "5 06", "5 record", "5 06"}));
    expectSameFindingsWhenCheckedAgain(e);

    // A piece of 299 characters at the very end of the file stays as it is.
    const Extract atEnd = extract(head + bad + filler);
    EXPECT_EQ(atEnd.text, head + bad + filler);
    expectSameFindingsWhenCheckedAgain(atEnd);
}

TEST(ErrorRecords, DamagedFilesGiveTheSameFindingsWhenCheckedAgain) {
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        const Extract e = extract(damagedDataFile(seed, 250, 250));
        EXPECT_GT(e.rows.size(), 100u);
        expectSameFindingsWhenCheckedAgain(e);
    }
}

TEST(ErrorRecords, GeneratedFilesGiveTheSameFindingsWhenCheckedAgain) {
    if (!havePython()) GTEST_SKIP() << "python3 is not available";
    for (const char* options : {"--adoption 400 --foster-care 400 --footnotes 10 --error-rate 0.3 --seed 41",
                                "--adoption 300 --foster-care 300 --error-rate 0.5 --seed 42 --crlf"}) {
        SCOPED_TRACE(options);
        ScratchDir dir;
        ASSERT_EQ(generateData(dir.path(), options), 0) << readFile(dir / "gen.err");
        const RunResult r = runIn(dir.path(), argsWith({"--findings", "f.csv", "--error-records", "e.txt"}));
        ASSERT_EQ(r.status, 0) << r.err;
        const Extract first{readFile(dir / "e.txt"), parseCsv(readFile(dir / "f.csv"))};
        EXPECT_GT(first.rows.size(), 1u);
        // Checked again with the State's local agency codes of the generator.
        writeFile(dir / "data.txt", first.text);
        const RunResult again = runIn(dir.path(), argsWith({"--findings", "f2.csv", "--error-records", "e2.txt"}));
        ASSERT_EQ(again.status, 0) << again.err;
        EXPECT_EQ(withoutLineNumbers(parseCsv(readFile(dir / "f2.csv"))), withoutLineNumbers(first.rows));
        EXPECT_EQ(readFile(dir / "e2.txt"), first.text);
    }
}

}  // namespace
