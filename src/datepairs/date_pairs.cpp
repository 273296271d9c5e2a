#include "datepairs/date_pairs.h"

#include <array>
#include <limits>
#include <vector>
#include <span>

#include "datepairs/date_pair_tables.h"
#include "run/run_context.h"

namespace vortel {

namespace {

// The letter of inconsistency group #1.
constexpr char kDatePairLetter = 'a';

// The operand dates of one record, each read at most once per record (and
// only when a row whose elements are both valid needs it), looked up by
// element number.
class Operands {
public:
    // Where each element's operand stands in the record, per table.
    using Index = std::array<const DateOperand*, kMaxDateOperandElement + 1>;
    static Index indexOf(std::span<const DateOperand> operands) {
        Index index{};
        for (const DateOperand& o : operands) index[static_cast<std::size_t>(o.element)] = &o;
        return index;
    }

    Operands(std::string_view record, const Index& columns) : record_(record), columns_(columns) {}

    const DateParts& operator[](int element) {
        const auto e = static_cast<std::size_t>(element);
        if (!(parsed_ >> e & 1u)) {
            const DateOperand& o = *columns_[e];
            parts_[e] = dateParts(field(record_, o.firstColumn, o.firstColumn + o.width - 1));
            // The report period YYYYMM enters a measure of precision 8 or a
            // day difference as its end date, 31 March or 30 September;
            // measures of precision 4 and 6 never read the day. The month is
            // taken by value, as the period test reads it, so a March written
            // "3 " ends on the 31st too.
            if (element == kReportPeriodElement) parts_[e].day = parts_[e].month == 3 ? 31 : 30;
            parsed_ |= std::uint64_t{1} << e;
        }
        return parts_[e];
    }

    // The day number of an operand date, computed once per record.
    std::int64_t dayOf(int element) {
        const auto e = static_cast<std::size_t>(element);
        if (!(counted_ >> e & 1u)) {
            const DateParts& d = (*this)[element];
            days_[e] = dayNumber(d.year, d.month, d.day);
            counted_ |= std::uint64_t{1} << e;
        }
        return days_[e];
    }

private:
    static_assert(kMaxDateOperandElement < 64);
    std::string_view record_;
    std::uint64_t parsed_ = 0;
    std::uint64_t counted_ = 0;
    const Index& columns_;
    // Filled on demand (the bits above tell which), so left uninitialised.
    std::int64_t days_[kMaxDateOperandElement + 1];
    DateParts parts_[kMaxDateOperandElement + 1];
};

// The row's measure in whole units, so that every comparison is exact in
// integers: half years for the year measures (yearsBetween yields whole and
// half numbers only), days for D.
std::int64_t scaledMeasure(const DateCheck& row, Operands& operands) {
    if (row.measure == Measure::D) return operands.dayOf(row.p) - operands.dayOf(row.q);
    const DateParts& p = operands[row.p];
    const DateParts& q = operands[row.q];
    // yearsBetween in half years, in integers: twice the whole years, one
    // half more or less by month (precision 6 and 8) and then by day (8).
    std::int64_t halves = 2 * static_cast<std::int64_t>(p.year - q.year);
    if (row.measure == Measure::Y4) return halves;
    if (q.month != p.month) return halves + (q.month < p.month ? 1 : -1);
    if (row.measure == Measure::Y8 && q.day != p.day) return halves + (q.day < p.day ? 1 : -1);
    return halves;
}

// A row's pass range in the units of scaledMeasure, as the least and the
// greatest passing value (both inclusive, since the values are whole).
struct PassLimits {
    std::int64_t least;
    std::int64_t greatest;
};

PassLimits passLimitsOf(const DateCheck& row) {
    const std::int64_t scale = row.measure == Measure::D ? 1 : 2;
    PassLimits limits{std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max()};
    const Bound& low = row.range.low;
    const Bound& high = row.range.high;
    if (low.cmp == Cmp::GE) limits.least = low.value * scale;
    if (low.cmp == Cmp::GT) limits.least = low.value * scale + 1;
    if (high.cmp == Cmp::LE) limits.greatest = high.value * scale;
    if (high.cmp == Cmp::LT) limits.greatest = high.value * scale - 1;
    return limits;
}

std::vector<PassLimits> passLimitsOf(std::span<const DateCheck> rows) {
    std::vector<PassLimits> limits;
    for (const DateCheck& row : rows) limits.push_back(passLimitsOf(row));
    return limits;
}

// Where v lies against the row's pass range: inside, or on a failure side.
Verdict judgeValue(const DateCheck& row, const PassLimits& limits, std::int64_t v) {
    if (v < limits.least) return {row.below.result, row.below.blames};
    if (v > limits.greatest) return {row.above.result, row.above.blames};
    return {};
}

// One row on the record: -1 when either element is not valid, else 0 when
// the pair passes, or the failure result after counting the failure on each
// blamed element.
int runDateCheck(const DateCheck& row, const PassLimits& limits, ElementTable& cells, Operands& operands) {
    if (cells.state(row.firstElement) != kValid || cells.state(row.secondElement) != kValid) return -1;
    const Verdict verdict = row.rule == Rule::ReviewAgainstTpr ? checkReviewAgainstTpr(operands[row.p], operands[row.q])
                                                   : judgeValue(row, limits, scaledMeasure(row, operands));
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
                    std::span<const PassLimits> limits, const Operands::Index& operands, std::string_view record) {
    Operands dates(record, operands);
    // The rows that failed, in row order, for phase 2.
    std::array<std::uint8_t, kFosterCareDatePairRows> failed;
    std::size_t failures = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int result = runDateCheck(rows[i], limits[i], cells, dates);
        if (result == -1) continue;
        lastOutcome[i] = result;
        if (result != 0) failed[failures++] = static_cast<std::uint8_t>(i);
    }
    for (std::size_t k = 0; k < failures; ++k) {
        const std::size_t i = failed[k];
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
    static const Operands::Index operands = Operands::indexOf(adoptionDateOperands());
    static const std::vector<PassLimits> limits = passLimitsOf(adoptionDateChecks());
    checkDatePairs(ctx.adoptionCells, ctx.datePairs.adoption, adoptionDateChecks(), limits, operands, record);
}

void checkFosterCareDatePairs(RunContext& ctx, std::string_view record) {
    static const Operands::Index operands = Operands::indexOf(fosterCareDateOperands());
    static const std::vector<PassLimits> limits = passLimitsOf(fosterCareDateChecks());
    checkDatePairs(ctx.fosterCareCells, ctx.datePairs.fosterCare, fosterCareDateChecks(), limits, operands, record);
}

}  // namespace vortel
