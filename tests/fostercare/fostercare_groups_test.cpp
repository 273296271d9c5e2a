// Consistency groups 2 to 13 of foster care records. Every case starts from
// the clean record, changes the columns that set the group's factors, runs the
// element checks and the groups (without the date pairs, whose letter `a` is
// simulated by presetting a cell) and compares the states of the group's
// elements with the marks the group's decision table calls for.
#include "fostercare/fostercare_groups.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fostercare/fostercare_elements.h"
#include "run/run_control.h"
#include "support/records.h"

namespace {

using vortel::ElementTable;
using vortel::RunContext;

struct Edit {
    int column;
    std::string value;
};
struct Preset {
    int cell;
    char state;
};
struct GroupCase {
    std::string_view label;
    std::vector<Edit> edits;
    std::string_view expected;
    std::vector<Preset> presets = {};
};
using View = std::function<std::string(const ElementTable&)>;

std::string buildRecord(const std::vector<Edit>& base, const std::vector<Edit>& edits) {
    std::string record = vortel::testing::cleanFosterCareRecord();
    for (const auto& e : base) vortel::testing::setField(record, e.column, e.value);
    for (const auto& e : edits) vortel::testing::setField(record, e.column, e.value);
    return record;
}

const ElementTable& runGroups(RunContext& ctx, const std::string& record, const std::vector<Preset>& presets = {}) {
    vortel::resetFosterCareCells(ctx);
    vortel::checkFosterCareElements(ctx.facts, ctx.cells(vortel::RecordKind::FosterCare), record);
    for (const auto& p : presets) ctx.cells(vortel::RecordKind::FosterCare).setState(p.cell, p.state);
    vortel::checkFosterCareGroups(ctx.cells(vortel::RecordKind::FosterCare), record);
    return ctx.cells(vortel::RecordKind::FosterCare);
}

// The raw states of the listed cells.
View cellStates(std::vector<int> cells) {
    return [cells](const ElementTable& t) {
        std::string s;
        for (int c : cells) s.push_back(t.state(c));
        return s;
    };
}

void expectCases(const View& view, const std::vector<Edit>& base, const std::vector<GroupCase>& cases) {
    auto ctx = vortel::testing::makeContext();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.label));
        EXPECT_EQ(view(runGroups(*ctx, buildRecord(base, c.edits), c.presets)), c.expected);
    }
}

TEST(FosterCareGroups, CleanRecordKeepsTheElementStates) {
    auto ctx = vortel::testing::makeContext();
    const std::string record = vortel::testing::cleanFosterCareRecord();
    vortel::resetFosterCareCells(*ctx);
    vortel::checkFosterCareElements(ctx->facts, ctx->cells(vortel::RecordKind::FosterCare), record);
    const std::string before = vortel::testing::states(ctx->cells(vortel::RecordKind::FosterCare), 1, 84);
    vortel::checkFosterCareGroups(ctx->cells(vortel::RecordKind::FosterCare), record);
    EXPECT_EQ(vortel::testing::states(ctx->cells(vortel::RecordKind::FosterCare), 1, 84), before);
}

// Cells 10-15 and 33. Columns: 50 element 10, 51-55 elements 11-15, 110 element 33.
TEST(FosterCareGroups, Group2Disability) {
    expectCases(cellStates({10, 11, 12, 13, 14, 15, 33}), {},
                {
                    {"33=1, 10=1, no specific", {{50, "100000"}, {110, "1"}}, ".bbbbb."},
                    {"33=1, 10=1, some specific", {{50, "101000"}, {110, "1"}}, "......."},
                    {"33=1, 10=2, some specific", {{50, "210000"}, {110, "1"}}, "b......"},
                    {"33=1, 10=3, no specific", {{50, "300000"}, {110, "1"}}, "......b"},
                    {"33=0, 10=1, no specific", {{50, "100000"}, {110, "0"}}, "b......"},
                    {"33=0, 10=2, some specific: all", {{50, "200001"}, {110, "0"}}, "bbbbbbb"},
                    {"33=0, 10=3, some specific: all", {{50, "300100"}, {110, "0"}}, "bbbbbbb"},
                    {"33=0, 10=3, no specific", {{50, "300000"}, {110, "0"}}, "......."},
                    {"33 missing, 10=1, no specific", {{50, "100000"}, {110, " "}}, "b.....1"},
                    {"33 missing, 10=2, some specific", {{50, "201000"}, {110, " "}}, "b.....1"},
                    {"33 out of range, 10=3, no specific", {{50, "300000"}, {110, "9"}}, "......2"},
                    {"all blocked by a letter", {{50, "200001"}, {110, "0"}}, "..a....", {{12, 'a'}}},
                    {"10 missing: no check", {{50, " 00000"}, {110, "1"}}, "1......"},
                    {"12 out of range: no check", {{50, "207000"}, {110, "0"}}, "..2...."},
                });
}

