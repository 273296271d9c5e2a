// Findings of a line's length: one per short, empty or long line, before the
// record's element findings, with the line's columns; a line longer than 299
// characters gives one more for each further record read from it. A
// generated file of 25,000 records shows one per such line, and columns that
// match the catalogue on every finding.
#include <map>

#include <gtest/gtest.h>

#include "findings/finding_cells.h"
#include "findings/findings_support.h"
#include "support/program_run.h"
#include "support/records.h"

using namespace vortel::testing;

namespace {

// A length finding as the CSV gives it: line, meaning, explanation, columns.
using LengthRow = std::array<std::string, 4>;

std::string adoption(const std::string& lines) { return "$\n01      202609\n" + lines; }
std::string fosterCare(const std::string& lines) { return "@\n01      202609\n" + lines; }

TEST(LengthFindings, OnePerLineOfTheWrongLengthAndOnePerFurtherRecord) {
    const std::string a = cleanAdoptionRecord(), f = cleanFosterCareRecord();
    const std::string rest = "The rest of line 3, read as a record of its own.";
    struct Case {
        const char* name;
        std::string data;
        std::vector<LengthRow> expected;
        std::string folded;  // what the page folds under the finding, or ""
    };
    const Case cases[] = {
        {"a whole record", adoption(a + "\n"), {}, ""},
        {"a whole record, CR LF", adoption(a + "\r\n"), {}, ""},
        {"an empty line",
         adoption("\n"),
         {{"3", "short line",
           "The line holds 0 characters; an adoption record has 111: column 1 holds the line feed and columns 2-111 "
           "are read as blank.",
           ""}},
         "findings that follow from the short line"},
        {"a short line",
         adoption(a.substr(0, 43) + "\n"),
         {{"3", "short line",
           "The line holds 43 characters; an adoption record has 111: column 44 holds the line feed and columns "
           "45-111 are read as blank.",
           "1-43"}},
         "findings that follow from the short line"},
        {"one column short, CR LF",
         adoption(a.substr(0, 110) + "\r\n"),
         {{"3", "short line",
           "The line holds 110 characters; an adoption record has 111: column 111 holds the carriage return.",
           "1-110"}},
         ""},
        {"two columns short, CR LF",
         adoption(a.substr(0, 109) + "\r\n"),
         {{"3", "short line",
           "The line holds 109 characters; an adoption record has 111: columns 110-111 hold the carriage return and "
           "line feed.",
           "1-109"}},
         ""},
        {"the last line, short and without its line feed",
         adoption(a.substr(0, 50)),
         {{"3", "short line",
           "The line holds 50 characters; an adoption record has 111: columns 51-111 are read as blank.", "1-50"}},
         "findings that follow from the short line"},
        {"a long line",
         fosterCare(f + std::string(53, ' ') + "\n"),
         {{"3", "long line",
           "The line holds 250 characters; a foster care record has 197: characters 198-250 are not checked.",
           "1-250"}},
         ""},
        {"a line read as four records",
         adoption(a + std::string(989, '9') + "\n"),
         {{"3", "long line",
           "The line holds 1100 characters; an adoption record has 111: it is read as 4 records of at most 299 "
           "characters, and characters 112-299 of the first are not checked.",
           "1-1100"},
          {"3", "rest of a long line", rest, "300-598"},
          {"3", "rest of a long line", rest, "599-897"},
          {"3", "rest of a long line", rest, "898-1100"}},
         "findings that follow from the long line"},
        {"299 characters: its line end is read as a record",
         adoption(a + std::string(188, '9') + "\r\n"),
         {{"3", "long line",
           "The line holds 299 characters; an adoption record has 111: it is read as 2 records of at most 299 "
           "characters, and characters 112-299 of the first are not checked.",
           "1-299"},
          {"3", "rest of a long line", rest, ""}},
         "findings that follow from the long line"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        writeFile(dir / "data.txt", c.data);
        writeFile(dir / "fips.lst", kFipsList);
        const RunResult r = runIn(dir.path(), argsWith({"--findings", "out.csv", "--html", "out.html"}));
        ASSERT_EQ(r.status, 0) << r.err;
        const std::vector<CsvRow> rows = parseCsv(readFile(dir / "out.csv"));
        std::vector<LengthRow> found;
        for (std::size_t i = 1; i < rows.size(); ++i) {
            if (rows[i][3] != "record") continue;
            found.push_back({rows[i][1], rows[i][5], rows[i][9], rows[i][10]});
            EXPECT_EQ(rows[i][8], c.data[0] == '$' ? "A-length" : "F-length");
        }
        EXPECT_EQ(found, c.expected);
        // Before the element findings of its record.
        if (!c.expected.empty()) {
            EXPECT_EQ(rows.at(1).at(3), "record");
        }
        const std::string page = readFile(dir / "out.html");
        if (!c.folded.empty()) {
            EXPECT_NE(page.find(c.folded), std::string::npos);
        }
        // An empty line ranks by its length finding alone, not by the
        // findings that follow from it.
        if (std::string_view(c.name) == "an empty line") {
            EXPECT_NE(page.find("<tr><td class=n>3<td><i>blank</i><td class=n>1\n"), std::string::npos);
        }
    }
}

// The lines of a data file's sections whose length is not their record's, and
// the further records that lines longer than 299 characters give.
struct WrongLengths {
    long lines = 0;
    long furtherRecords = 0;
};
WrongLengths wrongLengths(const std::string& data) {
    WrongLengths w;
    std::size_t recordLength = 0;  // of the section the line stands in; 0 outside one
    bool summary = false;          // the line is a section's summary record
    for (std::size_t at = 0; at < data.size();) {
        std::size_t end = data.find('\n', at);
        if (end == std::string::npos) end = data.size();
        std::string line = data.substr(at, end - at);
        at = end + 1;
        const char first = line.empty() ? '\0' : line[0];
        if (first == '$' || first == '@' || first == '#' || first == '%') {
            recordLength = first == '$' ? 111 : first == '@' ? 197 : 0;
            summary = recordLength != 0;
        } else if (summary) {
            summary = false;
        } else if (recordLength != 0) {
            const std::size_t bytes = line.size() + 1;  // with its line feed
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.size() != recordLength) ++w.lines;
            w.furtherRecords += static_cast<long>((bytes + 298) / 299 - 1);
        }
    }
    return w;
}

TEST(LengthFindings, GeneratedFileOfManyRecords) {
    if (!havePython()) GTEST_SKIP() << "python3 is not available";
    ScratchDir dir;
    ASSERT_EQ(generateData(dir.path(),
                           "--adoption 12500 --foster-care 12500 --error-rate 0.2 --wrong-lengths 0.01 "
                           "--seed 23"),
              0)
        << readFile(dir / "gen.err");
    const WrongLengths expected = wrongLengths(readFile(dir / "data.txt"));
    ASSERT_GT(expected.lines, 100);
    ASSERT_GT(expected.furtherRecords, 10);
    const RunResult r = runIn(dir.path(), argsWith({"--findings", "out.csv"}));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<CsvRow> rows = parseCsv(readFile(dir / "out.csv"));
    // The columns of each element label, from the catalogue.
    std::map<std::string, std::string> columns[2];
    for (const vortel::RecordKind kind : {vortel::RecordKind::Adoption, vortel::RecordKind::FosterCare}) {
        for (const vortel::FindingCell& c : vortel::findingCells(kind))
            columns[static_cast<int>(kind)][std::string(c.label())] =
                std::to_string(c.first) + "-" + std::to_string(c.last);
    }
    WrongLengths found;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const CsvRow& row = rows[i];
        if (row[3] == "record") {
            ++(row[5] == "rest of a long line" ? found.furtherRecords : found.lines);
        } else {
            EXPECT_EQ(row[10], columns[row[0] == "adoption" ? 0 : 1].at(row[3])) << row[3];
        }
    }
    EXPECT_EQ(found.lines, expected.lines);
    EXPECT_EQ(found.furtherRecords, expected.furtherRecords);
}

}  // namespace
