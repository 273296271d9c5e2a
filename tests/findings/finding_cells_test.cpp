#include "findings/finding_cells.h"

#include <set>
#include <tuple>

#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "support/records.h"

namespace vortel {
namespace {

using testing::cleanAdoptionRecord;
using testing::cleanFosterCareRecord;
using testing::makeContext;
using testing::setField;

TEST(FindingCells, EveryCellButTheRaceElementsOnceInTableRowOrder) {
    struct Kind {
        RecordKind kind;
        std::set<int> raceElements;
        std::vector<std::string> firstLabels;
    };
    const Kind kinds[] = {
        {RecordKind::Adoption,
         {7, 25, 27},
         {"01", "02", "03", "04", "05", "06", "07a", "07b", "07c", "07d", "07e", "07f", "08"}},
        {RecordKind::FosterCare,
         {8, 52, 54},
         {"01", "02", "03", "04", "05", "06", "07", "08a", "08b", "08c", "08d", "08e", "08f", "09"}},
    };
    for (const Kind& k : kinds) {
        std::set<int> cells;
        std::vector<std::string> labels;
        for (const FindingCell& c : findingCells(k.kind)) {
            EXPECT_TRUE(cells.insert(c.cell).second) << c.cell;
            labels.emplace_back(c.label());
            const ElementEntry* e = entryAtCell(k.kind, c.cell);
            EXPECT_EQ(std::tuple(c.label(), c.first, c.last), std::tuple(e->label(), e->first(), e->last()));
        }
        std::set<int> expected;
        for (int c = 1; c <= cellCount(k.kind); ++c)
            if (!k.raceElements.count(c)) expected.insert(c);
        EXPECT_EQ(cells, expected);
        EXPECT_EQ(std::vector<std::string>(labels.begin(), labels.begin() + static_cast<long>(k.firstLabels.size())),
                  k.firstLabels);
    }
    // The last rows: adoption ... 27f, 28, ..., 37; foster care ... 54f, 55, ..., 66.
    EXPECT_EQ(findingCells(RecordKind::Adoption).back().label(), "37");
    EXPECT_EQ(findingCells(RecordKind::FosterCare).back().label(), "66");
}

TEST(FindingCells, MeaningOfEveryKindOfState) {
    struct Row {
        RecordKind kind;
        char state;
        const char* meaning;
    };
    constexpr RecordKind A = RecordKind::Adoption, F = RecordKind::FosterCare;
    const Row rows[] = {
        {A, '1', "missing"},
        {A, '2', "out of range"},
        {F, '2', "out of range"},
        {A, 'a', "likely error, group 1"},
        {A, 'd', "likely error, group 4"},
        {A, 'D', "will be deleted, group 4"},
        {A, 'g', "likely error, group 7"},
        {F, 'k', "likely error, group 11"},
        {F, 'm', "likely error, group 12"},
        {F, 'M', "will be deleted, group 12"},
        {F, 'n', "likely error, group 13"},
        {A, 'm', "likely error"},     // no adoption group uses m
        {F, 'L', "will be deleted"},  // nor any foster care group l
    };
    for (const Row& r : rows) EXPECT_EQ(stateMeaning(r.kind, r.state), r.meaning) << r.state;
    EXPECT_EQ(findGroupOfLetter(groupEntries(F), 'l'), nullptr);
    EXPECT_EQ(findGroupOfLetter(groupEntries(F), 'N')->number, 13);
    EXPECT_EQ(findGroupOfLetter(groupEntries(A), 'h'), nullptr);
}

TEST(CollectFindings, ReportsFinalStatesOtherThanValidAndPendingBlank) {
    auto ctx = makeContext();
    std::string record = cleanAdoptionRecord();
    setField(record, 9, "RN,\"1\"\xE9    ");
    ElementTable& cells = ctx->cells(vortel::RecordKind::Adoption);
    cells.resetRecord();
    cells.setState(7, '1');   // the race element as a whole is never reported
    cells.setState(10, '!');  // pending blank
    cells.setState(38, '2');
    cells.setState(21, 'A');
    cells.setState(5, '1');
    std::vector<Finding> found;
    collectFindings(RecordKind::Adoption, cells, record, found);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].element, "05");
    EXPECT_EQ(found[0].value, "201503");
    EXPECT_EQ(found[1].element, "07a");
    EXPECT_EQ(found[1].state, '2');
    EXPECT_EQ(found[1].value, "0");
    EXPECT_EQ(found[2].element, "21");
    EXPECT_EQ(found[2].meaning, "will be deleted, group 1");
    EXPECT_EQ(found[2].value, "20210610");
}

TEST(CollectFindings, FollowsTheChecksOfARealRecord) {
    auto ctx = makeContext();
    std::vector<Finding> found;

    std::string adoption = cleanAdoptionRecord();
    testing::checkAdoptionRecord(*ctx, adoption);
    collectFindings(RecordKind::Adoption, ctx->cells(vortel::RecordKind::Adoption), adoption, found);
    EXPECT_TRUE(found.empty());

    setField(adoption, 28, "3");  // gender out of range
    testing::checkAdoptionRecord(*ctx, adoption);
    collectFindings(RecordKind::Adoption, ctx->cells(vortel::RecordKind::Adoption), adoption, found);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].element, "06");
    EXPECT_EQ(found[0].state, '2');
    EXPECT_EQ(found[0].value, "3");

    // A short line padded after its line feed: the line feed is the value of
    // the element holding its column.
    std::string shortLine = cleanFosterCareRecord().substr(0, 150) + "\n";
    shortLine.resize(197, ' ');
    testing::checkFosterCareRecord(*ctx, shortLine);
    collectFindings(RecordKind::FosterCare, ctx->cells(vortel::RecordKind::FosterCare), shortLine, found);
    ASSERT_FALSE(found.empty());
    const Finding* e51 = nullptr;
    for (const Finding& f : found)
        if (f.element == "51") e51 = &f;
    ASSERT_NE(e51, nullptr);
    EXPECT_EQ(e51->state, '2');
    EXPECT_EQ(e51->value, "\n   ");
}

}  // namespace
}  // namespace vortel