// Cells 16 and 17. Columns 56 and 57.
TEST(FosterCareGroups, Group3PreviousAdoption) {
    expectCases(cellStates({16, 17}), {},
                {
                    {"16=1, 17 blank", {{56, "1 "}}, ".c"},
                    {"16=1, 17=0: both", {{56, "10"}}, "cc"},
                    {"16=2, 17=3: both", {{56, "23"}}, "cc"},
                    {"16=2, 17 blank", {{56, "2 "}}, ".!"},
                    {"16=3, 17=5", {{56, "35"}}, ".."},
                    {"16=3, 17=4: both", {{56, "34"}}, "cc"},
                    {"16 missing, 17=2: both, 16 stays missing", {{56, " 2"}}, "1c"},
                    {"16 missing, 17=0", {{56, " 0"}}, "1."},
                    {"17 out of range: no check", {{56, "19"}}, ".2"},
                });
}

// Cell 37. Columns 103-117.
TEST(FosterCareGroups, Group7RemovalConditions) {
    expectCases(cellStates({37}), {},
                {
                    {"no condition applies", {{103, "000000000000000"}}, "g"},
                    {"one condition applies", {{103, "000000000000001"}}, "."},
                    {"a condition missing: no check", {{103, "00000000000000 "}}, "."},
                });
}

// Cells 59-66. Columns 186-192 sources, 193-197 amount.
TEST(FosterCareGroups, Group12Funding) {
    expectCases(cellStates({59, 60, 61, 62, 63, 64, 65, 66}), {},
                {
                    {"no/no/no, positive: all", {{186, "000000000650"}}, "mmmmmmmm"},
                    {"no/no/no, absent", {{186, "0000000     "}}, "......m1"},
                    {"no/no/yes, zero", {{186, "000000100000"}}, "........"},
                    {"no/yes/no, absent", {{186, "0000100     "}}, ".......1"},
                    {"no/yes/yes, zero", {{186, "000010100000"}}, "......m."},
                    {"yes/no/no, zero", {{186, "1000000    0"}}, ".......m"},
                    {"yes/no/no by SSI, positive", {{186, "000001000650"}}, "........"},
                    {"yes/no/yes, positive", {{186, "010000100650"}}, "......m."},
                    {"yes/no/yes, zero: all", {{186, "001000100000"}}, "mmmmmmmm"},
                    {"yes/yes/no, amount out of range", {{186, "0010100ABCDE"}}, ".......2"},
                    {"yes/yes/yes, zero: all", {{186, "000110100000"}}, "mmmmmmmm"},
                    {"yes/yes/yes, positive", {{186, "000110100650"}}, "......m."},
                    {"a source missing: no check", {{186, "00 0000     "}}, "..1....1"},
                });
}

// Cells 18-21. Columns 58 (18), 66 (19), 68 (20), 76 (21); the placement
// date (23) follows element 21 so that group 5 stays quiet.
constexpr std::string_view kA = "20200105", kB = "20210105", kC = "20220105", kNone = "        ";
std::vector<Edit> removals(std::string_view d18, std::string_view d20, std::string_view d21, std::string_view count) {
    return {{58, std::string(d18)},
            {66, std::string(count)},
            {68, std::string(d20)},
            {76, std::string(d21)},
            {92, std::string(d21 == kNone ? kA : d21)}};
}
constexpr std::string_view kOne = "01", kSeveral = "03";

