// Whole runs with --findings and --fail-on-findings: options, refusals, the
// CSV and JSON files, and the exit status.
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

#include <gtest/gtest.h>

#include "findings/findings_support.h"
#include "support/program_run.h"
#include "support/records.h"

namespace fs = std::filesystem;
using namespace vortel::testing;
using Json = nlohmann::json;

namespace {

std::string adoptionSection(const std::vector<std::string>& records) {
    std::string s = "$\n01      202609\n";
    for (const std::string& r : records) s += r + "\n";
    return s;
}

std::string fosterCareSection(const std::vector<std::string>& records) {
    std::string s = "@\n01      202609\n";
    for (const std::string& r : records) s += r + "\n";
    return s;
}

// A scratch directory holding data.txt and fips.lst.
struct Workspace {
    ScratchDir dir;
    explicit Workspace(const std::string& data) {
        writeFile(dir / "data.txt", data);
        writeFile(dir / "fips.lst", kFipsList);
    }
    RunResult run(const std::vector<std::string>& more, const std::string& state = "01") {
        return runIn(dir.path(), argsWith(more, state));
    }
    std::string read(const std::string& name) { return readFile(dir / name); }
    bool exists(const std::string& name) { return fs::exists(dir / name); }
};

TEST(FindingsOptions, BadNamesExitWithStatus2AndCreateNothing) {
    const std::vector<std::vector<std::string>> cases = {
        {"--findings=out.txt"}, {"--findings", "out"}, {"--findings=out.csv.bak"},
        {"--findings=.csv"},    {"--findings="},       {"--error-records="},
    };
    for (const auto& extra : cases) {
        Workspace w(adoptionSection({cleanAdoptionRecord()}));
        const RunResult r = w.run(extra);
        EXPECT_EQ(r.status, 2) << extra[0];
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        for (const char* name : {"freport.txt", "areport.txt", "out.txt", "out", "out.csv.bak", ".csv"})
            EXPECT_FALSE(w.exists(name)) << name;
    }
    for (const char* name : {"OUT.CSV", "x.Json"}) {  // the extension in any case
        Workspace w(adoptionSection({cleanAdoptionRecord()}));
        EXPECT_EQ(w.run({"--findings", name}).status, 0) << name;
        EXPECT_TRUE(w.exists(name));
    }
}

TEST(FindingsOptions, OutputsNamingAnInputOrAReportAreRefusedBeforeAnythingIsWritten) {
    struct Case {
        std::string dataName;
        std::vector<std::string> extra;
        std::string err;
        std::vector<std::string> notCreated;
    };
    const Case cases[] = {
        {"data.json",
         {"--findings", "data.json"},
         "Unable to use data.json as a findings file: it is the data file.",
         {}},
        {"data.txt",
         {"--findings", "./areport.txt.csv", "--adoption-report", "areport.txt.csv"},
         "Unable to use ./areport.txt.csv as a findings file: it is the adoption report file.",
         {}},
        {"data.txt",
         {"--findings", "f.csv", "--foster-care-report", "f.csv"},
         "Unable to use f.csv as a findings file: it is the foster care report file.",
         {}},
        {"data.txt",
         {"--findings", "fips.csv", "--fips", "fips.csv"},
         "Unable to use fips.csv as a findings file: it is the FIPS code list file.",
         {}},
        {"data.txt",
         {"--error-records", "data.txt"},
         "Unable to use data.txt as an error records file: it is the data file.",
         {}},
        {"data.txt",
         {"--error-records", "fips.lst"},
         "Unable to use fips.lst as an error records file: it is the FIPS code list file.",
         {}},
        {"data.txt",
         {"--error-records", "freport.txt"},
         "Unable to use freport.txt as an error records file: it is the foster care report file.",
         {}},
        {"data.txt",
         {"--findings", "out.csv", "--error-records", "sub/../out.csv"},
         "Unable to use sub/../out.csv as an error records file: it is the findings file.",
         {"out.csv"}},
        {"data.txt",
         {"--findings", "out.json", "--error-records", "areport.txt"},
         "Unable to use areport.txt as an error records file: it is the adoption report file.",
         {"out.json"}},
    };
    const std::string data = adoptionSection({withField(cleanAdoptionRecord(), 28, "3")});
    for (const Case& c : cases) {
        ScratchDir dir;
        fs::create_directory(dir / "sub");
        writeFile(dir / c.dataName, data);
        writeFile(dir / "fips.lst", kFipsList);
        writeFile(dir / "fips.csv", kFipsList);
        std::vector<std::string> args = standardArgs();
        args[1] = c.dataName;
        args = withOptions(args, c.extra);
        const RunResult r = runIn(dir.path(), args);
        EXPECT_EQ(r.status, -1) << c.err;
        EXPECT_EQ(r.err, "\n" + c.err + "\nTerminating program.\n");
        EXPECT_EQ(readFile(dir / c.dataName), data);
        EXPECT_EQ(readFile(dir / "fips.lst"), kFipsList);
        EXPECT_EQ(readFile(dir / "fips.csv"), kFipsList);
        for (const std::string& name : c.notCreated) EXPECT_FALSE(fs::exists(dir / name)) << name;
    }
}

TEST(FindingsOptions, OutputsThatCannotBeCreatedOrWrittenAreFatal) {
    struct Case {
        std::vector<std::string> extra;
        std::string err;
    };
    const Case cases[] = {
        {{"--findings", "nodir/x.json"}, "\nUnable to open file nodir/x.json: No such file or directory."},
        {{"--findings", "x.csv", "--error-records", "nodir/e.txt"},
         "\nUnable to open file nodir/e.txt: No such file or directory."},
        {{"--findings", "full.csv"}, "\nUnable to write file full.csv: No space left on device."},
        {{"--error-records", "full.txt"}, "\nUnable to write file full.txt: No space left on device."},
    };
    for (const Case& c : cases) {
        Workspace w(adoptionSection({withField(cleanAdoptionRecord(), 28, "3")}));
        if (fs::exists("/dev/full")) {
            fs::create_symlink("/dev/full", w.dir / "full.csv");
            fs::create_symlink("/dev/full", w.dir / "full.txt");
        } else if (c.err.find("write") != std::string::npos) {
            continue;
        }
        const RunResult r = w.run(c.extra);
        EXPECT_EQ(r.status, -1) << c.err;
        EXPECT_EQ(r.err, c.err + "\nTerminating program.\n");
    }
}

TEST(CsvFindings, OneRowPerFindingWithQuotedFieldsAndRawBytes) {
    const std::string oddNumber = "A,\"B\"\xE9\xFF     ";  // 12 columns
    std::string odd = withField(cleanAdoptionRecord(), 9, oddNumber);
    setField(odd, 28, ",");  // gender
    const std::string shortLine = cleanAdoptionRecord().substr(0, 50);
    Workspace w(adoptionSection({cleanAdoptionRecord(), odd, shortLine}) +
                fosterCareSection({withField(cleanFosterCareRecord(), 42, "\x80")}));
    const RunResult r = w.run({"--findings", "out.csv"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string text = w.read("out.csv");
    EXPECT_EQ(
        text.rfind(
            "kind,line,record_number,element,state,meaning,value,element_name,rule,explanation,columns,change\r\n", 0),
        0u);
    EXPECT_NE(text.find("adoption,4,\"A,\"\"B\"\"\xE9\xFF     \",06,2,out of range,\",\",Gender,A-06.code,"
                        "\"Gender (06) holds \"\",\"\": not one of 1, 2.\",28-28,\r\n"),
              std::string::npos);
    const std::vector<CsvRow> rows = parseCsv(text);
    ASSERT_GE(rows.size(), 4u);
    std::map<std::string, std::vector<CsvRow>> byLine;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].size(), 12u);
        byLine[rows[i][1]].push_back(rows[i]);
    }
    EXPECT_EQ(byLine.count("3"), 0u);  // the clean record
    EXPECT_EQ(byLine["4"],
              (std::vector<CsvRow>{{"adoption", "4", oddNumber, "06", "2", "out of range", ",", "Gender", "A-06.code",
                                    "Gender (06) holds \",\": not one of 1, 2.", "28-28", ""}}));
    // The short line's line feed stands in column 51, element 18.
    bool lineFeedValue = false;
    for (const CsvRow& row : byLine["5"])
        if (row[3] == "18") lineFeedValue = row[4] == "2" && row[6] == "\n";
    EXPECT_TRUE(lineFeedValue);
    EXPECT_EQ(byLine["8"],
              (std::vector<CsvRow>{{"foster care", "8", "F00000000001", "07", "2", "out of range", "\x80", "gender",
                                    "F-07.code", "Gender (07) holds \"\x80\": not one of 1, 2.", "42-42", ""}}));
}

