// The HTML page: its counts against the findings CSV and the reports, the
// records it lists, escaping of whatever comes from outside, and the
// options and refusals of --html.
#include "html/html_page.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "findings/findings_support.h"
#include "html/html_text.h"
#include "support/program_run.h"
#include "support/records.h"

namespace fs = std::filesystem;
using namespace vortel;
using namespace vortel::testing;

namespace {

// ------------------------------------------------------------ reading a page

long number(std::string text) {
    std::erase(text, ',');
    return std::stol(text);
}

// The part of the page between `from` and the next `to`.
std::string between(const std::string& page, const std::string& from, const std::string& to) {
    const std::size_t at = page.find(from);
    if (at == std::string::npos) return "";
    return page.substr(at, page.find(to, at) - at);
}

// Every match of `pattern` in `text`, as its groups.
std::vector<std::vector<std::string>> matches(const std::string& text, const std::string& pattern) {
    std::vector<std::vector<std::string>> out;
    const std::regex re(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator(); ++it) {
        std::vector<std::string> groups;
        for (std::size_t i = 1; i < it->size(); ++i) groups.push_back((*it)[i].str());
        out.push_back(groups);
    }
    return out;
}

// A row of the counts table: adoption, foster care, total.
std::vector<long> countsRow(const std::string& page, const std::string& title) {
    const auto m = matches(between(page, "<tr><th>" + title + "<", "\n"), "<td class=n>([0-9,]+)");
    std::vector<long> row;
    for (const auto& g : m) row.push_back(number(g[0]));
    return row;
}

// The records listed in the table, in the page's order: kind letter and line.
std::vector<std::pair<char, long>> listedRecords(const std::string& page) {
    std::vector<std::pair<char, long>> out;
    for (const auto& g : matches(page, "<tbody data-k=(.)><tr class=r><td>([0-9]+)<"))
        out.emplace_back(g[0][0], std::stol(g[1]));
    return out;
}

bool isUtf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t n = c < 0x80                 ? 1
                              : c >= 0xC2 && c <= 0xDF ? 2
                              : c >= 0xE0 && c <= 0xEF ? 3
                              : c >= 0xF0 && c <= 0xF4 ? 4
                                                       : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}

// ------------------------------------------------------------ the findings CSV

struct CsvRecord {
    char kind;
    long line;
    long findings = 0;
    std::set<int> groups;                             // consistency groups of its letters
    std::vector<std::pair<std::string, char>> found;  // element and state of each finding
};

// The records a fix-first action concerns, as the findings CSV gives them:
// a line of the wrong length counts only under its own action.
bool concerns(const std::string& action, const CsvRecord& r) {
    const auto any = [&](auto test) { return std::any_of(r.found.begin(), r.found.end(), test); };
    const bool length = any([](const auto& f) { return f.first == "record"; });
    if (action == "length" || length) return action == "length" && length;
    if (action == "deleted")
        return any([](const auto& f) { return f.second == '2' || (f.second >= 'A' && f.second <= 'Z'); });
    if (action == "county") return any([](const auto& f) { return f.first == "03" && f.second == '2'; });
    return any([&](const auto& f) { return "element-" + f.first == action; });
}

struct CsvFacts {
    long rows = 0;
    std::map<std::pair<char, long>, CsvRecord> records;                 // by kind and line
    std::map<std::pair<char, std::string>, std::array<long, 3>> cells;  // missing, out of range, letter
};

CsvFacts readCsv(const std::string& text) {
    CsvFacts facts;
    const std::vector<CsvRow> rows = parseCsv(text);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const CsvRow& r = rows[i];
        const char kind = r[0] == "adoption" ? 'a' : 'f';
        ++facts.rows;
        CsvRecord& rec = facts.records.try_emplace({kind, std::stol(r[1])}, CsvRecord{kind, std::stol(r[1]), 0, {}, {}})
                             .first->second;
        ++rec.findings;
        rec.found.emplace_back(r[3], r[4][0]);
        auto& cell = facts.cells[{kind, r[3]}];
        const char state = r[4][0];
        ++cell[state == '1' ? 0 : state == '2' ? 1 : 2];
        if (const std::size_t g = r[5].find("group "); g != std::string::npos)
            rec.groups.insert(std::stoi(r[5].substr(g + 6)));
    }
    return facts;
}