TEST(FosterCareGroups, Group4RemovalDates) {
    expectCases(
        cellStates({18, 19, 20, 21}), {},
        {
            {"18 < 20 < 21, one", removals(kA, kB, kC, kOne), ".D.."},
            {"18 < 20 < 21, several", removals(kA, kB, kC, kSeveral), "...."},
            {"18 < 20 = 21, several", removals(kA, kB, kB, kSeveral), "...."},
            {"18 < 21 < 20, one: all", removals(kA, kC, kB, kOne), "dddd"},
            {"18 = 21 < 20, one", removals(kA, kB, kA, kOne), "..D."},
            {"18 = 21 < 20, several: all", removals(kA, kB, kA, kSeveral), "dddd"},
            {"21 < 18 < 20, several", removals(kB, kC, kA, kSeveral), "...d"},
            {"18 = 20 < 21, one", removals(kA, kA, kB, kOne), ".d.."},
            {"18 = 20 = 21, several", removals(kA, kA, kA, kSeveral), ".d.."},
            {"21 < 18 = 20, one: all", removals(kB, kB, kA, kOne), "dddd"},
            {"20 < 18 < 21, several", removals(kB, kA, kC, kSeveral), "..d."},
            {"20 < 18 = 21, one", removals(kB, kA, kB, kOne), "..d."},
            {"20 < 18 = 21, several", removals(kB, kA, kB, kSeveral), "d..."},
            {"20 < 21 < 18, several", removals(kC, kA, kB, kSeveral), "d..."},
            {"20 = 21 < 18, one: all", removals(kB, kA, kA, kOne), "dddd"},
            {"21 < 20 < 18, several: all", removals(kC, kB, kA, kSeveral), "dddd"},
            {"20 missing, 18 < 21, several: the blank takes the letter", removals(kA, kNone, kB, kSeveral), "..d."},
            {"20 missing, 18 < 21, one", removals(kA, kNone, kB, kOne), "d.!."},
            {"20 missing, 18 = 21, one", removals(kA, kNone, kA, kOne), "..!."},
            {"20 missing, 18 = 21, several", removals(kA, kNone, kA, kSeveral), ".D!."},
            {"20 missing, 18 a day after 21, one", removals("20230105", kNone, "20230104", kOne), "d.!."},
            {"20 out of range, 18 < 21, several: stays 2", removals(kA, "20221301", kB, kSeveral), "..2."},
            {"21 missing, 18 < 20, one: all but the missing", removals(kA, kB, kNone, kOne), "ddd1"},
            {"21 out of range, 18 = 20, several", removals(kA, kA, "2022013X", kSeveral), "...2"},
            {"21 missing, 18 > 20, several: all", removals(kB, kA, kNone, kSeveral), "ddd1"},
            {"18 missing, 20 < 21, one: all", removals(kNone, kA, kB, kOne), "1ddd"},
            {"18 missing, 20 = 21, several", removals(kNone, kA, kA, kSeveral), "1..."},
            {"18 missing, 20 > 21, several: all", removals(kNone, kB, kA, kSeveral), "1ddd"},
            {"two dates missing: no check", removals(kA, kNone, kNone, kSeveral), "..!1"},
            {"19 missing: no check", removals(kA, kC, kB, "  "), ".1.."},
            {"letter on 21 blocks all", removals(kA, kC, kB, kOne), "...a", {{21, 'a'}}},
            {"letter on 21 kept against a single mark", removals(kB, kC, kA, kSeveral), "...a", {{21, 'a'}}},
        });
}

// Cells 21, 23, 24. Columns 92 (23), 100 (24); 21 and 18 are 2023-01-05.
TEST(FosterCareGroups, Group5Placements) {
    expectCases(cellStates({21, 23, 24}), {},
                {
                    {"same day, one", {{92, "20230105"}, {100, "01"}}, "..."},
                    {"same day, zero: 24 stays out of range", {{92, "20230105"}, {100, "00"}}, "..2"},
                    {"same day, several", {{92, "20230105"}, {100, "03"}}, "..e"},
                    {"later, one", {{92, "20230201"}, {100, "01"}}, "..e"},
                    {"later, zero", {{92, "20230201"}, {100, "00"}}, "..2"},
                    {"later, several", {{92, "20230201"}, {100, " 3"}}, "..."},
                    {"earlier, one: all", {{92, "20221201"}, {100, "01"}}, "eee"},
                    {"earlier, zero: 21 and 23 not marked", {{92, "20221201"}, {100, "00"}}, "..2"},
                    {"earlier, several: all", {{92, "20221201"}, {100, "12"}}, "eee"},
                    {"24 missing: no check", {{92, "20221201"}, {100, "  "}}, "..1"},
                    {"letter on 21 blocks all", {{92, "20221201"}, {100, "01"}}, "a..", {{21, 'a'}}},
                    {"letter on 21, single mark of 24", {{92, "20230201"}, {100, "01"}}, "a.e", {{21, 'a'}}},
                });
}

