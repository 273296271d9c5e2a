#include "findings/explanations.h"

#include <set>

#include <gtest/gtest.h>

#include "adoption/adoption_group_tables.h"
#include "catalogue/catalogue.h"
#include "datepairs/date_pair_tables.h"
#include "fostercare/fostercare_group_tables.h"
#include "support/records.h"

namespace vortel {
namespace {

using testing::cleanAdoptionRecord;
using testing::cleanFosterCareRecord;
using testing::makeContext;
using testing::setField;

constexpr RecordKind A = RecordKind::Adoption;
constexpr RecordKind F = RecordKind::FosterCare;

std::string cleanRecord(RecordKind kind) { return kind == A ? cleanAdoptionRecord() : cleanFosterCareRecord(); }

void check(RunContext& ctx, RecordKind kind, const std::string& record) {
    if (kind == A)
        testing::checkAdoptionRecord(ctx, record);
    else
        testing::checkFosterCareRecord(ctx, record);
}

// Where the explanations of the tests' findings are kept: never cleared, so
// that the findings' words outlive the helpers that explain them.
RecordWords testWords;

// The explained findings of a record after every check.
std::vector<Finding> explained(RunContext& ctx, RecordKind kind, const std::string& record) {
    check(ctx, kind, record);
    std::vector<Finding> found;
    collectFindings(kind, ctx.cells(kind), record, found);
    explainFindings(kind, ctx.cells(kind), record, ctx, found, testWords);
    return found;
}

const Finding* findingOf(const std::vector<Finding>& found, std::string_view label) {
    for (const Finding& f : found)
        if (f.element == label) return &f;
    return nullptr;
}

std::string prefix(RecordKind kind) { return kind == A ? "A-" : "F-"; }

// Every rule of the groups (group, index): each date-pair row, each rule of
// the adoption tables, each row and column of the foster care decision tables
// that marks something.
std::vector<std::pair<int, int>> groupRules(RecordKind kind) {
    std::vector<std::pair<int, int>> rules;
    const std::size_t datePairRows = (kind == A ? adoptionDateChecks() : fosterCareDateChecks()).size();
    for (std::size_t row = 0; row < datePairRows; ++row) rules.emplace_back(1, static_cast<int>(row));
    auto tableRules = [&](int group, const auto& table) {
        for (std::size_t i = 0; i < std::size(table); ++i) rules.emplace_back(group, static_cast<int>(i));
    };
    auto decisionRules = [&](int group, const auto& table) {
        const std::size_t columns = std::size(table[0].outcomes);
        for (std::size_t row = 0; row < std::size(table); ++row)
            for (std::size_t column = 0; column < columns; ++column)
                if (table[row].outcomes[column].how != fostercare_groups::Marking::None)
                    rules.emplace_back(group, static_cast<int>(row * columns + column));
    };
    if (kind == A) {
        using namespace adoption_groups;
        rules.emplace_back(2, kAgencyRule);
        tableRules(3, kSpecialNeedsTable);
        tableRules(4, kFamilyTable);
        for (int count = 0; count < static_cast<int>(std::size(kRelationshipCountMarks)); ++count)
            if (kRelationshipCountMarks[count]) rules.emplace_back(5, count);
        tableRules(6, kSubsidyTable);
        tableRules(7, kRaceTable);
    } else {
        using namespace fostercare_groups;
        decisionRules(2, kGroup2Table);
        decisionRules(3, kGroup3Table);
        decisionRules(4, kGroup4Table);
        decisionRules(5, kGroup5Table);
        decisionRules(6, kGroup6Table);
        rules.emplace_back(7, 0);
        decisionRules(8, kGroup8Table);
        decisionRules(9, kGroup9Table);
        decisionRules(10, kGroup10Table);
        decisionRules(11, kGroup11Table);
        decisionRules(12, kGroup12Table);
        for (int rule = 0; rule < 2 * static_cast<int>(std::size(kGroup13RaceElements)); ++rule)
            rules.emplace_back(13, rule);
    }
    return rules;
}

// The explained finding of a clean record whose group's first cell holds the
// group's letter, set by the rule as the checks set it.
Finding groupFinding(RunContext& ctx, RecordKind kind, int group, int index) {
    const std::string record = cleanRecord(kind);
    const GroupEntry& g = groupEntries(kind)[static_cast<std::size_t>(group - 1)];
    const ElementEntry* first = findElement(elementEntries(kind), g.elements[0]);
    if (first->part == EntryPart::RaceElement) first = findElement(elementEntries(kind), g.elements[0], 'a');
    ElementTable& cells = ctx.cells(kind);
    cells.resetRecord();
    cells.setRule(groupRule(group, index));
    cells.setLetter(first->cell(), g.letter);
    std::vector<Finding> found;
    collectFindings(kind, cells, record, found);
    EXPECT_EQ(found.size(), 1u);
    explainFindings(kind, cells, record, ctx, found, testWords);
    return found.empty() ? Finding{} : found[0];
}

// Values that fail each element test, and the part of the test they fail.
struct Failing {
    ElementTest test;
    const char* value;
    const char* id;
};
constexpr Failing kFailing[] = {
    {ElementTest::StateCode, "99", "state"},
    {ElementTest::ReportPeriod, "202606", "period"},
    {ElementTest::ReportPeriod, "199409", "early"},
    {ElementTest::ReportPeriod, "202709", "late"},
    {ElementTest::Code, "X", "code"},
    {ElementTest::YearMonth, "202613", "date"},
    {ElementTest::YearMonth, "189912", "early"},
    {ElementTest::YearMonth, "202701", "late"},
    {ElementTest::Date, "20250229", "date"},
    {ElementTest::Date, "18991231", "early"},
    {ElementTest::Date, "20261208", "late"},
    {ElementTest::Year, "1899", "year"},
    {ElementTest::Range, "1A", "number"},
    {ElementTest::LocalAgency, "01999", "agency"},
};

// Every rule the checks can give: each element's test failing in each of its
// ways (through the real checks), each date-pair row and each group rule of
// the tables. Each has its own id and a sentence that names the element or
// the group.
TEST(Explanations, EveryRuleTheChecksCanGiveHasOne) {
    for (RecordKind kind : {A, F}) {
        auto ctx = makeContext();
        std::set<std::string> ids;
        for (const ElementEntry& e : elementEntries(kind)) {
            if (!e.checked) continue;
            const std::string subject = std::string(e.name) + " (" + std::string(e.label()) + ")";
            std::vector<std::pair<std::string, std::string>> cases;  // value, id
            if (e.layout.blankState == kMissing) cases.emplace_back(std::string(e.width(), ' '), "missing");
            for (const Failing& f : kFailing)
                if (f.test == e.layout.test) cases.emplace_back(f.value, f.id);
            ASSERT_FALSE(cases.empty()) << e.label();
            for (const auto& [value, id] : cases) {
                std::string record = cleanRecord(kind);
                setField(record, e.first(), value + std::string(e.width() - value.size(), ' '));
                const std::vector<Finding> found = explained(*ctx, kind, record);
                const Finding* f = findingOf(found, e.label());
                ASSERT_NE(f, nullptr) << e.label() << " " << value;
                EXPECT_EQ(f->rule, prefix(kind) + std::string(e.label()) + "." + id) << value;
                EXPECT_EQ(f->explanation.substr(1, subject.size() - 1), subject.substr(1)) << f->explanation;
                ids.emplace(f->rule);
            }
        }

        const std::string record = cleanRecord(kind);
        std::set<int> groupsSeen;
        for (const auto& [group, index] : groupRules(kind)) {
            const GroupEntry& g = groupEntries(kind)[static_cast<std::size_t>(group - 1)];
            const Finding found = groupFinding(*ctx, kind, group, index);
            const std::string heading = "Group #" + std::to_string(group) + " (" + std::string(g.title) + ")";
            EXPECT_EQ(found.explanation.rfind(heading, 0), 0u) << found.explanation;
            EXPECT_EQ(found.explanation.find('?'), std::string::npos) << found.explanation;
            const std::string id = prefix(kind) + (group == 1 ? "DP" : "G" + std::to_string(group) + ".");
            EXPECT_EQ(found.rule.rfind(id, 0), 0u) << found.rule;
            EXPECT_TRUE(ids.emplace(found.rule).second) << "two rules named " << found.rule;
            groupsSeen.insert(group);
        }
        EXPECT_EQ(groupsSeen.size(), groupEntries(kind).size());
    }
}
// What each group rule reads: the elements its sentence names by the
// catalogue's name and number ("TPR for the father (48)"), and those it reads
// together, as the sentence numbers them (a date-pair row: its two dates); `rules` are the indexes of the
// group's rules that read them (first and last).
TEST(Explanations, GroupSentencesNameEachElementTheirRuleReads) {
    struct Reads {
        RecordKind kind;
        int group;
        std::pair<int, int> rules;
        std::vector<int> named;
        std::vector<const char*> together;
    };
    constexpr std::pair<int, int> kAll = {0, 1 << 16};
    const Reads kReads[] = {
        {A, 2, kAll, {4, 31, 34, 35}, {}},
        {A, 3, kAll, {9, 10}, {"11-15"}},
        {A, 4, kAll, {22}, {"(23, 25a-25f, 26)", "(24, 27a-27f, 28)"}},
        {A, 5, kAll, {}, {"29-32"}},
        {A, 6, kAll, {35, 36, 37}, {}},
        {A, 7, {0, 1}, {7}, {}},
        {A, 7, {2, 2}, {25}, {}},
        {A, 7, {3, 3}, {25, 22}, {}},
        {A, 7, {4, 4}, {27}, {}},
        {A, 7, {5, 5}, {27, 22}, {}},
        {F, 2, kAll, {33, 10}, {"11-15"}},
        {F, 3, kAll, {16, 17}, {}},
        {F, 4, kAll, {18, 19, 20, 21}, {}},
        {F, 5, kAll, {21, 23, 24}, {}},
        {F, 6, {0, 23}, {5, 21, 25, 43, 56}, {}},      // discharged
        {F, 6, {24, 47}, {2, 5, 21, 25, 43, 56}, {}},  // in care
        {F, 7, kAll, {}, {"26-40"}},
        {F, 8, kAll, {44, 45, 46}, {}},
        {F, 9, kAll, {41, 49}, {"(50, 52, 53)", "(51, 54, 55)"}},
        {F, 10, kAll, {43, 47, 48, 58}, {}},
        {F, 11, kAll, {56, 57, 58}, {}},
        {F, 12, kAll, {63, 65, 66}, {"59-62 and 64"}},
        {F, 13, {0, 1}, {8}, {}},
        {F, 13, {2, 3}, {52, 41}, {}},
        {F, 13, {4, 5}, {54, 41}, {}},
    };
    for (RecordKind kind : {A, F}) {
        auto ctx = makeContext();
        for (const auto& [group, index] : groupRules(kind)) {
            const Reads* reads = nullptr;
            Reads datePair;  // a date-pair row reads its two dates
            if (group == 1) {
                const DateCheck& row = (kind == A ? adoptionDateChecks() : fosterCareDateChecks())[index];
                datePair = {kind, 1, kAll, {row.p, row.q}, {}};
                reads = &datePair;
            }
            for (const Reads& r : kReads)
                if (r.kind == kind && r.group == group && index >= r.rules.first && index <= r.rules.second) reads = &r;
            ASSERT_NE(reads, nullptr) << prefix(kind) << "G" << group << " rule " << index;
            const Finding f = groupFinding(*ctx, kind, group, index);
            // The conditions: after the heading, before what the group marks.
            const std::size_t from = f.explanation.find(": ");
            const std::string conditions(f.explanation.substr(from, f.explanation.find(", so the group marks") - from));
            for (int element : reads->named) {
                const ElementEntry* e = findElement(elementEntries(kind), element);
                const std::string name = std::string(e->name) + " (" + std::string(e->label()) + ")";
                EXPECT_NE(conditions.find(name), std::string::npos)
                    << f.rule << " does not name " << name << ": " << f.explanation;
            }
            for (const char* text : reads->together)
                EXPECT_NE(conditions.find(text), std::string::npos)
                    << f.rule << " does not read " << text << ": " << f.explanation;
        }
    }
}

// What the sentences say of records the checks found fault with.
TEST(Explanations, SayWhatTheChecksFound) {
    struct Case {
        RecordKind kind;
        std::vector<std::pair<int, const char*>> fields;  // first column, value
        const char* element;
        const char* rule;
        const char* explanation;
    };
    const Case cases[] = {
        {A,
         {{52, "20250301"}, {68, "20250114"}},
         "21",
         "A-DP24",
         "Group #1 (dates and years), row 24: Legalization date (21) is before TPR date for the mother (19): "
         "20250114 before 20250301."},
        {F,
         {{26, "20241125"}},
         "05",
         "F-DP1",
         "Group #1 (dates and years), row 1: report period end date (02) is more than 274 days after review "
         "date (05): 202609, 674 days after 20241125."},
        {A,
         {{21, "2"}},
         "04",
         "A-G2.1",
         "Group #2 (State agency involvement): State agency involvement (04) is not 1 while Child was adopted by a "
         "foster parent (31), Child was placed by (34) or Subsidy is being paid on behalf of the child (35) holds 1 "
         "and both 34 and 35 hold 1, so the group marks 04 in upper case: the value will be deleted; values 04 "
         "\"2\", 31 \"1\", 34 \"1\", 35 \"1\"."},
        {F,
         {{169, "20260701"}, {177, "20260702"}, {185, "0"}},
         "58",
         "F-G11.4.2",
         "Group #11 (discharge): discharge date (56) is given, discharge transaction date (57) is given and reason "
         "for discharge (58) is 0, so the group marks 58 in upper case: the value will be deleted; values 56 "
         "\"20260701\", 57 \"20260702\", 58 \"0\"."},
        {A,
         {{22, "202701"}},
         "05",
         "A-05.late",
         "Child's birth date (05) holds \"202701\": not before the run date, 20261208."},
        {F,
         {{9, "01999"}},
         "03",
         "F-03.agency",
         "Local agency FIPS code (03) holds \"01999\": not a local agency code of State 01 in the list fips.lst."},
        {A, {{28, " "}}, "06", "A-06.missing", "Gender (06) is blank and must be reported."},
        // The last row of a table that takes every other combination says
        // what the record held.
        {A,
         {{76, "4"}, {81, "    "}},
         "22",
         "A-G4.9",
         "Group #4 (adoptive family structure and adoptive parents): Adoptive family structure (22) is 4, the adoptive "
         "mother's information (23, 25a-25f, 26) is complete and the adoptive father's information (24, 27a-27f, 28) "
         "is partial, which no row before this one takes, so the group marks 22, the adoptive mother's elements and "
         "the adoptive father's elements; values 22 \"4\", 23 \"1975\", 24 \"    \", 25 \"000010\", 26 \"2\", 27 "
         "\"000010\", 28 \"2\"."},
        // The other rows that marked the element, and a distance in years and
        // months, not the rounded measure.
        {A,
         {{22, "199001"}},
         "05",
         "A-DP13",
         "Group #1 (dates and years), row 13: Legalization date (21) is at least 18 years after Child's birth date "
         "(05): 20210610, 31 years 5 months after 199001; also rows 1, 9 and 10 mark this element."},
        {A,
         {{52, "20030220"}},
         "19",
         "A-DP24",
         "Group #1 (dates and years), row 24: Legalization date (21) is at least 18 years after TPR date for the "
         "mother (19): 20210610, 18 years 3 months 21 days after 20030220; also rows 4 and 11 mark this element."},
        // An invalid date is no date to the group, and said to be invalid.
        {F,
         {{58, "20220105"}, {68, "20251340"}},
         "18",
         "F-G4.14.2",
         "Group #4 (removals and previous discharge): previous discharge date (20) is blank or out of range, in date "
         "order first removal date (18) < latest removal date (21) and number of removals (19) is 1, so the group "
         "marks "
         "18; values 18 \"20220105\", 19 \"01\", 20 \"20251340\", 21 \"20230105\"."},
    };
    for (const Case& c : cases) {
        auto ctx = makeContext();
        std::string record = cleanRecord(c.kind);
        for (const auto& [first, value] : c.fields) setField(record, first, value);
        const std::vector<Finding> found = explained(*ctx, c.kind, record);
        const Finding* f = findingOf(found, c.element);
        ASSERT_NE(f, nullptr) << c.rule;
        EXPECT_EQ(f->rule, c.rule);
        EXPECT_EQ(f->explanation, c.explanation);
    }
}

}  // namespace
}  // namespace vortel