// ------------------------------------------------------------ runs

TEST(HtmlPage, CountsAgreeWithTheFindingsCsvAndTheReports) {
    if (!havePython()) GTEST_SKIP() << "python3 is not available";
    struct Case {
        const char* generate;
        std::vector<std::string> options;
        long listed;  // at most
    };
    const Case cases[] = {
        {"--adoption 300 --foster-care 300 --footnotes 10 --error-rate 0.3 --seed 41", {}, 2000},
        {"--adoption 150 --foster-care 400 --error-rate 0.5 --seed 42 --crlf --counties 7",
         {"--html-records", "25"},
         25},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.generate);
        ScratchDir dir;
        ASSERT_EQ(generateData(dir.path(), c.generate), 0) << readFile(dir / "gen.err");
        const RunResult r =
            runIn(dir.path(), argsWith(withOptions({"--findings", "f.csv", "--html", "p.html"}, c.options)));
        ASSERT_EQ(r.status, 0) << r.err;
        const std::string page = readFile(dir / "p.html");
        const CsvFacts csv = readCsv(readFile(dir / "f.csv"));
        ASSERT_GT(csv.rows, 0);

        EXPECT_EQ(matches(page, "data-total-findings=([0-9]+)").at(0).at(0), std::to_string(csv.rows));
        std::map<char, long> recordsWithFindings, findings;
        for (const auto& [key, rec] : csv.records) {
            ++recordsWithFindings[rec.kind];
            findings[rec.kind] += rec.findings;
        }
        struct Kind {
            char key;
            const char* section;
            const char* report;
            std::size_t column;  // in the counts table
        };
        for (const Kind k : {Kind{'a', "<section id=adoption>", "areport.txt", 0},
                             Kind{'f', "<section id=foster-care>", "freport.txt", 1}}) {
            SCOPED_TRACE(k.section);
            const std::string report = readFile(dir / k.report);
            const std::string records = std::to_string(countsRow(page, "Detail records").at(k.column));
            EXPECT_NE(report.find("Data Errors for " + std::string(8 - records.size(), '0') + records + " Records"),
                      std::string::npos);
            EXPECT_EQ(countsRow(page, "Records with findings").at(k.column), recordsWithFindings[k.key]);
            EXPECT_EQ(countsRow(page, "Findings").at(k.column), findings[k.key]);

            // Elements: the chart's parts are the CSV's findings by state; its
            // likely errors are the report's.
            const std::string section = between(page, k.section, "</section>");
            const auto table = reportTable(report);
            long charted = 0;
            for (const auto& g : matches(section,
                                         "data-element=(\\w+) data-missing=(\\d+) data-out-of-range=(\\d+) "
                                         "data-likely-error=(\\d+)")) {
                const auto cell = csv.cells.at({k.key, g[0]});
                EXPECT_EQ(std::stol(g[1]), cell[0]) << g[0];
                EXPECT_EQ(std::stol(g[2]), cell[1]) << g[0];
                EXPECT_EQ(std::stol(g[3]), cell[2]) << g[0];
                EXPECT_EQ(g[3], table.at(reportLabel(g[0])).at(2)) << g[0];
                ++charted;
            }
            EXPECT_EQ(charted, std::count_if(csv.cells.begin(), csv.cells.end(),
                                             [&](const auto& e) { return e.first.first == k.key; }));

            // Groups: records with a letter of the group.
            for (const auto& g : matches(section, "data-group=(\\d+) data-records=(\\d+)")) {
                const int group = std::stoi(g[0]);
                EXPECT_EQ(std::stol(g[1]), std::count_if(csv.records.begin(), csv.records.end(),
                                                         [&](const auto& e) {
                                                             return e.second.kind == k.key &&
                                                                    e.second.groups.count(group) != 0;
                                                         }))
                    << "group " << group;
            }
        }

        // Local agencies: findings of the records whose element 3 holds the code.
        std::vector<std::string> lines;
        {
            std::istringstream in(readFile(dir / "data.txt"));
            for (std::string line; std::getline(in, line);) lines.push_back(line);
        }
        std::map<std::string, std::pair<long, long>> byCounty;  // records with findings, findings
        for (const auto& [key, rec] : csv.records) {
            if (rec.kind != 'f') continue;
            const std::string code =
                (lines.at(static_cast<std::size_t>(rec.line - 1)) + std::string(20, ' ')).substr(8, 5);
            ++byCounty[code].first;
            byCounty[code].second += rec.findings;
        }
        long countyRecords = 0;
        const std::string counties = between(page, "<table class=counties>", "</table>");
        for (const auto& g : matches(counties,
                                     "data-county=\"([^\"]*)\" data-records=(\\d+) "
                                     "data-records-with-findings=(\\d+) data-findings=(\\d+)")) {
            EXPECT_EQ(std::stol(g[2]), byCounty[g[0]].first) << g[0];
            EXPECT_EQ(std::stol(g[3]), byCounty[g[0]].second) << g[0];
            countyRecords += std::stol(g[1]);
        }
        EXPECT_EQ(countyRecords, countsRow(page, "Detail records").at(1));

        // What to fix first: at most 10 actions, most records first, each
        // concerning the records the findings CSV gives for its selection.
        const auto actions = matches(between(page, "<ol class=fix>", "</ol>"),
                                     "data-action=\"([^\"]+)\" data-kind=([a-z-]+) data-records=(\\d+)");
        ASSERT_FALSE(actions.empty());
        EXPECT_LE(actions.size(), 10U);
        long previous = std::numeric_limits<long>::max();
        for (const auto& a : actions) {
            SCOPED_TRACE(a[0] + " " + a[1]);
            const long n = std::stol(a[2]);
            EXPECT_LE(n, previous);
            previous = n;
            if (a[0] == "threshold") continue;  // valid codes, counted by the summary tallies
            EXPECT_EQ(n, std::count_if(csv.records.begin(), csv.records.end(), [&](const auto& e) {
                          return e.second.kind == (a[1] == "adoption" ? 'a' : 'f') && concerns(a[0], e.second);
                      }));
        }

        // The records listed: those with the most findings, ties in file order.
        std::vector<CsvRecord> ranked;
        for (const auto& [key, rec] : csv.records) ranked.push_back(rec);
        std::stable_sort(ranked.begin(), ranked.end(), [](const CsvRecord& a, const CsvRecord& b) {
            return a.findings != b.findings ? a.findings > b.findings : a.line < b.line;
        });
        const auto listed = listedRecords(page);
        const std::size_t expected = std::min(ranked.size(), static_cast<std::size_t>(c.listed));
        ASSERT_EQ(listed.size(), expected);
        std::set<std::pair<char, long>> top;
        for (std::size_t i = 0; i < expected; ++i) top.insert({ranked[i].kind, ranked[i].line});
        EXPECT_EQ(std::set(listed.begin(), listed.end()), top);
        for (std::size_t i = 1; i < listed.size(); ++i) {
            const auto& a = csv.records.at(listed[i - 1]);
            const auto& b = csv.records.at(listed[i]);
            if (a.kind == b.kind) {
                EXPECT_TRUE(a.findings > b.findings || (a.findings == b.findings && a.line < b.line));
            }
        }
        const auto leftOut = matches(page, "data-left-out=(\\d+)");
        EXPECT_EQ(leftOut.empty() ? 0 : std::stol(leftOut[0][0]), static_cast<long>(ranked.size() - expected));
        EXPECT_NE(page.find("data-script"), std::string::npos);
    }
}