// Cells 5, 25, 43. Discharged cases give a discharge transaction date and a
// reason so that groups 10 and 11 stay quiet.
std::vector<Edit> stay(std::string_view removal, std::string_view discharge, std::string_view review, char manner,
                       char goal) {
    const std::string r(removal);
    std::vector<Edit> e = {{26, std::string(review)},
                           {58, r},
                           {76, r},
                           {92, r},
                           {102, std::string(1, manner)},
                           {120, std::string(1, goal)},
                           {169, std::string(discharge)}};
    if (discharge != kNone) {
        e.push_back({177, std::string(discharge)});
        e.push_back({185, "1"});
    }
    return e;
}

TEST(FosterCareGroups, Group6StayAndReview) {
    auto ctx = vortel::testing::makeContext();
    struct Row {
        std::string_view label;
        std::string_view removal, discharge, review;
        char manner, goal;
        std::string_view expected;
        std::string_view period = "202609";
    };
    const Row rows[] = {
        {"discharged long, 1, set/outside after discharge", "20230105", "20240105", "20250101", '2', '1', "f.."},
        {"discharged long, other, not set/within", "20230105", "20240105", "20230601", '3', '7', ".ff"},
        {"discharged long, other, set/none", "20230105", "20240105", kNone, '3', '1', "!f."},
        {"discharged short, 1, not set/within", "20230105", "20230120", "20230110", '1', '7', "..f"},
        {"discharged short, other, set/outside", "20230105", "20230120", "20230101", '3', '1', "f.."},
        {"discharged short, other, not set/none", "20230105", "20230120", kNone, '3', '7', "!.."},
        {"in care long, 2, set/none", "20230105", kNone, kNone, '2', '1', "!.."},
        {"in care long, other, set/outside", "20230105", kNone, "20230101", '3', '1', "ff."},
        {"in care long, other, goal missing/within", "20230105", kNone, "20240101", '3', ' ', ".f1"},
        {"in care short, 1, not set/outside", "20260915", kNone, "20260901", '1', '7', "f.."},
        {"in care short, other, set/outside", "20260915", kNone, "20260901", '3', '1', "f.f"},
        {"in care short, other, not set/within", "20260915", kNone, "20260920", '3', '7', ".ff"},
        {"30 days is short", "20230105", "20230204", kNone, '3', '7', "!.."},
        {"31 days is long", "20230105", "20230205", kNone, '3', '7', "!f."},
        {"discharge before removal: no check", "20230105", "20221231", "20230101", '3', '1', "..."},
        {"period end 31 March: 31 days", "20260228", kNone, kNone, '3', '7', "!f.", "202603"},
        {"March written \"3 \" ends on the 31st too", "20260228", kNone, kNone, '3', '7', "!f.", "20263 "},
        {"period end 30 September: 30 days is short", "20260831", kNone, kNone, '3', '7', "!..", "202609"},
        {"report period out of range: no check", "20230105", kNone, "20240101", '3', '1', "...", "202606"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.label));
        std::vector<Edit> edits = stay(r.removal, r.discharge, r.review, r.manner, r.goal);
        edits.push_back({3, std::string(r.period)});
        EXPECT_EQ(cellStates({5, 25, 43})(runGroups(*ctx, buildRecord({}, edits))), r.expected);
    }
}

// Cells 44-46. Columns 121, 122-125, 126-129.
TEST(FosterCareGroups, Group8PrimaryCaretakers) {
    expectCases(cellStates({44, 45, 46}), {},
                {
                    {"1, neither year", {{121, "1        "}}, ".hh"},
                    {"2, first only", {{121, "21985    "}}, "..h"},
                    {"1, second only", {{121, "1    1984"}}, ".h."},
                    {"3, neither year", {{121, "3        "}}, ".h!"},
                    {"3, second only", {{121, "3    1984"}}, ".!."},
                    {"4, both", {{121, "419851984"}}, "h.."},
                    {"4, first out of range counts absent", {{121, "420261984"}}, ".2."},
                    {"5, neither year", {{121, "5        "}}, ".!!"},
                    {"5, first only", {{121, "51985    "}}, "h.!"},
                    {"44 missing: no check", {{121, "         "}}, "1!!"},
                });
}

