// The date-pair engine on whole records: rows that do not apply, the two
// phases and the choice of the element most likely in error, the forms of
// the report period, and the guard that keeps the row tables consistent.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "adoption/adoption_elements.h"
#include "datepairs/date_pair_tables.h"
#include "datepairs/date_pairs.h"
#include "fostercare/fostercare_elements.h"
#include "run/run_control.h"
#include "support/records.h"

using namespace vortel;
using namespace vortel::testing;

namespace {

// Element checks and date pairs only, so that no other group's letters
// blur what the engine did.
void checkAdoptionPairs(RunContext& ctx, const std::string& record) {
    resetAdoptionCells(ctx);
    checkAdoptionElements(ctx.facts, ctx.cells(vortel::RecordKind::Adoption), record);
    checkAdoptionDatePairs(ctx.cells(vortel::RecordKind::Adoption), ctx.datePairs.adoption, record);
}

void checkFosterCarePairs(RunContext& ctx, const std::string& record) {
    resetFosterCareCells(ctx);
    checkFosterCareElements(ctx.facts, ctx.cells(vortel::RecordKind::FosterCare), record);
    checkFosterCareDatePairs(ctx.cells(vortel::RecordKind::FosterCare), ctx.datePairs.fosterCare, record);
}

// Rows (1-based) whose lastOutcome is not 0, as "row=result" texts.
template <std::size_t N>
std::vector<std::string> failedRows(const std::array<std::int32_t, N>& outcomes) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < N; ++i)
        if (outcomes[i] != 0) out.push_back(std::to_string(i + 1) + "=" + std::to_string(outcomes[i]));
    return out;
}

using Rows = std::vector<std::string>;

int totalPairFailures(const ElementTable& cells) {
    int n = 0;
    for (int c = 1; c <= cells.size(); ++c) n += cells[c].pairFailures;
    return n;
}

TEST(DatePairEngine, ConsistentRecordsLeaveEveryStateAsTheElementChecksSetIt) {
    auto ctx = makeContext();
    const std::string adoption = cleanAdoptionRecord();
    resetAdoptionCells(*ctx);
    checkAdoptionElements(ctx->facts, ctx->cells(vortel::RecordKind::Adoption), adoption);
    const std::string adoptionStates = states(ctx->cells(vortel::RecordKind::Adoption), 1, 55);
    checkAdoptionDatePairs(ctx->cells(vortel::RecordKind::Adoption), ctx->datePairs.adoption, adoption);
    EXPECT_EQ(states(ctx->cells(vortel::RecordKind::Adoption), 1, 55), adoptionStates);
    EXPECT_EQ(failedRows(ctx->datePairs.adoption), Rows{});
    EXPECT_EQ(totalPairFailures(ctx->cells(vortel::RecordKind::Adoption)), 0);

    std::string fosterCare = cleanFosterCareRecord();
    // Fill the dates the clean record leaves blank, so that every row runs.
    setField(fosterCare, 68, "20230105");   // 20 previous discharge
    setField(fosterCare, 130, "20250301");  // 47 TPR mother
    setField(fosterCare, 138, "20250301");  // 48 TPR father
    setField(fosterCare, 169, "20260901");  // 56 discharge
    setField(fosterCare, 177, "20260905");  // 57 discharge transaction
    resetFosterCareCells(*ctx);
    checkFosterCareElements(ctx->facts, ctx->cells(vortel::RecordKind::FosterCare), fosterCare);
    const std::string fosterCareStates = states(ctx->cells(vortel::RecordKind::FosterCare), 1, 84);
    checkFosterCareDatePairs(ctx->cells(vortel::RecordKind::FosterCare), ctx->datePairs.fosterCare, fosterCare);
    EXPECT_EQ(states(ctx->cells(vortel::RecordKind::FosterCare), 1, 84), fosterCareStates);
    EXPECT_EQ(failedRows(ctx->datePairs.fosterCare), Rows{});
    EXPECT_EQ(totalPairFailures(ctx->cells(vortel::RecordKind::FosterCare)), 0);
}