TEST(HtmlPage, ListsAPrefixOfTheRankingWithinItsCountAndBytes) {
    // Findings per record in file order; the page keeps the best ranked.
    std::vector<int> counts;
    for (int i = 0; i < 300; ++i) counts.push_back(1 + (i * 37 + i / 7) % 9);
    // Small records last, which would fit in what a full list leaves over.
    counts.insert(counts.end(), 5, 1);
    struct Case {
        long limit;
        std::size_t budget;
    };
    for (const Case c : {Case{0, 1 << 20}, Case{1, 1 << 20}, Case{40, 1 << 20}, Case{500, 1 << 20}, Case{500, 20000},
                         Case{40, 9000}}) {
        SCOPED_TRACE(std::to_string(c.limit) + " records, " + std::to_string(c.budget) + " bytes");
        ScratchDir dir;
        auto ctx = makeContext();
        HtmlPage page(c.limit, c.budget);
        ASSERT_EQ(page.create((dir / "p.html").string()), 0);
        std::string record = cleanAdoptionRecord();
        const Finding f{"06", '1', "missing", " ", 6, "Gender", {}, {}};
        for (std::size_t i = 0; i < counts.size(); ++i) {
            const std::vector<Finding> found(static_cast<std::size_t>(counts[i]), f);
            page.record(*ctx, {RecordKind::Adoption, record, record, static_cast<long>(i + 1), "", found});
        }
        const ReportPeriods periods;
        const std::array<FindingCounts, 2> noCounts{};
        const FixFirstTally fixFirst;
        const OtherStateTally otherStates;
        page.end({*ctx, periods, noCounts, false, true, nullptr, fixFirst, otherStates});
        page.output().out().flush();
        page.output().out().detach();
        ASSERT_EQ(page.output().file().close(), 0);
        ASSERT_EQ(page.output().file().place(), 0);
        const std::string html = readFile(dir / "p.html");

        std::vector<long> ranked(counts.size());
        for (std::size_t i = 0; i < ranked.size(); ++i) ranked[i] = static_cast<long>(i + 1);
        std::stable_sort(ranked.begin(), ranked.end(), [&](long a, long b) {
            return counts[static_cast<std::size_t>(a - 1)] > counts[static_cast<std::size_t>(b - 1)];
        });
        const auto listed = listedRecords(html);
        ASSERT_LE(listed.size(), static_cast<std::size_t>(c.limit));
        for (std::size_t i = 0; i < listed.size(); ++i) EXPECT_EQ(listed[i].second, ranked[i]) << i;
        std::size_t rows = 0;
        for (std::size_t at = html.find("<tbody"); at != std::string::npos; at = html.find("<tbody", at + 1))
            rows += html.find("</tbody>\n", at) + 9 - at;
        EXPECT_LE(rows, c.budget);
        if (c.budget < (1 << 20)) {
            EXPECT_LT(listed.size(), std::min(counts.size(), static_cast<std::size_t>(c.limit)));
            EXPECT_NE(html.find("to keep the page small"), std::string::npos);
        } else {
            EXPECT_EQ(listed.size(), std::min(counts.size(), static_cast<std::size_t>(c.limit)));
        }
        const auto leftOut = matches(html, "data-left-out=(\\d+)");
        EXPECT_EQ(leftOut.empty() ? 0 : std::stol(leftOut[0][0]), static_cast<long>(counts.size() - listed.size()));
    }
}

