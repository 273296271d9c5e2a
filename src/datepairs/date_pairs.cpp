#include "datepairs/date_pairs.h"

#include <array>
#include <span>

#include "datepairs/date_pair_tables.h"
#include "run/run_context.h"

namespace vortel {

namespace {

// The letter of inconsistency group #1.
constexpr char kDatePairLetter = 'a';

// The operand dates of one record, each read once per record and looked up
// by element number.
class Operands {
public:
    Operands(std::string_view record, std::span<const DateOperand> operands) {
        for (const DateOperand& o : operands)
            parts_[static_cast<std::size_t>(o.element)] =
                dateParts(field(record, o.firstColumn, o.firstColumn + o.width - 1));
        // The report period YYYYMM enters a measure of precision 8 or a day
        // difference as its end date, 31 March or 30 September; measures of
        // precision 4 and 6 never read the day. The month is taken by value,
        // as the period test reads it, so a March written "3 " ends on the
        // 31st too.
        DateParts& period = parts_[kReportPeriodElement];
        period.day = period.month == 3 ? 31 : 30;
    }

    const DateParts& operator[](int element) const { return parts_[static_cast<std::size_t>(element)]; }

private:
    std::array<DateParts, kMaxDateOperandElement + 1> parts_{};
};

double measureOf(Measure measure, const DateParts& p, const DateParts& q) {
    if (measure == Measure::D) return static_cast<double>(daysBetween(p, q));
    return yearsBetween(p, q, precisionOf(measure));
}

// Where v lies against the row's pass range: inside, or on a failure side.
Verdict judgeValue(const DateCheck& row, double v) {
    const Bound& low = row.range.low;
    const Bound& high = row.range.high;
    if ((low.cmp == Cmp::GE && v < low.value) || (low.cmp == Cmp::GT && v <= low.value))
        return {row.below.result, row.below.blames};
    if ((high.cmp == Cmp::LE && v > high.value) || (high.cmp == Cmp::LT && v >= high.value))
        return {row.above.result, row.above.blames};
    return {};
}

// One row on the record: -1 when either element is not valid, else 0 when
// the pair passes, or the failure result after counting the failure on each
// blamed element.
int runDateCheck(const DateCheck& row, ElementTable& cells, const Operands& operands) {
    if (cells.state(row.firstElement) != kValid || cells.state(row.secondElement) != kValid) return -1;
    const DateParts& p = operands[row.p];
    const DateParts& q = operands[row.q];
    const Verdict verdict = row.routine != nullptr ? row.routine(p, q) : judgeValue(row, measureOf(row.measure, p, q));
    if (verdict.result == 0) return 0;
    if (verdict.blames == Blame::First || verdict.blames == Blame::Both) ++cells[row.firstElement].pairFailures;
    if (verdict.blames == Blame::Second || verdict.blames == Blame::Both) ++cells[row.secondElement].pairFailures;
    return verdict.result;
}

// Phase 1 runs every row on the states the element checks left, so no row
// sees a letter of this group. Phase 2 then judges each failed row by the
// record's final failure counts: the element blamed by more failed rows is
// the likely error, and on a tie both are. Phase 2 writes the letter
// directly: a failed row's elements were valid in phase 1 and only this
// phase has changed them since.
void checkDatePairs(ElementTable& cells, std::span<std::int32_t> lastOutcome, std::span<const DateCheck> rows,
                    std::span<const DateOperand> operands, std::string_view record) {
    const Operands dates(record, operands);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int result = runDateCheck(rows[i], cells, dates);
        if (result != -1) lastOutcome[i] = result;
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (lastOutcome[i] == 0) continue;
        const int first = rows[i].firstElement;
        const int second = rows[i].secondElement;
        const std::int32_t p = cells[first].pairFailures;
        const std::int32_t q = cells[second].pairFailures;
        if (p >= q) cells[first].state = kDatePairLetter;
        if (p <= q) cells[second].state = kDatePairLetter;
    }
}

}  // namespace

void checkAdoptionDatePairs(RunContext& ctx, std::string_view record) {
    checkDatePairs(ctx.adoptionCells, ctx.datePairs.adoption, adoptionDateChecks(), adoptionDateOperands(), record);
}

void checkFosterCareDatePairs(RunContext& ctx, std::string_view record) {
    checkDatePairs(ctx.fosterCareCells, ctx.datePairs.fosterCare, fosterCareDateChecks(), fosterCareDateOperands(),
                   record);
}

}  // namespace vortel