// Element 19 (mother's TPR) after the legalization date fails row 24 when
// both are valid; in any other state of element 19 the row does not apply.
TEST(DatePairEngine, RowsApplyOnlyWhenBothElementsAreValid) {
    std::string record = cleanAdoptionRecord();
    setField(record, 52, "20210615");  // 19, five days after legalization
    auto ctx = makeContext();

    checkAdoptionPairs(*ctx, record);
    EXPECT_EQ(failedRows(ctx->datePairs.adoption), Rows{"24=1"});

    for (char state : {kMissing, kOutOfRange, kPendingBlank, 'a', 'B'}) {
        SCOPED_TRACE(std::string("element 19 in state ") + state);
        resetAdoptionCells(*ctx);
        checkAdoptionElements(ctx->facts, ctx->cells(vortel::RecordKind::Adoption), record);
        ctx->cells(vortel::RecordKind::Adoption).setState(19, state);
        checkAdoptionDatePairs(ctx->cells(vortel::RecordKind::Adoption), ctx->datePairs.adoption, record);
        EXPECT_EQ(failedRows(ctx->datePairs.adoption), Rows{});
        EXPECT_EQ(ctx->cells(vortel::RecordKind::Adoption)[21].pairFailures, 0);
        EXPECT_EQ(ctx->cells(vortel::RecordKind::Adoption).state(21), '.');
        EXPECT_EQ(ctx->cells(vortel::RecordKind::Adoption).state(19), state);
    }

    // The same through the element checks: a TPR date after the run date is
    // out of range, and a blank one missing.
    setField(record, 52, "20261231");
    checkAdoptionPairs(*ctx, record);
    EXPECT_EQ(ctx->cells(vortel::RecordKind::Adoption).state(19), '2');
    EXPECT_EQ(failedRows(ctx->datePairs.adoption), Rows{});
    EXPECT_EQ(states(ctx->cells(vortel::RecordKind::Adoption), 20, 21), "..");
    setField(record, 52, "      15");
    checkAdoptionPairs(*ctx, record);
    EXPECT_EQ(ctx->cells(vortel::RecordKind::Adoption).state(19), '1');
    EXPECT_EQ(failedRows(ctx->datePairs.adoption), Rows{});
}

TEST(DatePairEngine, AFailedRowWhoseElementsAreBlamedEquallyMarksBoth) {
    std::string record = cleanAdoptionRecord();
    setField(record, 52, "20210615");  // 19 after 21 (20210610): row 24 only
    auto ctx = makeContext();
    checkAdoptionPairs(*ctx, record);
    EXPECT_EQ(failedRows(ctx->datePairs.adoption), Rows{"24=1"});
    EXPECT_EQ(ctx->cells(vortel::RecordKind::Adoption)[19].pairFailures, 1);
    EXPECT_EQ(ctx->cells(vortel::RecordKind::Adoption)[21].pairFailures, 1);
    EXPECT_EQ(states(ctx->cells(vortel::RecordKind::Adoption), 19, 21), "a.a");
}

// A legalization date before the child's birth fails rows 13 (with 5), 24
// (with 19) and 27 (with 20). Element 21 is blamed three times, each other
// element once, so 21 alone is marked. Judged as it failed, row 13 would
// have been a tie marking 5 as well; and had 21 been marked at once, rows
// 24 and 27 would not have applied.
TEST(DatePairEngine, TheSecondPhaseJudgesEveryFailedRowByTheFinalCounts) {
    std::string record = cleanAdoptionRecord();
    setField(record, 68, "20140101");
    auto ctx = makeContext();
    checkAdoptionPairs(*ctx, record);
    EXPECT_EQ(failedRows(ctx->datePairs.adoption), (Rows{"13=1", "24=1", "27=1"}));
    EXPECT_EQ(ctx->cells(vortel::RecordKind::Adoption)[21].pairFailures, 3);
    EXPECT_EQ(ctx->cells(vortel::RecordKind::Adoption)[5].pairFailures, 1);
    EXPECT_EQ(ctx->cells(vortel::RecordKind::Adoption)[19].pairFailures, 1);
    EXPECT_EQ(ctx->cells(vortel::RecordKind::Adoption)[20].pairFailures, 1);
    EXPECT_EQ(ctx->cells(vortel::RecordKind::Adoption).state(21), 'a');
    EXPECT_EQ(ctx->cells(vortel::RecordKind::Adoption).state(5), '.');
    EXPECT_EQ(states(ctx->cells(vortel::RecordKind::Adoption), 19, 20), "..");
}

