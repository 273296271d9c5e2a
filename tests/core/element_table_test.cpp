#include "core/element_table.h"

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
        cells.setState(4, c.state);
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

    cells.setState(13, kPendingBlank);
    cells.markLetter(13, 'g');  // a pending blank takes a letter
    cells.markLetter(13, 'h');  // the first letter stays
    cells.markLetter(10, 'g');  // '1' stays
    cells.markLetter(11, 'G');  // '2' stays
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
    std::int32_t count = INT32_MAX - 1;
    countUp(count);
    countUp(count);
    EXPECT_EQ(count, INT32_MAX);
}

// The reset and the tally visit the cells changed since the last reset:
// every kind of change must be seen, in both words of the set (cells 1-63
// and 64-84) and at their edges, and nothing may be seen twice.
TEST(ElementTable, ResetAndTallySeeEveryCellTheRecordChanged) {
    ElementTable cells(RecordKind::FosterCare);
    cells.clearAll();
    for (int record = 0; record < 3; ++record) {
        cells.resetRecord();
        for (int cell = 1; cell <= kFosterCareCells; ++cell) EXPECT_EQ(cells.state(cell), kValid) << cell;
        cells.setState(1, 'a');
        cells.setState(1, 'a');  // written twice, counted once
        cells.mark(63, kOutOfRange);
        cells.setState(64, kPendingBlank);
        cells.markLetter(64, 'G');
        cells.addPairFailure(84);
        cells.addPairFailure(84);
        cells.setState(84, kPendingBlank);
        cells.addPairFailure(30);
        EXPECT_TRUE(cells.tallyStates());
    }
    EXPECT_EQ(cells[1].likelyErrorCount, 3);
    EXPECT_EQ(cells[63].outOfRangeCount, 3);
    EXPECT_EQ(cells[63].cleanedCount, 3);
    EXPECT_EQ(cells[64].likelyErrorCount, 3);
    EXPECT_EQ(cells[64].cleanedCount, 3);
    EXPECT_EQ(cells[84].likelyErrorCount, 0);
    EXPECT_EQ(cells[84].pairFailures, 2);
    cells.resetRecord();
    for (int cell = 1; cell <= kFosterCareCells; ++cell) {
        EXPECT_EQ(cells.state(cell), kValid) << cell;
        EXPECT_EQ(cells[cell].pairFailures, 0) << cell;
    }
    EXPECT_FALSE(cells.tallyStates());
    EXPECT_FALSE(cells.hasFinding());
}

}  // namespace
