// --compare: a run compared with the findings JSON of an earlier run. Pairs
// of files (a file, then a copy with records withdrawn, renumbered,
// duplicated, corrected and broken) give exact counts; files that cannot
// serve as the earlier run are refused before anything is created.
#include <filesystem>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include "findings/finding_cells.h"
#include "findings/findings_support.h"
#include "findings/findings_text.h"
#include "findings/previous_findings.h"
#include "support/program_run.h"
#include "support/records.h"

namespace fs = std::filesystem;
using namespace vortel::testing;
using Json = nlohmann::json;

namespace {

// A detail record: its kind, record number and the columns overwritten to
// make findings.
struct Rec {
    char kind;  // 'A' adoption, 'F' foster care
    std::string number;
    std::vector<std::pair<int, std::string>> damage;
};
using Recs = std::vector<Rec>;

// Damage that makes exactly one finding, at the element named.
const std::pair<int, std::string> kAdoption06{28, "3"}, kAdoption04{21, "9"};
const std::pair<int, std::string> kFc07{42, "3"}, kFc08a{43, "9"}, kFc08b{44, "9"}, kFc09{49, "9"}, kFc16{56, "9"};

std::string dataFile(const Recs& recs) {
    std::string adoption = "$\n01      202609\n", fosterCare = "@\n01      202609\n";
    for (const Rec& r : recs) {
        std::string record = r.kind == 'A' ? cleanAdoptionRecord() : cleanFosterCareRecord();
        setField(record, r.kind == 'A' ? 9 : 14, r.number);
        for (const auto& [column, value] : r.damage) setField(record, column, value);
        (r.kind == 'A' ? adoption : fosterCare) += record + "\n";
    }
    return adoption + fosterCare;
}

std::string fc(int n) {
    char number[16];
    std::snprintf(number, sizeof number, "F%011d", n);
    return number;
}

// Six foster care records with five findings, three adoption records with two.
// Twelve columns that JSON escapes or writes as two bytes.
const std::string kOddNumber = "F\"\\,\x01\t\xE9\xFF    ";

Recs baseFile() {
    return {{'A', "A00000000001", {}},
            {'A', "A00000000002", {kAdoption06}},
            {'A', "A00000000003", {kAdoption04}},
            {'F', fc(1), {}},
            {'F', fc(2), {kFc07}},
            {'F', fc(3), {kFc07, kFc09}},
            {'F', fc(4), {kFc08a}},
            {'F', fc(5), {}},
            {'F', fc(6), {kFc16}}};
}

Rec& find(Recs& recs, const std::string& number) {
    return *std::find_if(recs.begin(), recs.end(), [&](const Rec& r) { return r.number == number; });
}
void withdraw(Recs& recs, const std::string& number) {
    std::erase_if(recs, [&](const Rec& r) { return r.number == number; });
}

// The counts of a kind in the order of the JSON members.
using Counts = std::array<long, 8>;
Counts countsOf(const Json& kind) {
    Counts c{};
    const char* names[] = {
        "unmatched",      "stillOpen",   "fixed", "findingsOfRemovedRecords", "new", "findingsOfAddedRecords",
        "recordsRemoved", "recordsAdded"};
    for (std::size_t i = 0; i < c.size(); ++i) c[i] = kind.at(names[i]).get<long>();
    return c;
}

// "element before/after, ..." with "-" for a run without records of the kind.
std::string sharesOf(const Json& kind) {
    std::string text;
    auto share = [](const Json& v) {
        if (v.is_null()) return std::string("-");
        char t[32];
        std::snprintf(t, sizeof t, "%.2f", v.get<double>());
        return std::string(t);
    };
    for (const Json& e : kind.at("byElement")) {
        if (!text.empty()) text += ", ";
        text += e.at("element").get<std::string>() + " " + share(e.at("before")) + "/" + share(e.at("after"));
    }
    return text;
}

TEST(Compare, PairsOfFilesGiveTheExactCounts) {
    // Counts: unmatched, still open, fixed, of removed records, new, of added
    // records, records removed, records added.
    const Counts adoptionSame = {0, 2, 0, 0, 0, 0, 0, 0};
    const Counts fosterCareSame = {0, 5, 0, 0, 0, 0, 0, 0};
    const std::string sharesSame = "07 33.33/33.33, 08a 16.67/16.67, 09 16.67/16.67, 16 16.67/16.67";
    struct Case {
        const char* name;
        std::function<void(Recs&)> editEarlier;
        std::function<void(Recs&)> editCopy;
        Counts fosterCare;
        Counts adoption;
        std::string fosterCareShares;
    };
    const auto none = [](Recs&) {};
    const Case cases[] = {
        {"the same file", none, none, fosterCareSame, adoptionSame, sharesSame},
        {"record numbers of odd bytes", [](Recs& r) { find(r, fc(2)).number = kOddNumber; },
         [](Recs& r) { find(r, fc(2)).number = kOddNumber; }, fosterCareSame, adoptionSame, sharesSame},
        {"withdrawn",
         none,
         [](Recs& r) { withdraw(r, fc(3)); },
         {0, 3, 0, 2, 0, 0, 1, 0},
         adoptionSame,
         "07 33.33/20.00, 08a 16.67/20.00, 09 16.67/0.00, 16 16.67/20.00"},
        {"renumbered",
         none,
         [](Recs& r) { find(r, fc(6)).number = fc(7); },
         {0, 4, 0, 1, 0, 1, 1, 1},
         adoptionSame,
         sharesSame},
        {"duplicated in the copy",
         none,
         [](Recs& r) { r.push_back(find(r, fc(2))); },
         {3, 4, 0, 0, 0, 0, 0, 0},
         adoptionSame,
         "07 33.33/42.86, 08a 16.67/14.29, 09 16.67/14.29, 16 16.67/14.29"},
        {"duplicated in the earlier file",
         [](Recs& r) { r.push_back(find(r, fc(4))); },
         none,
         {3, 4, 0, 0, 0, 0, 0, 0},
         adoptionSame,
         "07 28.57/33.33, 08a 28.57/16.67, 09 14.29/16.67, 16 14.29/16.67"},
        {"record number made blank",
         none,
         [](Recs& r) { find(r, fc(6)).number = std::string(12, ' '); },
         {1, 4, 0, 1, 0, 0, 1, 0},
         adoptionSame,
         sharesSame},
        {"corrected",
         none,
         [](Recs& r) {
             find(r, fc(2)).damage.clear();
             find(r, fc(3)).damage = {kFc07};
         },
         {0, 3, 2, 0, 0, 0, 0, 0},
         adoptionSame,
         "07 33.33/16.67, 08a 16.67/16.67, 09 16.67/0.00, 16 16.67/16.67"},
        // Race categories are elements of their own: 08a corrected, 08b broken.
        {"broken",
         none,
         [](Recs& r) {
             find(r, fc(1)).damage = {kFc09};
             find(r, fc(4)).damage = {kFc08b};
         },
         {0, 4, 1, 0, 2, 0, 0, 0},
         adoptionSame,
         "07 33.33/33.33, 08a 16.67/0.00, 08b 0.00/16.67, 09 16.67/33.33, 16 16.67/16.67"},
        {"adoption section withdrawn",
         none,
         [](Recs& r) { std::erase_if(r, [](const Rec& x) { return x.kind == 'A'; }); },
         fosterCareSame,
         {0, 0, 0, 2, 0, 0, 3, 0},
         sharesSame},
        {"all at once",
         none,
         [](Recs& r) {
             withdraw(r, fc(3));
             find(r, fc(6)).number = fc(7);
             r.push_back(find(r, fc(2)));
             find(r, fc(4)).damage.clear();
             find(r, fc(5)).damage = {kFc09};
             find(r, "A00000000003").number = "A00000000002";
         },
         {3, 0, 1, 3, 1, 1, 2, 1},
         {3, 0, 0, 1, 0, 0, 1, 0},
         "07 33.33/33.33, 08a 16.67/0.00, 09 16.67/16.67, 16 16.67/16.67"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        writeFile(dir / "fips.lst", kFipsList);
        Recs earlier = baseFile(), copy = baseFile();
        c.editEarlier(earlier);
        c.editCopy(copy);
        writeFile(dir / "data.txt", dataFile(earlier));
        RunResult r = runIn(dir.path(), argsWith({"--findings", "earlier.json"}));
        ASSERT_EQ(r.status, 0) << r.err;
        writeFile(dir / "data.txt", dataFile(copy));
        r = runIn(dir.path(), argsWith({"--findings", "now.json", "--compare", "earlier.json", "--html", "now.html"}));
        ASSERT_EQ(r.status, 0) << r.err;
        const Json comparison = Json::parse(readFile(dir / "now.json")).at("comparison");
        EXPECT_EQ(comparison.at("previousFile"), "earlier.json");
        EXPECT_EQ(countsOf(comparison.at("fosterCare")), c.fosterCare);
        EXPECT_EQ(countsOf(comparison.at("adoption")), c.adoption);
        EXPECT_EQ(sharesOf(comparison.at("fosterCare")), c.fosterCareShares);
        // The console gives the same counts, one line per kind.
        const Counts& f = c.fosterCare;
        char line[256];
        std::snprintf(line, sizeof line,
                      "\nFoster Care compared with earlier.json: still open %ld, fixed %ld, of removed records %ld, "
                      "new %ld, of added records %ld, unmatched %ld; records removed %ld, added %ld\n",
                      f[1], f[2], f[3], f[4], f[5], f[0], f[6], f[7]);
        EXPECT_NE(r.out.find(line), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("\nAdoption compared with earlier.json: "), std::string::npos);
        // The page opens with the same counts.
        std::snprintf(line, sizeof line,
                      "<tr data-kind=foster-care><td>Foster care<td class=n>%ld<td class=n>%ld<td class=n>%ld<td "
                      "class=n>%ld<td class=n>%ld<td class=n>%ld<td class=n>%ld<td class=n>%ld\n",
                      f[1], f[2], f[3], f[4], f[5], f[0], f[6], f[7]);
        const std::string page = readFile(dir / "now.html");
        EXPECT_NE(page.find(line), std::string::npos);
        EXPECT_LT(page.find("id=comparison"), page.find("<h2>Adoption"));

        // Each finding is marked as the counts count it (unmatched counts
        // those of both runs), alike in the JSON, the CSV and the page, whose
        // table lists every record here.
        const Json now = Json::parse(readFile(dir / "now.json"));
        ASSERT_EQ(runIn(dir.path(), argsWith({"--findings", "now.csv", "--compare", "earlier.json"})).status, 0);
        const std::vector<CsvRow> csv = parseCsv(readFile(dir / "now.csv"));
        long newMarks = 0;
        for (const auto& [kind, key] : {std::pair{"adoption", "adoption"}, std::pair{"foster care", "fosterCare"}}) {
            std::map<std::string, long> marked, csvMarked;
            for (const Json& finding : now.at("findings"))
                if (finding.at("kind") == kind) ++marked[finding.at("change").get<std::string>()];
            for (std::size_t i = 1; i < csv.size(); ++i)
                if (csv[i][0] == kind) ++csvMarked[csv[i].back()];
            EXPECT_EQ(csvMarked, marked) << kind;
            const Json& k = comparison.at(key);
            EXPECT_EQ(marked["new"], k.at("new").get<long>()) << kind;
            EXPECT_EQ(marked["stillOpen"], k.at("stillOpen").get<long>()) << kind;
            EXPECT_EQ(marked["ofAddedRecord"], k.at("findingsOfAddedRecords").get<long>()) << kind;
            EXPECT_LE(marked["unmatched"], k.at("unmatched").get<long>()) << kind;
            EXPECT_EQ(k.at("fixedFindings").size(), k.at("fixed").get<std::size_t>()) << kind;
            newMarks += marked["new"];
        }
        if (std::string_view(c.name) == "corrected") {
            // The fixed findings with the values they had.
            EXPECT_EQ(comparison.at("fosterCare").at("fixedFindings"), Json::parse(R"([
                {"recordNumber": "F00000000002", "element": "07", "value": "3"},
                {"recordNumber": "F00000000003", "element": "09", "value": "9"}])"));
        }
        long pageMarks = 0;
        for (std::size_t at = page.find(" data-c=new"); at != std::string::npos; at = page.find(" data-c=new", at + 1))
            ++pageMarks;
        EXPECT_EQ(pageMarks, newMarks);
    }
}

TEST(Compare, SharesOfARunWithoutRecordsOfTheKindAreNull) {
    ScratchDir dir;
    writeFile(dir / "fips.lst", kFipsList);
    writeFile(dir / "data.txt", dataFile(baseFile()));
    ASSERT_EQ(runIn(dir.path(), argsWith({"--findings", "earlier.json"})).status, 0);
    writeFile(dir / "data.txt", "no marker\n");
    // Without --findings the comparison still reaches the console.
    const RunResult r = runIn(dir.path(), argsWith({"--findings", "now.json", "--compare", "earlier.json"}));
    ASSERT_EQ(r.status, 0) << r.err;
    const Json doc = Json::parse(readFile(dir / "now.json"));
    EXPECT_EQ(sharesOf(doc["comparison"]["adoption"]), "04 33.33/-, 06 33.33/-");
    EXPECT_EQ(doc["recordNumbers"].dump(), R"({"adoption":[],"fosterCare":[]})");
    EXPECT_EQ(runIn(dir.path(), argsWith({"--compare", "earlier.json"})).out, r.out);
}

// The corrected copy of the error records, checked on its own against the
// run that wrote it: every record without findings counts as removed, and
// every finding as still open (or unmatched, both times, when its record
// number is blank or repeated).
TEST(Compare, ErrorRecordsCopyOfAGeneratedFile) {
    if (!havePython()) GTEST_SKIP() << "python3 is not available";
    ScratchDir dir;
    ASSERT_EQ(generateData(dir.path(), "--adoption 300 --foster-care 300 --error-rate 0.3 --seed 41"), 0);
    ASSERT_EQ(runIn(dir.path(), argsWith({"--findings", "earlier.json", "--error-records", "errors.dat"})).status, 0);
    const Json earlier = Json::parse(readFile(dir / "earlier.json"));
    const RunResult r = runIn(dir.path(), withOptions(standardArgs(), {"--data", "errors.dat", "--findings", "now.json",
                                                                       "--compare", "earlier.json"}));
    ASSERT_EQ(r.status, 0) << r.err;
    const Json now = Json::parse(readFile(dir / "now.json"));
    for (const char* kind : {"adoption", "fosterCare"}) {
        SCOPED_TRACE(kind);
        const Json& before = earlier[kind];
        EXPECT_EQ(now[kind]["records"], before["recordsWithFindings"]);
        const Counts c = countsOf(now["comparison"][kind]);
        EXPECT_EQ(c[1] + c[0] / 2, before["findings"].get<long>());
        EXPECT_EQ(c[2] + c[3] + c[4] + c[5] + c[7], 0);
        EXPECT_EQ(c[6], before["records"].get<long>() - before["recordsWithFindings"].get<long>());
        EXPECT_EQ(now["recordNumbers"][kind].size(), now[kind]["records"].get<std::size_t>());
    }
}

TEST(Compare, FilesThatCannotServeAreRefusedWithStatus2AndNothingCreated) {
    // Earlier runs to refuse, each written by a run of the program or edited
    // from one.
    const std::string good = "earlier.json";
    struct Case {
        const char* name;
        std::string compare;  // the file named by --compare
        std::function<void(const fs::path&)> make;
        std::string error;  // after "vortel-dq: "
        std::string input = "";
        std::string state = "01";
    };
    auto edited = [](std::function<void(Json&)> edit) {
        return [edit](const fs::path& dir) {
            Json doc = Json::parse(readFile(dir / "earlier.json"));
            edit(doc);
            writeFile(dir / "edited.json", doc.dump());
        };
    };
    auto none = [](const fs::path&) {};
    const std::string notFindings =
        " is not the findings JSON of a run of this program (--compare takes the file that --findings NAME.json "
        "wrote)\n";
    const std::string oldVersion =
        "edited.json was written by an earlier version of the program, without record lists; check the earlier data "
        "file again with this version (--findings NAME.json) to get a comparable findings file\n";
    const Case cases[] = {
        {"missing", "gone.json", none, "unable to read gone.json: No such file or directory\n"},
        {"a folder", "sub", none, "unable to read sub: Is a directory\n"},
        {"the data file", "data.txt", none, "data.txt" + notFindings},
        {"findings CSV", "earlier.csv",
         [](const fs::path& dir) {
             runIn(dir, argsWith({"--findings", "earlier.csv"}));
         },
         "earlier.csv" + notFindings},
        {"empty", "empty.json", [](const fs::path& dir) { writeFile(dir / "empty.json", ""); },
         "empty.json" + notFindings},
        {"other JSON", "edited.json", [](const fs::path& dir) { writeFile(dir / "edited.json", R"({"findings": 3})"); },
         "edited.json" + notFindings},
        {"unknown element", "edited.json", edited([](Json& d) { d["findings"][0]["element"] = "07"; }),
         "edited.json" + notFindings},
        {"record list missing", "edited.json", edited([](Json& d) { d.erase("recordNumbers"); }),
         "edited.json" + notFindings},
        {"adoption record list missing", "edited.json", edited([](Json& d) { d["recordNumbers"].erase("adoption"); }),
         "edited.json" + notFindings},
        {"foster care record list missing", "edited.json",
         edited([](Json& d) { d["recordNumbers"].erase("fosterCare"); }), "edited.json" + notFindings},
        {"before record lists", "edited.json", edited([](Json& d) {
             d.erase("formatVersion");
             d.erase("recordNumbers");
         }),
         oldVersion},
        {"a newer format", "edited.json", edited([](Json& d) { d["formatVersion"] = 4; }),
         "edited.json is findings JSON of format version 4, newer than this version of the program reads (3)\n"},
        {"run that did not complete", "cut.json",
         [](const fs::path& dir) {
             writeFile(dir / "cut.dat", "$\n01      202609\n" + cleanAdoptionRecord() + "\n@\n01      202609\n");
             // State 02 has no local agency code: the run ends at the foster care section.
             runIn(dir, argsWith({"--findings", "cut.json", "--data", "cut.dat"}, "02"));
         },
         "cut.json holds the findings of a run that did not complete; compare with those of a complete run\n"},
        {"another State", good, none,
         "earlier.json holds the findings of State 01, not of State 02; compare with an earlier run of the same "
         "State\n",
         "", "02"},
        {"a repeated member", "edited.json",
         [](const fs::path& dir) {
             std::string text = readFile(dir / "earlier.json");
             text.replace(text.find("\"complete\": true"), 16, "\"complete\": true, \"findings\": []");
             writeFile(dir / "edited.json", text);
         },
         "edited.json holds the member \"findings\" more than once, so it cannot be the findings JSON a run wrote\n"},
        {"a finding of a record not listed", "edited.json", edited([](Json& d) {
             d["findings"][0] = {{"kind", "adoption"}, {"recordNumber", "A0000000000\x1B"}, {"element", "06"}};
         }),
         "edited.json holds a finding of adoption record \"A0000000000\\x1B\" that its record numbers do not list\n"},
        {"a finding twice", "edited.json", edited([](Json& d) {
             d["findings"].push_back({{"kind", "adoption"}, {"recordNumber", "A00000000002"}, {"element", "06"}});
         }),
         "edited.json holds the finding of adoption record \"A00000000002\" at element 06 twice, for a record listed "
         "once\n"},
        {"a format version beyond any integer", "edited.json",
         edited([](Json& d) { d["formatVersion"] = 18446744073709551614ULL; }),
         "edited.json is findings JSON of format version 18446744073709551614, newer than this version of the program "
         "reads (3)\n"},
        {"a State with terminal controls", "edited.json", edited([](Json& d) { d["run"]["state"] = "0\x1B[2J\n"; }),
         "edited.json holds the findings of State 0\\x1B[2J\\x0A, not of State 01; compare with an earlier run of the "
         "same State\n"},
        {"another State, typed", good, none,
         "earlier.json holds the findings of State 01, not of State 04; compare with an earlier run of the same "
         "State\n",
         "04\n", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        fs::create_directory(dir / "sub");
        writeFile(dir / "fips.lst", kFipsList);
        writeFile(dir / "data.txt", dataFile(baseFile()));
        ASSERT_EQ(runIn(dir.path(), argsWith({"--findings", good})).status, 0);
        c.make(dir.path());
        fs::remove(dir / "freport.txt");
        fs::remove(dir / "areport.txt");
        std::vector<std::string> args = argsWith({"--compare", c.compare, "--findings", "now.json"}, c.state);
        if (c.state.empty())
            args.erase(std::find(args.begin(), args.end(), "--state"), std::find(args.begin(), args.end(), "--fips"));
        const RunResult r = runIn(dir.path(), args, c.input);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, "vortel-dq: " + c.error);
        for (const auto& entry : fs::directory_iterator(dir.path())) {
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(name != "freport.txt" && name != "areport.txt" && name != "now.json" && name[0] != '.') << name;
        }
    }
}

// The reader against the JSON library: a document the library rejects is
// refused, and one it accepts gives the records and findings the library's
// tree holds, or is refused for its shape by both.
std::optional<vortel::RunFindings> readByLibrary(const std::string& text) {
    const Json doc = Json::parse(text, nullptr, false);
    vortel::RunFindings run;
    auto number = [](const Json& j) {
        std::string bytes;
        if (!vortel::utf8ToLatin1(j.get<std::string>(), bytes) || bytes.size() != 12) throw std::out_of_range("");
        return vortel::toRecordNumber(bytes);
    };
    try {
        if (doc.is_discarded() || doc.at("complete") != true || !doc.at("formatVersion").is_number_integer() ||
            (doc.at("formatVersion") != 2 && doc.at("formatVersion") != 3) || !doc.at("run").at("state").is_string())
            return std::nullopt;
        for (const auto kind : {vortel::RecordKind::Adoption, vortel::RecordKind::FosterCare})
            for (const Json& n :
                 doc.at("recordNumbers").at(kind == vortel::RecordKind::Adoption ? "adoption" : "fosterCare"))
                run.of(kind).records.push_back(number(n));
        for (const Json& f : doc.at("findings")) {
            const auto kind =
                f.at("kind") == "adoption" ? vortel::RecordKind::Adoption : vortel::RecordKind::FosterCare;
            if (f.at("kind") != "adoption" && f.at("kind") != "foster care") return std::nullopt;
            int cell = f.at("element") == "record" ? 0 : -1;  // a line's length
            for (const vortel::FindingCell& c : vortel::findingCells(kind))
                if (c.label() == f.at("element").get<std::string>()) cell = c.cell;
            if (cell < 0) return std::nullopt;
            run.of(kind).findings.push_back({number(f.at("recordNumber")), static_cast<std::uint16_t>(cell), {}});
        }
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (vortel::findContradiction(run)) return std::nullopt;
    return run;
}

TEST(Compare, TheReaderAgreesWithTheJsonLibrary) {
    ScratchDir dir;
    writeFile(dir / "fips.lst", kFipsList);
    writeFile(dir / "data.txt", dataFile(baseFile()));
    ASSERT_EQ(runIn(dir.path(), argsWith({"--findings", "earlier.json"})).status, 0);
    const std::string good = readFile(dir / "earlier.json");
    auto with = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    std::vector<std::string> docs = {
        good,
        "\xEF\xBB\xBF" + good,
        "\xEF\xBB" + good,
        " \t\r\n" + good + "\n\n",
        good + "x",
        good + "{}",
        with("\"adoption\"", "\"adopt\\u0069on\""),
        with("\"adoption\"", "\"adopt\\xon\""),
        with("\"adoption\"", "\"adoption\\ud800\""),
        with("\"adoption\"", "\"adoption\\udc00\""),
        with("\"explanation\":\"", "\"explanation\":\"\\ud83d\\ude00\\u00e9\\/\\b\xC3\xA9\xF0\x9F\x98\x80"),
        with("\"explanation\":\"", "\"explanation\":\"\x01"),
        with("\"explanation\":\"", "\"explanation\":\"\xC0\x80"),
        with("\"explanation\":\"", "\"explanation\":\"\xED\xA0\x80"),
        with("\"explanation\":\"", "\"explanation\":\"\xF4\x90\x80\x80"),
        with("\"explanation\":\"", "\"explanation\":\"" + std::string(100000, 'x')),
        with("\"formatVersion\": 3", "\"formatVersion\": 3.0"),
        with("\"formatVersion\": 3", "\"formatVersion\": 03"),
        with("\"formatVersion\": 3", "\"formatVersion\": 3e0"),
        with("\"formatVersion\": 3", "\"formatVersion\": -0"),
        with("\"formatVersion\": 3", "\"formatVersion\": 2"),
        with("\"formatVersion\": 3", "\"formatVersion\": 1"),
        with("\"formatVersion\": 3", "\"formatVersion\": 3, \"x\": [1e300, -1.5E-3, [], {}, null, false]"),
        with("\"formatVersion\": 3", "\"formatVersion\": 3, \"x\": tru"),
        with("\"formatVersion\": 3", "\"formatVersion\": 3,"),
        with("\"element\":\"06\"", "\"element\":\"record\""),
        with("\"complete\": true", "\"complete\": 1"),
        with("\"recordNumber\"", "\"recordNumbe\\u0072\""),
        with("\"line\"", "\"x\": {\"kind\": 1, \"element\": [\"07\"]}, \"line\""),
        with("\"adoption\": [", "\"adoption\": [\"A00000000009\", "),
        with("\"adoption\": [", "\"adoption\": [3, "),
        with("\"state\": \"01\"", "\"state\": [\"01\"]"),
        with("\"run\": {", "\"run\": {\"x\": " + std::string(600, '[') + std::string(600, ']') + ", "),
    };
    for (std::size_t cut = 0; cut < good.size(); cut += good.size() / 30 + 1) docs.push_back(good.substr(0, cut));
    for (std::size_t i = 0; i < docs.size(); ++i) {
        const std::string& text = docs[i];
        SCOPED_TRACE(i);
        writeFile(dir / "doc.json", text);
        std::string error;
        std::optional<vortel::PreviousRun> read = vortel::readPreviousRun((dir / "doc.json").string(), error);
        std::optional<vortel::RunFindings> reference = readByLibrary(text);
        ASSERT_EQ(read.has_value(), reference.has_value()) << error;
        if (!read) continue;
        for (const auto kind : {vortel::RecordKind::Adoption, vortel::RecordKind::FosterCare}) {
            EXPECT_EQ(read->findings.of(kind).records, reference->of(kind).records);
            EXPECT_TRUE(read->findings.of(kind).findings == reference->of(kind).findings);
        }
    }
}

}  // namespace