TEST(HtmlText, EscapesMarkupAndControlBytes) {
    struct Case {
        std::string in;
        TextBytes read;
        TextPlace place;
        std::string out;
    };
    const Case cases[] = {
        {"<img src=x>", TextBytes::Latin1, TextPlace::Content, "&lt;img src=x&gt;"},
        {"a&b\"c'd", TextBytes::Latin1, TextPlace::Attribute, "a&amp;b&quot;c&#39;d"},
        {"A\rB\x01\x7F", TextBytes::Latin1, TextPlace::Attribute, "A\\x0DB\\x01\\x7F"},
        {"\n", TextBytes::Latin1, TextPlace::Content, "<span class=x>\\x0A</span>"},
        {"\xE9\xFF\xA0", TextBytes::Latin1, TextPlace::Attribute, "\xC3\xA9\xC3\xBF\xC2\xA0"},
        {"\x80\x9F", TextBytes::Latin1, TextPlace::Attribute, "\\x80\\x9F"},
        {"donn\u00E9es \u2026", TextBytes::Utf8, TextPlace::Attribute, "donn\u00E9es \u2026"},
        {"\xE9t\xC3", TextBytes::Utf8, TextPlace::Attribute, "\\xE9t\\xC3"},
        {"\xC2\x85\xED\xA0\x80", TextBytes::Utf8, TextPlace::Attribute, "\\xC2\\x85\\xED\\xA0\\x80"},
        {"<\xF0\x9F\x98\x80>", TextBytes::Utf8, TextPlace::Content, "&lt;\xF0\x9F\x98\x80&gt;"},
    };
    for (const Case& c : cases) EXPECT_EQ(htmlText(c.in, c.read, c.place), c.out) << c.in;
    // The program's own text keeps its tabs and line feeds as white space.
    std::string program;
    appendProgramText(program, "Element 07:\tx\n\t\t\t<b>\r");
    EXPECT_EQ(program, "Element 07:\tx\n\t\t\t&lt;b&gt;<span class=x>\\x0D</span>");
    EXPECT_EQ(groupedNumber(1000000), "1,000,000");
    EXPECT_EQ(groupedNumber(999), "999");
}