std::string printed(const Json& number) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", number.get<double>());
    return text;
}

// Rule ids of the element tests, date-pair rows and group rules; an id
// without its row (a letter whose rule was not recorded) or a test that
// could not be told ("test") does not match.
const std::regex kKnownRule(
    R"([AF]-(\d\d[a-f]?\.(missing|code|state|period|date|early|late|year|number|agency)|DP\d+|G\d+(\.\d+)+|length))");

void expectJsonMatchesReports(const fs::path& dir, const Json& doc) {
    ASSERT_TRUE(doc["complete"].get<bool>());
    struct Kind {
        const char* key;
        const char* kind;
        const char* report;
    };
    for (const Kind k :
         {Kind{"adoption", "adoption", "areport.txt"}, Kind{"fosterCare", "foster care", "freport.txt"}}) {
        SCOPED_TRACE(k.key);
        const Json& part = doc[k.key];
        const std::string report = readReport(dir / k.report);
        const auto table = reportTable(report);
        char heading[64];
        std::snprintf(heading, sizeof heading, "Data Errors for %08ld Records", part["records"].get<long>());
        EXPECT_NE(report.find(heading), std::string::npos);
        const Json& rows = part["dataErrors"]["rows"];
        ASSERT_EQ(rows.size() + 1, table.size());
        // Findings per element, by what they are.
        std::map<std::string, long> letters, cleaned, missing, outOfRange;
        long findings = 0;
        for (const Json& f : doc["findings"]) {
            if (f["kind"] != k.kind) continue;
            ++findings;
            // Every finding is explained by a rule the explanations know.
            EXPECT_FALSE(f["elementName"].get<std::string>().empty()) << f;
            EXPECT_TRUE(std::regex_match(f["rule"].get<std::string>(), kKnownRule)) << f;
            EXPECT_FALSE(f["explanation"].get<std::string>().empty()) << f;
            const std::string element = f["element"];
            const char s = f["state"].get<std::string>()[0];
            if (std::isalpha(static_cast<unsigned char>(s))) ++letters[element];
            if (std::isupper(static_cast<unsigned char>(s)) || s == '2') ++cleaned[element];
            if (s == '1') ++missing[element];
            if (s == '2') ++outOfRange[element];
        }
        EXPECT_EQ(findings, part["findings"].get<long>());
        for (const Json& row : rows) {
            const std::string label = row["element"];
            const auto& t = table.at(reportLabel(label));
            ASSERT_EQ(t.size(), 6u) << label;
            EXPECT_EQ(std::to_string(row["missing"].get<long>()), t[0]) << label;
            EXPECT_EQ(std::to_string(row["outOfRange"].get<long>()), t[1]) << label;
            EXPECT_EQ(std::to_string(row["likelyError"].get<long>()), t[2]) << label;
            EXPECT_EQ(std::to_string(row["total"].get<long>()), t[3]) << label;
            EXPECT_EQ(printed(row["percent"]), t[4]) << label;
            EXPECT_EQ(std::to_string(row["cleaned"].get<long>()), t[5]) << label;
            // The streamed findings agree with the counts of final states.
            EXPECT_EQ(letters[label], row["likelyError"].get<long>()) << label;
            EXPECT_EQ(cleaned[label], row["cleaned"].get<long>()) << label;
            EXPECT_LE(missing[label], row["missing"].get<long>()) << label;
            EXPECT_LE(outOfRange[label], row["outOfRange"].get<long>()) << label;
        }
        const Json& total = part["dataErrors"]["total"];
        const auto& t = table.at("Total");
        ASSERT_EQ(t.size(), 5u);
        EXPECT_EQ(std::to_string(total["missing"].get<long>()), t[0]);
        EXPECT_EQ(std::to_string(total["outOfRange"].get<long>()), t[1]);
        EXPECT_EQ(std::to_string(total["likelyError"].get<long>()), t[2]);
        EXPECT_EQ(std::to_string(total["total"].get<long>()), t[3]);
        EXPECT_EQ(std::to_string(total["cleaned"].get<long>()), t[4]);
        // Messages stand in the report as they are in the document.
        for (const Json& m : part["summaryMessages"])
            EXPECT_NE(report.find("\n" + m["text"].get<std::string>()), std::string::npos) << m["text"];
        for (const char* list : {"aggregateErrors", "footnoteErrors"}) {
            if (!part.contains(list)) continue;
            for (const Json& m : part[list]["messages"])
                EXPECT_NE(report.find("\n" + m.get<std::string>()), std::string::npos) << m;
        }
    }
}