// Only the report period and the parents' birth years valid: the mother born 96 years before the
// report period year fails row 2, which blames element 16 only.
TEST(DatePairEngine, AReportPeriodRowMarksElementTwoOnlyWhenOtherRowsBlameIt) {
    auto ctx = makeContext();
    std::string record(111, ' ');
    setField(record, 3, "202609");
    setField(record, 43, "1930");  // 16: row 2, v = 96, result 1, blames 16
    auto prepare = [&](std::initializer_list<int> valid) {
        ctx->cells(vortel::RecordKind::Adoption).resetRecord();
        ctx->datePairs.adoption.fill(0);
        for (int c = 1; c <= kAdoptionCells; ++c) ctx->cells(vortel::RecordKind::Adoption).setState(c, kPendingBlank);
        for (int c : valid) ctx->cells(vortel::RecordKind::Adoption).setState(c, kValid);
    };

    prepare({2, 16});
    checkAdoptionDatePairs(ctx->cells(vortel::RecordKind::Adoption), ctx->datePairs.adoption, record);
    EXPECT_EQ(failedRows(ctx->datePairs.adoption), Rows{"2=1"});
    EXPECT_EQ(ctx->cells(vortel::RecordKind::Adoption).state(2), '.');
    EXPECT_EQ(ctx->cells(vortel::RecordKind::Adoption).state(16), 'a');

    // An adoptive father born 16 years before the period fails row 8, which
    // blames 2 and 24. Now row 2 is a tie (2 and 16 once each) and marks 2
    // too, although row 2 itself did not blame it.
    setField(record, 81, "2010");
    prepare({2, 16, 24});
    checkAdoptionDatePairs(ctx->cells(vortel::RecordKind::Adoption), ctx->datePairs.adoption, record);
    EXPECT_EQ(failedRows(ctx->datePairs.adoption), (Rows{"2=1", "8=1"}));
    EXPECT_EQ(ctx->cells(vortel::RecordKind::Adoption)[2].pairFailures, 1);
    EXPECT_EQ(ctx->cells(vortel::RecordKind::Adoption).state(2), 'a');
    EXPECT_EQ(ctx->cells(vortel::RecordKind::Adoption).state(16), 'a');
    EXPECT_EQ(ctx->cells(vortel::RecordKind::Adoption).state(24), 'a');
}

// The report period ends on 31 March or 30 September, whichever way the
// month is written. Foster care row 2 (the child under 22 at the end of the
// period) and row 1 (the review at most 274 days before it) show the day.
TEST(DatePairEngine, TheReportPeriodEntersDayMeasuresAsItsEndDate) {
    struct Case {
        const char* period;
        int row;
        int element;  // 6 birth date or 5 review date
        const char* date;
        int result;
    };
    const Case cases[] = {
        {"200003", 2, 6, "19780331", 1},  // 22nd birthday on the end date
        {"200003", 2, 6, "19780401", 0}, {"2000 3", 2, 6, "19780331", 1},
        {"20003 ", 2, 6, "19780331", 1}, {"20003 ", 2, 6, "19780401", 0},
        {"200009", 2, 6, "19780930", 1}, {"200009", 2, 6, "19781001", 0},
        {"20009 ", 2, 6, "19780930", 1}, {"2000 9", 2, 6, "19781001", 0},
        {"200003", 1, 5, "19990701", 0},  // 274 days before 31 March 2000
        {"200003", 1, 5, "19990630", 1}, {"20003 ", 1, 5, "19990701", 0},
        {"200009", 1, 5, "19991231", 0},                                   // 274 days before 30 September 2000
        {"200009", 1, 5, "19991230", 1}, {"200009", 1, 5, "20001001", 0},  // a review after the end date passes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("period '") + c.period + "', element " + std::to_string(c.element) + " " + c.date);
        auto ctx = makeContext();
        std::string record(197, ' ');
        setField(record, 3, c.period);
        setField(record, c.element == 6 ? 34 : 26, c.date);
        ctx->cells(vortel::RecordKind::FosterCare).resetRecord();
        for (int cell = 1; cell <= kFosterCareCells; ++cell)
            ctx->cells(vortel::RecordKind::FosterCare).setState(cell, kPendingBlank);
        ctx->cells(vortel::RecordKind::FosterCare).setState(2, kValid);
        ctx->cells(vortel::RecordKind::FosterCare).setState(c.element, kValid);
        checkFosterCareDatePairs(ctx->cells(vortel::RecordKind::FosterCare), ctx->datePairs.fosterCare, record);
        EXPECT_EQ(ctx->datePairs.fosterCare[static_cast<std::size_t>(c.row - 1)], c.result);
        EXPECT_EQ(ctx->cells(vortel::RecordKind::FosterCare).state(c.element), c.result ? 'a' : '.');
        EXPECT_EQ(ctx->cells(vortel::RecordKind::FosterCare).state(2), '.');
    }
}