TEST(HtmlPage, WhatComesFromOutsideIsEscaped) {
    if (kOnWindows)
        GTEST_SKIP() << "the data file's name holds '<', '>' and a byte that is not UTF-8, which Windows refuses";
    std::string hostile = cleanAdoptionRecord();
    setField(hostile, 9, "<img src=x>");  // the record number
    setField(hostile, 28, "\x01");        // gender
    std::string high = cleanAdoptionRecord();
    setField(high, 9, "\xE9\x85\"'&     ");
    setField(high, 28, "<");
    std::string county = cleanFosterCareRecord();
    setField(county, 9, "<b>&");
    const std::string name =
        "d<b>'\xFF"
        ".txt";
    ScratchDir dir;
    writeFile(dir / name, "$\n01      202609\n" + hostile + "\n" + high + "\n@\n01      202609\n" + county + "\n");
    writeFile(dir / "fips.lst", kFipsList);
    std::vector<std::string> args = argsWith({"--html", "p.html"});
    args[1] = name;
    const RunResult r = runIn(dir.path(), args);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string page = readFile(dir / "p.html");
    EXPECT_TRUE(isUtf8(page));
    for (const char* shown :
         {"&lt;img src=x&gt;", "<span class=x>\\x01</span>", "\xC3\xA9<span class=x>\\x85</span>&quot;&#39;&amp;",
          "&lt;b&gt;&amp;", "d&lt;b&gt;&#39;<span class=x>\\xFF</span>.txt", "data-county=\"&lt;b&gt;&amp;1\""})
        EXPECT_NE(page.find(shown), std::string::npos) << shown;
    for (const char* raw : {"<img", "<b>&", "d<b>", "\x01", "'\xFF"})
        EXPECT_EQ(page.find(raw), std::string::npos) << raw;
}

TEST(HtmlPage, OptionsRefusalsAndRunsThatDoNotComplete) {
    const std::string data =
        "$\n01      202609\n" + cleanAdoptionRecord() + "\n@\n01      202609\n" + cleanFosterCareRecord() + "\n";
    struct Case {
        std::vector<std::string> options;
        std::string state;
        int status;
        std::string err;   // a part of the error output
        std::string page;  // a part of the page, or empty when none is written
    };
    const Case cases[] = {
        {{"--html", "p.html"}, "01", 0, "", "data-total-findings=0>"},
        {{"--html", "p.html", "--html-records", "0"}, "01", 0, "", "No record has a finding."},
        // Adoption checked, then the State has no local agency code.
        {{"--html", "p.html"}, "02", -1, "holds no code of State 02", "<b>did not complete</b>"},
        {{"--html-records", "5"}, "01", 2, "--html-records needs --html FILE", ""},
        {{"--html", "p.html", "--html-records", "5x"}, "01", 2, "a whole number from 0 to 1000000", ""},
        {{"--html", "p.html", "--html-records", "1000001"}, "01", 2, "a whole number", ""},
        {{"--html="}, "01", 2, "--html needs a file name", ""},
        {{"--html", "data.txt"}, "01", -1, "Unable to use data.txt as an HTML page: it is the data file.", ""},
        {{"--html", "fips.lst"}, "01", -1, "as an HTML page: it is the FIPS code list file.", ""},
        {{"--html", "areport.txt"}, "01", -1, "as an HTML page: it is the adoption report file.", ""},
        {{"--html", "./f.csv", "--findings", "f.csv"},
         "01",
         -1,
         "Unable to use ./f.csv as an HTML page: it is the findings file.",
         ""},
        {{"--html", "e.txt", "--error-records", "e.txt"},
         "01",
         -1,
         "as an HTML page: it is the error records file.",
         ""},
        {{"--html", "nodir/p.html"}, "01", -1, "Unable to open file nodir/p.html: No such file or directory.", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options[0] + " " + (c.options.size() > 1 ? c.options[1] : ""));
        ScratchDir dir;
        writeFile(dir / "data.txt", data);
        writeFile(dir / "fips.lst", kFipsList);
        const RunResult r = runIn(dir.path(), argsWith(c.options, c.state));
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_EQ(readFile(dir / "data.txt"), data);
        if (c.page.empty()) {
            EXPECT_FALSE(fs::exists(dir / "p.html"));
        } else {
            const std::string page = readFile(dir / "p.html");
            EXPECT_NE(page.find(c.page), std::string::npos);
            EXPECT_EQ(page.substr(page.size() - 8), "</html>\n");
        }
    }
}

