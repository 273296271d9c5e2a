#include "run/element_table.h"

#include <gtest/gtest.h>

using namespace vortel;

namespace {

TEST(ElementTable, TallyCountsFinalStatesOncePerRecord) {
    ElementTable cells(RecordKind::Adoption);
    cells.clearAll();
    const struct {
        char state;
        int likely;
        int cleaned;
        bool finding;
    } cases[] = {
        {'.', 0, 0, false}, {'!', 0, 0, false}, {'1', 0, 0, true}, {'2', 0, 1, true},
        {'c', 1, 0, true},  {'B', 1, 1, true},  {'a', 1, 0, true}, {'N', 1, 1, true},
    };
    for (const auto& c : cases) {
        cells.clearAll();
        cells.resetRecord();
        cells[4].state = c.state;
        EXPECT_EQ(cells.tallyStates(), c.finding) << c.state;
        EXPECT_EQ(cells.hasFinding(), c.finding) << c.state;
        EXPECT_EQ(cells[4].likelyErrorCount, c.likely) << c.state;
        EXPECT_EQ(cells[4].cleanedCount, c.cleaned) << c.state;
    }
}

TEST(ElementTable, MarksCountEachTimeAndLettersKeepFirstFindings) {
    ElementTable cells(RecordKind::FosterCare);
    cells.clearAll();
    cells.mark(10, kMissing);
    cells.mark(10, kMissing);  // marked twice in one record: counted twice
    cells.mark(11, kOutOfRange);
    cells.mark(12, 'x');  // not a mark: nothing changes
    EXPECT_EQ(cells[10].missingCount, 2);
    EXPECT_EQ(cells[11].outOfRangeCount, 1);
    EXPECT_EQ(cells.state(12), kValid);

    cells[13].state = kPendingBlank;
    cells.markLetter(13, 'g');   // a pending blank takes a letter
    cells.markLetter(13, 'h');   // the first letter stays
    cells.markLetter(10, 'g');   // '1' stays
    cells.markLetter(11, 'G');   // '2' stays
    cells.markLetter(14, 'K');
    EXPECT_EQ(cells.state(13), 'g');
    EXPECT_EQ(cells.state(10), kMissing);
    EXPECT_EQ(cells.state(11), kOutOfRange);
    EXPECT_EQ(cells.state(14), 'K');

    cells.resetRecord();  // states and pair failures go, run counts stay
    EXPECT_EQ(cells.state(13), kValid);
    EXPECT_EQ(cells[10].missingCount, 2);
}

TEST(ElementTable, RunCountsStopAtTheirLargestValue) {
    ElementTable cells(RecordKind::Adoption);
    cells.clearAll();
    cells[6].missingCount = INT32_MAX - 1;
    cells.mark(6, kMissing);
    cells.mark(6, kMissing);
    EXPECT_EQ(cells[6].missingCount, INT32_MAX);
    std::int32_t records = INT32_MAX;
    countUp(records);
    EXPECT_EQ(records, INT32_MAX);
}

}  // namespace