// Whether each of 49, 50, 52, 53, 51, 54, 55 carries the group letter on all
// its cells ('i'), on none ('-'), or on some ('?').
std::string lettered(const ElementTable& t) {
    const std::pair<int, int> elements[] = {{49, 49}, {50, 50}, {73, 78}, {53, 53}, {51, 51}, {79, 84}, {55, 55}};
    std::string s;
    for (const auto& [first, last] : elements) {
        int n = 0;
        for (int c = first; c <= last; ++c) n += t.state(c) == 'i';
        s.push_back(n == 0 ? '-' : n == last - first + 1 ? 'i' : '?');
    }
    return s;
}
constexpr std::string_view kAbsent = "    ";
std::vector<Edit> family(std::string_view setting, std::string_view structure, int first, int second) {
    // Caretaker 0 absent, 1 partial (birth year only), 2 complete.
    const std::string_view year1 = first ? "1970" : kAbsent, year2 = second ? "1972" : kAbsent;
    const std::string_view race1 = first == 2 ? "0000102" : "       ", race2 = second == 2 ? "0000102" : "       ";
    return {{118, std::string(setting)}, {146, std::string(structure)}, {147, std::string(year1)},
            {151, std::string(year2)},   {155, std::string(race1)},     {162, std::string(race2)}};
}

TEST(FosterCareGroups, Group9FosterFamily) {
    expectCases(lettered, {},
                {
                    {"1-3, none, 0/1", family("1", "0", 0, 1), "i---iii"},
                    {"1-3, couple, 2/2", family("2", "1", 2, 2), "-------"},
                    {"1-3, couple, 1/1", family("3", "2", 1, 1), "iiiiiii"},
                    {"1-3, single, 0/0", family("1", "3", 0, 0), "iiii---"},
                    {"1-3, single, 2/0: single parent", family("1", "3", 2, 0), "-------"},
                    {"4-6, none, 0/0", family("4", "0", 0, 0), "-------"},
                    {"4-6, couple, 0/0", family("5", "1", 0, 0), "i------"},
                    {"4-6, single, 2/1", family("6", "4", 2, 1), "iiiiiii"},
                    {"7-8, none, 2/0", family("7", "0", 2, 0), "i------"},
                    {"7-8, couple, 1/2", family("8", "2", 1, 2), "iiii---"},
                    {"7-8, single, 0/2", family("8", "3", 0, 2), "-------"},
                    {"missing, none, 1/0", family(" ", "0", 1, 0), "iiii---"},
                    {"missing, couple, 1/1", family(" ", "1", 1, 1), "iiii---"},
                    {"missing, single, 2/2", family("9", "4", 2, 2), "i------"},
                    {"setting 1, no foster family data", family("1", " ", 0, 0), "iiiiiii"},
                    {"setting 4, no foster family data", family("4", " ", 0, 0), "-------"},
                    {"41 and 49 missing: no check", family(" ", " ", 0, 1), "-------"},
                    {"origin 0 is not complete", {{118, "5"}, {146, "11970197200000100000011"}}, "iiiiiii"},
                    {"all zeros: both absent, out-of-range years kept",
                     {{118, "1"}, {146, "00000000000000000000000"}},
                     "i-ii-ii"},
                    {"all zeros and ones: both absent", {{118, "5"}, {146, "11111111111111111111111"}}, "i------"},
                });
}

// Cells 43, 47, 48, 58. Discharged with a transaction date so group 11 sees a
// complete discharge; the review date lies inside the stay for group 6.
TEST(FosterCareGroups, Group10ParentalRights) {
    const std::vector<Edit> discharged = {{26, "20230601"}, {169, "2024010520240110"}};
    expectCases(cellStates({43, 47, 48, 58}), discharged,
                {
                    {"3/3, neither", {{120, "3"}, {185, "3"}}, ".jj."},
                    {"3/3, mother only", {{120, "3"}, {130, "20230301"}, {185, "3"}}, "..j."},
                    {"3/not 3, neither", {{120, "3"}, {185, "1"}}, "j!!."},
                    {"3/not 3, father only: all", {{120, "3"}, {138, "20230301"}, {185, "1"}}, "jjjj"},
                    {"not 3/3, neither", {{120, "1"}, {185, "3"}}, ".!!j"},
                    {"not 3/3, both", {{120, "1"}, {130, "2023030120230301"}, {185, "3"}}, "j..."},
                    {"not 3/not 3, father only", {{120, "1"}, {138, "20230301"}, {185, "2"}}, ".!.."},
                    {"reason 0: no check, group 11 gives K", {{120, "3"}, {185, "0"}}, ".!!K"},
                    {"all blocked by group 6's letter on 43",
                     {{26, "20230601"}, {120, "7"}, {138, "20230301"}, {185, "3"}},
                     "f!.."},
                });
}