TEST(JsonFindings, ParsesAndAgreesWithBothReports) {
    const std::string aggregate = "#\n02199503" + std::string(160, '1') + "\n";
    const std::string footnotes = "%%01202609A05 a note\n%%01202609X99 bad type\n";
    Workspace w(damagedDataFile(7, 300, 300) + aggregate + footnotes);
    const RunResult r = w.run({"--findings", "out.json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const Json doc = Json::parse(w.read("out.json"));
    expectJsonMatchesReports(w.dir.path(), doc);
    EXPECT_GT(doc["findingCount"].get<long>(), 100);
    EXPECT_EQ(doc["run"]["dataFile"], "data.txt");
    EXPECT_EQ(doc["run"]["state"], "01");
    EXPECT_EQ(doc["run"]["runDate"], "2026-12-08");
    EXPECT_EQ(doc["run"]["runTimestamp"], "12/08/2026 09:00AM");
    EXPECT_EQ(doc["run"]["reportPeriods"].dump(),
              R"([{"kind":"adoption","reportPeriod":"202609"},{"kind":"foster care","reportPeriod":"202609"}])");
    EXPECT_EQ(doc["adoption"]["records"], 300);
    EXPECT_EQ(doc["adoption"]["aggregateErrors"]["messages"][0], "Incorrect State FIPS code.");
    EXPECT_FALSE(doc["adoption"]["footnoteErrors"]["messages"].empty());
    EXPECT_FALSE(doc["fosterCare"]["footnoteErrors"]["messages"].empty());
    EXPECT_FALSE(doc["fosterCare"].contains("aggregateErrors"));
    // Bytes 0x80-0xFF of the data are characters U+0080-U+00FF.
    bool highByte = false;
    for (const Json& f : doc["findings"])
        if (f["value"] == "\xC3\xA9") highByte = true;
    EXPECT_TRUE(highByte);
}

TEST(JsonFindings, GeneratedFilesAgreeWithTheReports) {
    if (!havePython()) GTEST_SKIP() << "python3 is not available";
    for (const char* options : {"--adoption 400 --foster-care 400 --footnotes 20 --error-rate 0.4 --seed 21",
                                "--adoption 300 --foster-care 300 --error-rate 0.3 --seed 22 --crlf"}) {
        ScratchDir dir;
        ASSERT_EQ(generateData(dir.path(), options), 0) << readFile(dir / "gen.err");
        const RunResult r = runIn(dir.path(), argsWith({"--findings", "out.json"}));
        ASSERT_EQ(r.status, 0) << r.err;
        const Json doc = Json::parse(readFile(dir / "out.json"));
        expectJsonMatchesReports(dir.path(), doc);
        EXPECT_GT(doc["findingCount"].get<long>(), 0) << options;
    }
}

TEST(JsonFindings, RunsWithoutRecordsOrThatDoNotCompleteStillGiveADocument) {
    struct Case {
        const char* name;
        std::string data;
        std::string state;
        int status;
        bool complete;
    };
    const Case cases[] = {
        {"no marker", "nothing to see\n", "01", 0, true},
        {"empty file", "", "01", 0, true},
        // Refused before the pass: no findings file at all.
        {"invalid State", adoptionSection({cleanAdoptionRecord()}), "03", -1, false},
        // Adoption findings made, then the State has no local agency code.
        {"no local agency codes",
         adoptionSection({withField(cleanAdoptionRecord(), 28, "3")}) + fosterCareSection({cleanFosterCareRecord()}),
         "02", -1, false},
    };
    for (const Case& c : cases) {
        Workspace w(c.data);
        const RunResult r = w.run({"--findings", "out.json"}, c.state);
        EXPECT_EQ(r.status, c.status) << c.name;
        if (c.state == "03") {
            EXPECT_FALSE(fs::exists(w.dir / "out.json"));
            continue;
        }
        const Json doc = Json::parse(w.read("out.json"));
        EXPECT_EQ(doc["complete"], c.complete) << c.name;
        ASSERT_TRUE(doc["findings"].is_array()) << c.name;
        if (c.complete) {
            EXPECT_EQ(doc["adoption"]["records"], 0);
            EXPECT_TRUE(doc["adoption"]["dataErrors"].is_null());
            EXPECT_TRUE(doc["fosterCare"]["summaryMessages"].empty());
        } else {
            EXPECT_EQ(doc.size(), 2u) << c.name;
        }
    }
}

// Findings are written with their change as the earlier run tells it; a run
// that does not complete makes no comparison, and its findings keep no mark.
TEST(CompareFindings, ARunThatDoesNotCompleteMarksNoChange) {
    const std::string adoption = adoptionSection({withField(cleanAdoptionRecord(), 28, "3"), cleanAdoptionRecord()});
    Workspace w(adoption);
    ASSERT_EQ(w.run({"--findings", "earlier.json"}, "02").status, 0);
    // The foster care section ends the run: State 02 has no local agency code.
    writeFile(w.dir / "data.txt", adoption + fosterCareSection({cleanFosterCareRecord()}));
    ASSERT_EQ(w.run({"--findings", "now.json", "--compare", "earlier.json"}, "02").status, -1);
    const Json doc = Json::parse(w.read("now.json"));
    ASSERT_EQ(doc["complete"], false);
    ASSERT_FALSE(doc["findings"].empty());
    for (const Json& finding : doc["findings"]) EXPECT_FALSE(finding.contains("change")) << finding.dump();
    ASSERT_EQ(w.run({"--findings", "now.csv", "--compare", "earlier.json"}, "02").status, -1);
    const std::vector<CsvRow> rows = parseCsv(w.read("now.csv"));
    ASSERT_GT(rows.size(), 1u);
    for (std::size_t i = 1; i < rows.size(); ++i) EXPECT_EQ(rows[i].back(), "") << i;
}

TEST(ExitStatus, OneAfterACompleteRunWithFindingsWhenAskedFor) {
    const std::string clean = adoptionSection({cleanAdoptionRecord()}) + fosterCareSection({cleanFosterCareRecord()});
    const std::string bad = adoptionSection({cleanAdoptionRecord(), withField(cleanAdoptionRecord(), 1, "02")});
    const std::string goodAggregate = "#\n01199503" + std::string(160, '1') + "\n";
    const std::string badAggregate = "#\n01199509" + std::string(160, '1') + "\n";
    const std::string goodFootnote = "%%01202609A05 a note\n";
    const std::string badFootnote = "%%01202609F67 a note\n";
    struct Case {
        const char* name;
        std::string data;
        std::vector<std::string> extra;
        std::string state;
        int status;
    };
    const Case cases[] = {
        {"clean", clean + goodAggregate + goodFootnote, {"--fail-on-findings"}, "01", 0},
        {"finding, not asked", bad, {}, "01", 0},
        {"finding", bad, {"--fail-on-findings"}, "01", 1},
        {"finding, every option",
         bad,
         {"--findings", "f.csv", "--error-records", "e.txt", "--fail-on-findings"},
         "01",
         1},
        {"aggregate error only", clean + badAggregate, {"--fail-on-findings"}, "01", 1},
        {"footnote error only", clean + badFootnote, {"--fail-on-findings"}, "01", 1},
        {"no marker: nothing checked", "text\n", {"--fail-on-findings"}, "01", 1},
        {"no detail record", "$\n01      202609\n", {"--fail-on-findings"}, "01", 1},
        {"one kind only", adoptionSection({cleanAdoptionRecord()}), {"--fail-on-findings"}, "01", 0},
        {"fatal error keeps its status", bad, {"--fail-on-findings"}, "03", -1},
    };
    for (const Case& c : cases) {
        Workspace w(c.data);
        const RunResult r = w.run(c.extra, c.state);
        EXPECT_EQ(r.status, c.status) << c.name << "\n" << r.err;
    }
}

TEST(ExitStatus, GeneratedFiles) {
    if (!havePython()) GTEST_SKIP() << "python3 is not available";
    struct Case {
        const char* options;
        int status;
    };
    for (const Case c : {Case{"--adoption 200 --foster-care 200 --footnotes 10 --seed 31", 0},
                         Case{"--adoption 200 --foster-care 200 --footnotes 10 --seed 32 --error-rate 0.05", 1}}) {
        ScratchDir dir;
        ASSERT_EQ(generateData(dir.path(), c.options), 0) << readFile(dir / "gen.err");
        const RunResult r = runIn(dir.path(), argsWith({"--fail-on-findings", "--findings", "f.csv"}));
        EXPECT_EQ(r.status, c.status) << c.options << r.err;
        // The CSV has rows exactly when the run failed on findings of records
        // (the clean file has no aggregate or footnote error either).
        EXPECT_EQ(parseCsv(readFile(dir / "f.csv")).size() > 1, c.status == 1) << c.options;
    }
}

}  // namespace