// Most records of a kind giving another State's valid code: the page warns
// once that share and count are both reached, and never for codes of no
// State or the run's own. A run without detail records is a warning too.
TEST(HtmlPage, WarnsOfAnotherStateAndOfNoDetailRecord) {
    struct Case {
        int other;  // adoption records giving `code`
        int own;    // adoption records giving State 01
        const char* code;
        std::string warning;  // empty: none shown
    };
    const Case cases[] = {
        {20, 0, "39", "20 of 20 adoption records give State 39, not 01: check the State code."},
        {19, 0, "39", ""},
        {20, 2, "39", "20 of 22 adoption records give State 39, not 01: check the State code."},
        {20, 3, "39", ""},
        {20, 0, "99", ""},
        {20, 0, "6 ", ""},
        {0, 0, "39", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.other) + " " + c.code);
        std::string data = "$\n01      202609\n";
        for (int i = 0; i < c.other + c.own; ++i)
            data += withField(cleanAdoptionRecord(), 1, i < c.other ? c.code : "01") + "\n";
        ScratchDir dir;
        writeFile(dir / "data.txt", data);
        writeFile(dir / "fips.lst", kFipsList);
        EXPECT_EQ(runIn(dir.path(), withOptions(standardArgs(), {"--html", "p.html"})).status, 0);
        const std::string page = readFile(dir / "p.html");
        const std::string banner = between(page, "<p class=\"alert state-warning\">", "</p>");
        EXPECT_EQ(page.find("class=\"alert no-records\"") != std::string::npos, c.other + c.own == 0);
        EXPECT_EQ(banner.empty() ? "" : banner.substr(banner.find('>') + 1), c.warning);
    }
}

}  // namespace

namespace {

// An element over its summary threshold is an action that links to its
// message and counts the records the message's share is of (all 40 records
// of this file are counted there).
TEST(HtmlPage, ThresholdActionsLinkToTheirMessages) {
    const fs::path golden = fs::path(VORTEL_SOURCE_DIR) / "tests/data/golden/summary-adoption-patterns";
    ScratchDir dir;
    writeFile(dir / "data.txt", readFile(golden / "data.txt"));
    writeFile(dir / "fips.lst", readFile(golden / "fips.lst"));
    ASSERT_EQ(runIn(dir.path(), withOptions(standardArgs(), {"--html", "p.html"})).status, 0);
    const std::string page = readFile(dir / "p.html");
    const auto actions = matches(page,
                                 "data-action=\"threshold\" data-kind=adoption data-records=(\\d+)><a href=\"#"
                                 "(msg-a-\\d+)\">Review adoption element (\\w+):");
    std::set<std::string> elements;
    for (const auto& a : actions) {
        SCOPED_TRACE(a[1]);
        const std::string message = between(page, "<pre class=msg id=" + a[1] + ">", "</pre>");
        const auto share = matches(message, "^<pre class=msg id=msg-a-\\d+>Element (\\w+): +([0-9.]+)% of the records");
        ASSERT_EQ(share.size(), 1U) << message;
        EXPECT_EQ(share[0][0], a[2]);
        EXPECT_EQ(std::stol(a[0]), std::lround(std::stod(share[0][1]) * 40 / 100));
        elements.insert(a[2]);
    }
    EXPECT_EQ(elements, (std::set<std::string>{"07f", "16", "17", "18", "26"}));
}

}  // namespace
