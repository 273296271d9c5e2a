// The adoption consistency groups #2 to #7: every row of every decision
// table is built into a record and its marks asserted, plus the marking
// rule (first letter wins, '1' and '2' kept, '!' takes a letter).
#include "adoption/adoption_groups.h"

#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "adoption/adoption_elements.h"
#include "adoption/adoption_group_tables.h"
#include "run/run_control.h"
#include "support/records.h"

namespace vortel {
namespace {

using testing::cleanAdoptionRecord;
using testing::makeContext;
using testing::setField;
using testing::states;

using Fields = std::vector<std::pair<int, std::string>>;

struct Preset {
    int cell;
    char state;
};

// Element checks then the groups, with the date pairs left out so that the
// marks seen are the groups' alone; `presets` stand in for states an
// earlier check (such as a date-pair letter) left in a cell.
class AdoptionGroups : public ::testing::Test {
protected:
    std::unique_ptr<RunContext> ctx = makeContext();

    const ElementTable& check(const Fields& fields, std::initializer_list<Preset> presets = {}) {
        std::string record = cleanAdoptionRecord();
        for (const auto& [col, value] : fields) setField(record, col, value);
        resetAdoptionCells(*ctx);
        checkAdoptionElements(ctx->facts, ctx->cells(vortel::RecordKind::Adoption), record);
        for (const Preset& p : presets) ctx->cells(vortel::RecordKind::Adoption).setState(p.cell, p.state);
        checkAdoptionGroups(ctx->cells(vortel::RecordKind::Adoption), record);
        return ctx->cells(vortel::RecordKind::Adoption);
    }
};

// Asserts that the named rows are exactly rows 1..n of a table.
void expectEveryRowCovered(const std::set<int>& named, std::size_t rows) {
    std::set<int> all;
    for (int r = 1; r <= static_cast<int>(rows); ++r) all.insert(r);
    EXPECT_EQ(all, named);
}

TEST_F(AdoptionGroups, CleanRecordGetsNoLetter) {
    const ElementTable& cells = check({});
    EXPECT_EQ(std::string(55, '.'), states(cells, 1, 55));
}

// ---------------------------------------------------------------- group #2

struct AgencyCase {
    const char* what;
    char c21, c101, c104, c105;
    char expected4;
};

TEST_F(AdoptionGroups, AgencyInvolvement) {
    const AgencyCase cases[] = {
        {"agency 2, foster parent adoption", '2', '1', '2', '2', 'b'},
        {"agency 2, placed by agency and subsidy: value deleted", '2', '0', '1', '1', 'B'},
        {"agency 2, all three", '2', '1', '1', '1', 'B'},
        {"agency 2, placed by agency only", '2', '0', '1', '2', 'b'},
        {"agency 2, subsidy only", '2', '0', '2', '1', 'b'},
        {"agency 2, none of them", '2', '0', '2', '2', '.'},
        {"agency 1 is consistent", '1', '1', '1', '1', '.'},
        {"element 4 missing: group stops", ' ', '1', '1', '1', '1'},
        {"element 4 out of range: group stops", '3', '1', '1', '1', '2'},
    };
    for (const AgencyCase& c : cases) {
        const ElementTable& cells = check({{21, std::string(1, c.c21)},
                                           {101, std::string(1, c.c101)},
                                           {104, std::string(1, c.c104)},
                                           {105, std::string(1, c.c105)}});
        EXPECT_EQ(c.expected4, cells.state(4)) << c.what;
    }
}

// ---------------------------------------------------------------- group #3

struct SpecialNeedsCase {
    int row;                 // table row exercised; 0: no row matches
    const char* col36;       // element 9
    const char* col37;       // element 10
    const char* cols38to42;  // elements 11-15
    const char* expected;    // states of elements 9-15
};

TEST_F(AdoptionGroups, SpecialNeedsTableRows) {
    const SpecialNeedsCase cases[] = {
        {1, " ", "0", "01000", "1cccccc"},
        {1, "3", "0", "00001", "2cccccc"},
        {2, "2", " ", "10000", "ccccccc"},
        {2, "2", "6", "1 0 0", "c2ccccc"},
        {3, " ", "4", "00000", "1.ccccc"},
        {3, "3", "4", "     ", "2.ccccc"},
        {4, "1", "4", "0 0 0", "..ccccc"},
        {5, "2", "0", "01001", "...c..c"},
        {5, "2", "0", "01 0 ", "...c!.!"},
        {6, "1", " ", "00010", ".c....."},
        {7, "1", " ", "00000", ".c....."},
        {7, "1", "6", "     ", ".2!!!!!"},
        {8, "1", "0", "10000", ".c....."},
        {9, "1", "0", "00000", ".C....."},
        {10, "2", "4", "00000", ".C....."},
        {11, "2", "4", "00001", "C......"},
        {12, "2", "3", "00000", "C......"},
        {12, "2", "5", "0 000", "C..!..."},
        {12, "2", "1", "00000", "C......"},
        // Combinations no row lists are consistent.
        {0, "1", "1", "00100", "......."},
        {0, "1", "4", "00100", "......."},
        {0, "2", " ", "00000", ".!....."},
        {0, "2", "0", "00000", "......."},
        {0, "2", "2", "01000", "......."},
        {0, " ", " ", "01000", "1!....."},
        {0, " ", "4", "01000", "1......"},
        {0, " ", "3", "00000", "1......"},
        // Any of elements 11-15 out of range suppresses the group.
        {0, "2", "0", "01200", "....2.."},
        {0, " ", "0", "1000x", "1.....2"},
        {0, "1", "0", "00700", "....2.."},
    };
    std::set<int> rows;
    for (const SpecialNeedsCase& c : cases) {
        const ElementTable& cells = check({{36, c.col36}, {37, c.col37}, {38, c.cols38to42}});
        EXPECT_EQ(c.expected, states(cells, 9, 15))
            << "row " << c.row << ": 9='" << c.col36 << "' 10='" << c.col37 << "' 11-15='" << c.cols38to42 << "'";
        if (c.row != 0) rows.insert(c.row);
    }
    expectEveryRowCovered(rows, std::size(adoption_groups::kSpecialNeedsTable));
}

// ---------------------------------------------------------------- group #4

// Birth year, race a-f and origin of one adoptive parent.
struct ParentValues {
    const char* year;
    const char* race;
    const char* origin;
};
constexpr ParentValues kComplete = {"1975", "000010", "2"};
constexpr ParentValues kCompleteOrigin1 = {"1970", "100000", "1"};
constexpr ParentValues kAllBlank = {"    ", "      ", " "};
constexpr ParentValues kBlankYearWithRace = {"    ", "000010", " "};  // partial: race given
constexpr ParentValues kYearAndOriginOnly = {"1975", "      ", "1"};  // partial: origin given
constexpr ParentValues kOriginZero = {"1975", "000010", "0"};         // partial: origin 0 is no origin
constexpr ParentValues kNoRaceMarked = {"1975", "000000", "0"};       // absent: nothing affirmative
constexpr ParentValues kBadYearNoRace = {"1899", "      ", "1"};      // absent although origin given
constexpr ParentValues kBadRace = {"1975", "0000x1", "2"};            // complete: one race cell valid

struct FamilyCase {
    int row;  // table row exercised
    char structure;
    ParentValues mother, father;
    const char* expected22;
    const char* expectedMother;  // states of 23, 26, 25a-25f
    const char* expectedFather;  // states of 24, 28, 27a-27f
};

std::string parentStates(const ElementTable& cells, int year, int origin, int raceA) {
    return std::string{cells.state(year), cells.state(origin)} + states(cells, raceA, raceA + 5);
}

TEST_F(AdoptionGroups, FamilyStructureTableRows) {
    const FamilyCase cases[] = {
        {1, '1', kComplete, kComplete, ".", "........", "........"},
        {1, '2', kCompleteOrigin1, kBadRace, ".", "........", "......2."},
        {2, '3', kComplete, kAllBlank, ".", "........", "!!!!!!!!"},
        {2, '3', kComplete, kNoRaceMarked, ".", "........", "........"},
        {3, '4', kAllBlank, kComplete, ".", "!!!!!!!!", "........"},
        {3, '4', kBadYearNoRace, kComplete, ".", "2.!!!!!!", "........"},
        {4, '3', kComplete, kComplete, "d", "........", "........"},
        {4, '4', kComplete, kComplete, "d", "........", "........"},
        {5, '1', kAllBlank, kComplete, "d", "dddddddd", "........"},
        {5, '2', kBlankYearWithRace, kComplete, "d", "dddddddd", "........"},
        {5, '1', kOriginZero, kComplete, "d", "dddddddd", "........"},
        {6, '3', kYearAndOriginOnly, kAllBlank, "d", "dddddddd", "!!!!!!!!"},
        {6, '3', kNoRaceMarked, kAllBlank, "d", "dddddddd", "!!!!!!!!"},
        {7, '1', kComplete, kAllBlank, "d", "........", "dddddddd"},
        {7, '2', kComplete, kYearAndOriginOnly, "d", "........", "dddddddd"},
        {8, '4', kAllBlank, kAllBlank, "d", "!!!!!!!!", "dddddddd"},
        {8, '4', kBadYearNoRace, kOriginZero, "d", "2.!!!!!!", "dddddddd"},
        {9, '4', kComplete, kAllBlank, "d", "dddddddd", "dddddddd"},
        {9, '1', kAllBlank, kAllBlank, "d", "dddddddd", "dddddddd"},
        {9, '3', kComplete, kBlankYearWithRace, "d", "dddddddd", "dddddddd"},
        {9, '4', kOriginZero, kComplete, "d", "dddddddd", "dddddddd"},
        {9, '2', kBadYearNoRace, kOriginZero, "d", "2ddddddd", "dddddddd"},
    };
    std::set<int> rows;
    for (const FamilyCase& c : cases) {
        const ElementTable& cells = check({{76, std::string(1, c.structure)},
                                           {77, c.mother.year},
                                           {85, c.mother.race},
                                           {91, c.mother.origin},
                                           {81, c.father.year},
                                           {92, c.father.race},
                                           {98, c.father.origin}});
        const std::string what = "row " + std::to_string(c.row) + ", structure " + c.structure;
        EXPECT_EQ(c.expected22, std::string(1, cells.state(22))) << what;
        EXPECT_EQ(c.expectedMother, parentStates(cells, 23, 26, 44)) << what;
        EXPECT_EQ(c.expectedFather, parentStates(cells, 24, 28, 50)) << what;
        rows.insert(c.row);
    }
    expectEveryRowCovered(rows, std::size(adoption_groups::kFamilyTable));
}

TEST_F(AdoptionGroups, FamilyStructureMissingOrOutOfRangeStopsTheGroup) {
    for (const char* structure : {" ", "5"}) {
        // No mother at all would otherwise mark element 22 and the mother.
        const ElementTable& cells = check({{76, structure}, {77, "    "}, {85, "      "}, {91, " "}});
        EXPECT_EQ(structure[0] == ' ' ? '1' : '2', cells.state(22));
        EXPECT_EQ("!!", std::string({cells.state(23), cells.state(26)})) << "structure '" << structure << "'";
    }
}

// ---------------------------------------------------------------- group #5

TEST_F(AdoptionGroups, RelationshipCount) {
    const std::pair<const char*, const char*> cases[] = {
        {"0000", "eeee"},  // count 0
        {"    ", "eeee"},  // count 0, pending blanks take the letter
        {"1000", "...."},  // count 1
        {"0 01", ".!.."},  // count 1
        {"1100", "...."},  // count 2
        {"1011", "eeee"},  // count 3
        {"1121", "ee2e"},  // count 3, out-of-range kept
        {"1111", "eeee"},  // count 4
    };
    for (const auto& [cols, expected] : cases)
        EXPECT_EQ(expected, states(check({{99, cols}}), 29, 32)) << "columns 99-102 '" << cols << "'";
    EXPECT_EQ(std::size(adoption_groups::kRelationshipCountMarks), 5u);
}

// ---------------------------------------------------------------- group #6

struct SubsidyCase {
    int row;  // table row exercised; 0: consistent
    const char* col105;
    const char* amount;
    const char* col111;
    const char* expected;  // states of elements 35-37
};

TEST_F(AdoptionGroups, SubsidyTableRows) {
    const SubsidyCase cases[] = {
        {1, " ", "     ", "1", "11f"},
        {1, "3", "12a45", "1", "22f"},
        {2, " ", "00000", "1", "1ff"},
        {2, "9", "  0  ", "1", "2ff"},
        {3, "1", "00000", "1", ".F."},
        {3, "1", "0    ", " ", ".F1"},
        {3, "1", "   00", "7", ".F2"},
        {4, "1", "00000", "2", "fff"},
        {5, "2", "00500", "1", "F.."},
        {5, "2", "00000", "1", "F.."},
        {5, "2", "     ", "1", "F1."},
        {6, "2", "00500", " ", "ff1"},
        {6, "2", "1    ", "x", "ff2"},
        {7, "2", "99999", "2", ".f."},
        // Consistent combinations.
        {0, "1", "00500", "1", "..."},
        {0, "1", "00500", "2", "..."},
        {0, "2", "00000", "2", "..."},
        {0, "2", "     ", " ", ".11"},
        {0, "2", "abcde", "2", ".2."},
        // Not listed either: nothing changes.
        {0, " ", "00500", "1", "1.."},
        {0, "1", "     ", "1", ".1."},
        {0, " ", "00000", "2", "1.."},
    };
    std::set<int> rows;
    for (const SubsidyCase& c : cases) {
        const ElementTable& cells = check({{105, c.col105}, {106, c.amount}, {111, c.col111}});
        EXPECT_EQ(c.expected, states(cells, 35, 37))
            << "row " << c.row << ": 35='" << c.col105 << "' 36='" << c.amount << "' 37='" << c.col111 << "'";
        if (c.row != 0) rows.insert(c.row);
    }
    expectEveryRowCovered(rows, std::size(adoption_groups::kSubsidyTable));
}

// ---------------------------------------------------------------- group #7

struct RaceCase {
    int rule;  // rule exercised; 0: none applies
    std::vector<std::pair<int, std::string>> fields;
    int firstCell;         // category a of the race element looked at
    const char* expected;  // states of its categories a-f
};

TEST_F(AdoptionGroups, RaceRules) {
    const RaceCase cases[] = {
        {1, {{29, "100001"}}, 38, ".....g"},
        {1, {{29, "000011"}}, 38, ".....g"},
        {0, {{29, "000001"}}, 38, "......"},
        {0, {{29, "110000"}}, 38, "......"},
        {2, {{29, "000000"}}, 38, "gggggg"},
        {2, {{29, "0 0000"}}, 38, "g1gggg"},
        {2, {{29, "000002"}}, 38, "ggggg2"},
        {0, {{29, "      "}}, 38, "111111"},  // all missing: no room for a letter
        {3, {{85, "010001"}}, 44, ".....g"},
        // Rule 4 applies only when group #4 left the cells alone (element 22
        // missing or out of range); otherwise they already hold 'd'.
        {4, {{76, "5"}, {85, "000000"}}, 44, "gggggg"},
        {4, {{76, " "}, {77, "    "}, {85, "      "}, {91, " "}}, 44, "gggggg"},
        {4, {{76, "1"}, {85, "000000"}}, 44, "dddddd"},
        {4, {{76, "1"}, {85, "00000x"}}, 44, "ddddd2"},
        {0, {{76, "4"}, {77, "    "}, {85, "      "}, {91, " "}}, 44, "!!!!!!"},
        {5, {{92, "001001"}}, 50, ".....g"},
        {6, {{76, "5"}, {92, "0 0000"}}, 50, "gggggg"},
        {6, {{76, "2"}, {92, "000000"}}, 50, "dddddd"},
        {0, {{76, "3"}, {81, "    "}, {92, "      "}, {98, " "}}, 50, "!!!!!!"},
        {0, {{76, "1"}, {92, "000001"}}, 50, "......"},  // not rule 6: f is marked
    };
    std::set<int> rules;
    for (const RaceCase& c : cases) {
        Fields fields(c.fields.begin(), c.fields.end());
        EXPECT_EQ(c.expected, states(check(fields), c.firstCell, c.firstCell + 5)) << "rule " << c.rule;
        if (c.rule != 0) rules.insert(c.rule);
    }
    expectEveryRowCovered(rules, std::size(adoption_groups::kRaceTable));
}

// ------------------------------------------------------------ marking rule

TEST_F(AdoptionGroups, EarlierLetterBlocksLaterMark) {
    // A date-pair 'a' on the adoptive mother's birth year survives group #4,
    // and still counts as a given year: the mother is partial, not absent.
    const ElementTable& mother = check({{85, "      "}}, {{23, 'a'}});
    EXPECT_EQ('d', mother.state(22));
    EXPECT_EQ("addddddd", parentStates(mother, 23, 26, 44));

    // Same for the father under group #4 with a couple and no father race.
    const ElementTable& father = check({{92, "000000"}}, {{24, 'a'}});
    EXPECT_EQ("addddddd", parentStates(father, 24, 28, 50));

    // Any letter, in any group: the other cells of the row are still marked.
    EXPECT_EQ("eaee", states(check({{99, "0000"}}, {{30, 'a'}}), 29, 32));
    EXPECT_EQ(".a.....", states(check({{36, "1"}, {37, "0"}, {38, "00000"}}, {{10, 'a'}}), 9, 15));
    EXPECT_EQ("cccAccc", states(check({{36, "2"}, {37, " "}, {38, "11111"}}, {{12, 'A'}}), 9, 15));
    EXPECT_EQ("aff", states(check({{105, "1"}, {106, "00000"}, {111, "2"}}, {{35, 'a'}}), 35, 37));
    EXPECT_EQ('a', check({{21, "2"}, {104, "1"}, {105, "1"}}, {{4, 'a'}}).state(4));
    EXPECT_EQ("gagggg", states(check({{29, "000000"}}, {{39, 'a'}}), 38, 43));
}

TEST_F(AdoptionGroups, PendingBlanksTakeLetters) {
    // Father wholly blank in a single-father family: element 22 and all of
    // the father's cells show 'd' where the listing would show '.'.
    const ElementTable& cells =
        check({{76, "4"}, {77, "    "}, {85, "      "}, {91, " "}, {81, "    "}, {92, "      "}, {98, " "}});
    EXPECT_EQ('d', cells.state(22));
    EXPECT_EQ("!!!!!!!!", parentStates(cells, 23, 26, 44));
    EXPECT_EQ("dddddddd", parentStates(cells, 24, 28, 50));
    // A preset pending blank on a filled cell is marked like a blank one.
    EXPECT_EQ("eeee", states(check({{99, "0000"}}, {{31, '!'}}), 29, 32));
    EXPECT_EQ(".c.....", states(check({{36, "1"}, {37, "0"}, {38, "00010"}}, {{10, '!'}}), 9, 15));
}

TEST_F(AdoptionGroups, MissingAndOutOfRangeAreNeverOverwritten) {
    EXPECT_EQ("e12e", states(check({{99, "0000"}}, {{30, '1'}, {31, '2'}}), 29, 32));
    EXPECT_EQ("1f2", states(check({{105, "1"}, {106, "00000"}, {111, "2"}}, {{35, '1'}, {37, '2'}}), 35, 37));
    EXPECT_EQ("1d2ddddd", parentStates(check({{85, "000000"}}, {{23, '1'}, {44, '2'}}), 23, 26, 44));
    EXPECT_EQ("21gggg", states(check({{29, "000000"}}, {{38, '2'}, {39, '1'}}), 38, 43));
}

TEST_F(AdoptionGroups, UpperCaseLettersCountAsLikelyErrorAndCleaned) {
    // Element 10 'C' (special needs yes, basis 0, no disability), element 36
    // 'F' (subsidy paid, amount 0), element 4 'B'.
    std::string record = cleanAdoptionRecord();
    setField(record, 21, "2");
    setField(record, 37, "0");
    setField(record, 38, "00000");
    setField(record, 106, "00000");
    testing::checkAdoptionRecord(*ctx, record);
    testing::checkAdoptionRecord(*ctx, cleanAdoptionRecord());
    for (int cell : {4, 10, 36}) {
        EXPECT_EQ(1, ctx->cells(vortel::RecordKind::Adoption)[cell].likelyErrorCount) << cell;
        EXPECT_EQ(1, ctx->cells(vortel::RecordKind::Adoption)[cell].cleanedCount) << cell;
    }
}

}  // namespace
}  // namespace vortel