// Cells 56, 57, 58. Columns 169, 177, 185.
TEST(FosterCareGroups, Group11Discharge) {
    const std::string d = "20240105", t = "20240110";
    expectCases(cellStates({56, 57, 58}), {},
                {
                    {"no/no, absent", {}, "!!!"},
                    {"no/no, zero", {{185, "0"}}, "!!."},
                    {"no/no, given", {{185, "1"}}, "!!k"},
                    {"no/yes, absent", {{177, t}}, "!k!"},
                    {"no/yes, zero: all", {{177, t}, {185, "0"}}, "kkk"},
                    {"no/yes, given", {{177, t}, {185, "1"}}, "k.."},
                    {"yes/no, absent: all", {{169, d}}, "kkk"},
                    {"yes/no, given", {{169, d}, {185, "1"}}, ".k."},
                    {"yes/yes, absent", {{169, d}, {177, t}}, "..k"},
                    {"yes/yes, out-of-range reason is absent", {{169, d}, {177, t}, {185, "9"}}, "..2"},
                    {"yes/yes, zero", {{169, d}, {177, t}, {185, "0"}}, "..K"},
                    {"yes/yes, given", {{169, d}, {177, t}, {185, "1"}}, "..."},
                });
}

TEST(FosterCareGroups, Group11UpperCaseIsCleaned) {
    auto ctx = vortel::testing::makeContext();
    runGroups(*ctx, buildRecord({}, {{169, "2024010520240110"}, {185, "0"}}));
    vortel::tallyElementStates(*ctx, vortel::RecordKind::FosterCare);
    EXPECT_EQ(ctx->cells(vortel::RecordKind::FosterCare)[58].likelyErrorCount, 1);
    EXPECT_EQ(ctx->cells(vortel::RecordKind::FosterCare)[58].cleanedCount, 1);
}

// Cells 67-72 (child), 73-78 and 79-84 (foster caretakers).
TEST(FosterCareGroups, Group13Race) {
    expectCases(cellStates({67, 68, 69, 70, 71, 72}), {},
                {
                    {"child: a race and unable to determine", {{43, "100001"}}, ".....n"},
                    {"child: no race at all", {{43, "000000"}}, "nnnnnn"},
                    {"child: unable to determine only", {{43, "000001"}}, "......"},
                    {"child: missing cells stay missing", {{43, "0000  "}}, "nnnn11"},
                    {"child: out-of-range cell stays", {{43, "100 21"}}, "...12n"},
                });
    const std::vector<Edit> singleParent = {{118, "1"}, {146, "3"}, {151, "    "}, {162, "       "}};
    expectCases(cellStates({79, 80, 81, 82, 83, 84}), singleParent,
                {
                    {"single parent: blank second caretaker", {}, "nnnnnn"},
                    {"setting 5: caretakers not judged", {{118, "5"}}, "!!!!!!"},
                    {"a missing state is never overwritten", {}, "n1nnnn", {{80, '1'}}},
                });
    // First caretaker absent beside a complete second one in a single-parent
    // family, so group 9 leaves the first caretaker's race cells alone.
    const std::vector<Edit> firstAbsent = {{118, "1"}, {146, "3    "}, {161, " "}};
    expectCases(cellStates({73, 74, 75, 76, 77, 78}), firstAbsent,
                {
                    {"first caretaker: no race at all", {{155, "000000"}}, "nnnnnn"},
                    {"first caretaker: out-of-range cell stays", {{155, "00 0 9"}}, "nnnnn2"},
                });
    expectCases(cellStates({73, 74, 75, 76, 77, 78}), {},
                {
                    {"first caretaker: a race and unable to determine", {{155, "010001"}}, ".....n"},
                    {"group 9's letter is kept", {{155, "000000"}}, "iiiiii"},
                });
}

}  // namespace