// The same through the element checks: the written forms of March are
// valid report periods, so the rows run on them.
TEST(DatePairEngine, MarchWrittenWithABlankIsAValidPeriodEndingOnTheThirtyFirst) {
    for (const char* period : {"2026 3", "20263 "}) {
        SCOPED_TRACE(period);
        auto ctx = makeContext();
        std::string record = cleanFosterCareRecord();
        setField(record, 3, period);
        setField(record, 34, "20040331");  // 22nd birthday on 31 March 2026
        setField(record, 58, "20230105");
        checkFosterCarePairs(*ctx, record);
        EXPECT_EQ(ctx->cells(vortel::RecordKind::FosterCare).state(2), '.');
        EXPECT_EQ(ctx->datePairs.fosterCare[1], 1);
        EXPECT_EQ(ctx->cells(vortel::RecordKind::FosterCare).state(6), 'a');
    }
}

// ------------------------------------------------- the table consistency guard

TEST(DatePairTables, TheConsistencyGuardRejectsMalformedRows) {
    const DateOperand operands[] = {{2, 3, 6}, {5, 22, 6}, {16, 43, 4}, {17, 47, 4}, {19, 52, 8}};
    const DateCheck good{
        2, 16, Measure::Y4, 2, 16, pass(Cmp::GE, 10, Cmp::LT, 96), fail(2, Blame::Both), fail(1, Blame::Second)};
    const DateCheck second{5, 19, Measure::Y6, 19, 5, pass(Cmp::GE, 0), fail(1, Blame::Both), kNoSide};
    ASSERT_TRUE(dateTableConsistent(std::vector<DateCheck>{good, second}, operands));

    struct Case {
        const char* what;
        std::vector<DateCheck> rows;
    };
    auto with = [](DateCheck row, auto change) {
        change(row);
        return row;
    };
    const std::vector<Case> cases = {
        {"pairs out of order", {second, good}},
        {"a pair twice", {good, good}},
        {"first element after second", {with(good, [](DateCheck& r) { std::swap(r.firstElement, r.secondElement); })}},
        {"P not of the pair", {with(good, [](DateCheck& r) { r.p = 5; })}},
        {"an element without columns", {with(good, [](DateCheck& r) { r.secondElement = r.q = 18; })}},
        {"a year at precision 6", {with(good, [](DateCheck& r) { r.measure = Measure::Y6; })}},
        {"a year-month at precision 8", {with(second, [](DateCheck& r) { r.measure = Measure::Y8; })}},
        {"a bound without its side", {with(good, [](DateCheck& r) { r.above = kNoSide; })}},
        {"a side without its bound", {with(second, [](DateCheck& r) { r.above = fail(1, Blame::Both); })}},
        {"a side blaming nobody", {with(good, [](DateCheck& r) { r.below.blames = Blame::None; })}},
        {"result 3", {with(good, [](DateCheck& r) { r.below.result = 3; })}},
        {"a one-sided range failing with 2", {with(second, [](DateCheck& r) { r.below.result = 2; })}},
        {"an empty range", {with(good, [](DateCheck& r) { r.range = pass(Cmp::GE, 96, Cmp::LT, 10); })}},
        {"no bound at all",
         {with(good,
               [](DateCheck& r) {
                   r.range = {};
                   r.below = r.above = kNoSide;
               })}},
        {"an upper comparison as lower bound", {with(good, [](DateCheck& r) { r.range.low.cmp = Cmp::LT; })}},
    };
    for (const Case& c : cases) EXPECT_FALSE(dateTableConsistent(c.rows, operands)) << c.what;
    // The report period at precision 8 reads as its end date, a full date.
    const DateCheck endDate{2, 19, Measure::Y8, 2, 19, pass(Cmp::LT, 18), kNoSide, fail(1, Blame::Second)};
    EXPECT_TRUE(dateTableConsistent(std::vector<DateCheck>{endDate}, operands));
}

}  // namespace
