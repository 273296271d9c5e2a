#include "datepairs/date_pairs.h"

#include <array>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

#include "catalogue/adoption_catalogue.h"
#include "catalogue/fostercare_catalogue.h"
#include "core/element_table.h"
#include "datepairs/date_pair_tables.h"

namespace vortel {

namespace {

// The letter of inconsistency group #1, the same in both kinds.
constexpr char kDatePairLetter = adoption::groupLetter(1);
static_assert(fostercare::groupLetter(1) == kDatePairLetter);

// Every measure of a row is the difference of one number per operand, its
// key, so that a record's operands are read once and each row costs two
// subtractions and two comparisons:
// - Y4: twice the year; the difference is the half years of yearsBetween at
//   precision 4;
// - Y6: 128 * year + month. yearsBetween at precision 6 is the whole years
//   plus or minus a half by the order of the months, that is by the order
//   of the (year, month) pairs; a month part has two digits, so the key
//   difference orders the pairs as they order themselves;
// - Y8: 16384 * year + 128 * month + day, the same for (year, month, day);
// - D: the day number, whose difference is daysBetween.
enum KeyKind : std::uint8_t { kYears, kYearMonths, kYearMonthDays, kDays, kKeyKinds };

constexpr std::int64_t kMonthScale = 128;
constexpr std::int64_t kDayScale = 128 * kMonthScale;

KeyKind keyOf(Measure m) {
    switch (m) {
        case Measure::Y4:
            return kYears;
        case Measure::Y6:
            return kYearMonths;
        case Measure::Y8:
            return kYearMonthDays;
        case Measure::D:
            return kDays;
    }
    return kDays;
}

constexpr std::int64_t kNoLeast = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kNoGreatest = std::numeric_limits<std::int64_t>::max();

std::int64_t floorHalf(std::int64_t v) { return v >= 0 ? v / 2 : -((1 - v) / 2); }

// The least key difference whose measure is at least `halves` half years
// (Y6, Y8) or days (D). For Y6 and Y8 the measure 2k is reached from the
// pair (k, 0) on, the measure 2k + 1 from (k, 1) on: `scale` * k or
// `scale` * k + 1 in key units.
std::int64_t leastKeyFor(KeyKind kind, std::int64_t halves) {
    if (kind == kYears || kind == kDays) return halves;
    const std::int64_t scale = kind == kYearMonths ? kMonthScale : kDayScale;
    const std::int64_t k = floorHalf(halves);
    return scale * k + (halves - 2 * k);
}

// One row as the engine runs it. A row fails above when the key difference
// of its `aboveKind` exceeds `greatest`, else below when the key difference
// of its `belowKind` is under `least`. Range rows use their measure on both
// sides (the sides exclude each other); the review-against-TPR rule is the
// review on or after the TPR date's 18th anniversary (Y8 at least 36 half
// years) above, and the TPR date more than 274 days after the review (D
// under -274) below, taken in that order.
struct CompiledRow {
    std::uint8_t first;  // cells of the pair
    std::uint8_t second;
    std::uint8_t p;  // operand slots of P and Q
    std::uint8_t q;
    std::uint32_t need;  // both slots' bits: the row applies when both are valid
    KeyKind aboveKind;
    KeyKind belowKind;
    // Where the keys of P and Q stand among a record's keys (keyIndex), for
    // the measure above and the one below.
    std::uint8_t aboveP, aboveQ, belowP, belowQ;
    FailureSide above;
    FailureSide below;
    std::int64_t greatest;
    std::int64_t least;
};

// The place of a slot's key of one kind among a record's keys.
std::uint8_t keyIndex(KeyKind kind, std::uint8_t slot) {
    return static_cast<std::uint8_t>(kind * kMaxDateOperands + slot);
}

// Fills in the key places from the kinds and slots.
CompiledRow placeKeys(CompiledRow c) {
    c.aboveP = keyIndex(c.aboveKind, c.p);
    c.aboveQ = keyIndex(c.aboveKind, c.q);
    c.belowP = keyIndex(c.belowKind, c.p);
    c.belowQ = keyIndex(c.belowKind, c.q);
    return c;
}

// A table made ready for the engine: its operand slots and compiled rows.
struct CompiledTable {
    std::vector<DateOperand> operands;
    std::vector<CompiledRow> rows;
    std::uint32_t dayKeySlots = 0;  // slots some row measures in days
};

std::uint8_t slotOf(std::span<const DateOperand> operands, int element) {
    for (std::size_t s = 0; s < operands.size(); ++s)
        if (operands[s].element == element) return static_cast<std::uint8_t>(s);
    return 0;  // never: the tables' consistency guard requires every operand
}

CompiledRow compileRow(const DateCheck& row, std::span<const DateOperand> operands) {
    CompiledRow c{};
    c.first = static_cast<std::uint8_t>(row.firstElement);
    c.second = static_cast<std::uint8_t>(row.secondElement);
    c.p = slotOf(operands, row.p);
    c.q = slotOf(operands, row.q);
    c.need = (1u << c.p) | (1u << c.q);
    if (row.rule == Rule::ReviewAgainstTpr) {
        c.aboveKind = kYearMonthDays;
        c.greatest = leastKeyFor(kYearMonthDays, 36) - 1;
        c.above = fail(2, Blame::Both);
        c.belowKind = kDays;
        c.least = -274;
        c.below = fail(1, Blame::Both);
        return placeKeys(c);
    }
    const KeyKind kind = keyOf(row.measure);
    c.aboveKind = c.belowKind = kind;
    c.above = row.above;
    c.below = row.below;
    // The pass range in whole half years (year measures) or days, both
    // limits inclusive, then in key units.
    const std::int64_t unit = kind == kDays ? 1 : 2;
    const Bound& low = row.range.low;
    const Bound& high = row.range.high;
    c.least = kNoLeast;
    c.greatest = kNoGreatest;
    if (low.cmp == Cmp::GE) c.least = leastKeyFor(kind, low.value * unit);
    if (low.cmp == Cmp::GT) c.least = leastKeyFor(kind, low.value * unit + 1);
    if (high.cmp == Cmp::LE) c.greatest = leastKeyFor(kind, high.value * unit + 1) - 1;
    if (high.cmp == Cmp::LT) c.greatest = leastKeyFor(kind, high.value * unit) - 1;
    return placeKeys(c);
}

CompiledTable compileTable(std::span<const DateCheck> rows, std::span<const DateOperand> operands) {
    static_assert(kMaxDateOperandElement < 256);
    CompiledTable t;
    t.operands.assign(operands.begin(), operands.end());
    for (const DateCheck& row : rows) {
        const CompiledRow c = compileRow(row, operands);
        if (c.aboveKind == kDays || c.belowKind == kDays) t.dayKeySlots |= c.need;
        t.rows.push_back(c);
    }
    return t;
}

// The keys of a record's operands, for the slots whose elements are valid.
struct OperandKeys {
    std::uint32_t valid = 0;
    std::int64_t key[kKeyKinds * kMaxDateOperands];  // at keyIndex(kind, slot)
};

void readOperands(OperandKeys& keys, const CompiledTable& table, const ElementTable& cells, std::string_view record) {
    const DateOperand* operands = table.operands.data();
    const std::size_t operandCount = table.operands.size();
    for (std::size_t s = 0; s < operandCount; ++s) {
        const DateOperand& o = operands[s];
        if (cells.state(o.element) != kValid) continue;
        keys.valid |= 1u << s;
        // The record is padded to its full length, and every operand can be
        // read as a word there (checked with the tables).
        DateParts d = datePartsAt(record.data() + (o.firstColumn - 1), o.width);
        // The report period YYYYMM enters a measure of precision 8 or a day
        // difference as its end date, 31 March or 30 September; measures of
        // precision 4 and 6 never read the day. The month is taken by value,
        // as the period test reads it, so a March written "3 " ends on the
        // 31st too.
        if (o.element == kReportPeriodElement) d.day = d.month == 3 ? 31 : 30;
        std::int64_t* key = keys.key + s;
        key[kYears * kMaxDateOperands] = 2 * std::int64_t{d.year};
        key[kYearMonths * kMaxDateOperands] = kMonthScale * d.year + d.month;
        key[kYearMonthDays * kMaxDateOperands] = kDayScale * d.year + kMonthScale * d.month + d.day;
        if (table.dayKeySlots >> s & 1u) key[kDays * kMaxDateOperands] = dayNumber(d.year, d.month, d.day);
    }
}

// Phase 1 runs every row on the states the element checks left, so no row
// sees a letter of this group. Phase 2 then judges each failed row by the
// record's final failure counts: the element blamed by more failed rows is
// the likely error, and on a tie both are. Phase 2 writes the letter
// directly: a failed row's elements were valid in phase 1 and only this
// phase has changed them since.
void checkDatePairs(ElementTable& cells, std::span<std::int32_t> lastOutcome, const CompiledTable& table,
                    std::string_view record) {
    OperandKeys keys;
    readOperands(keys, table, cells, record);
    // The rows that failed, in row order, for phase 2.
    std::array<std::uint8_t, kFosterCareDatePairRows> failed;
    std::size_t failures = 0;
    // Local copies: the stores below could otherwise alias the table.
    const CompiledRow* rows = table.rows.data();
    const std::size_t rowCount = table.rows.size();
    const std::uint32_t valid = keys.valid;
    const std::int64_t* key = keys.key;
    std::int32_t* outcome = lastOutcome.data();
    for (std::size_t i = 0; i < rowCount; ++i) {
        const CompiledRow& row = rows[i];
        if ((valid & row.need) != row.need) continue;
        FailureSide side = kNoSide;
        if (key[row.aboveP] - key[row.aboveQ] > row.greatest) {
            side = row.above;
        } else if (key[row.belowP] - key[row.belowQ] < row.least) {
            side = row.below;
        }
        outcome[i] = side.result;
        if (side.result == 0) continue;
        if (side.blames == Blame::First || side.blames == Blame::Both) cells.addPairFailure(row.first);
        if (side.blames == Blame::Second || side.blames == Blame::Both) cells.addPairFailure(row.second);
        failed[failures++] = static_cast<std::uint8_t>(i);
    }
    for (std::size_t k = 0; k < failures; ++k) {
        const CompiledRow& row = rows[failed[k]];
        const PairMarks marks = marksOfFailedRow(cells[row.first].pairFailures, cells[row.second].pairFailures);
        // The last failed row to letter a cell is the rule behind its letter.
        cells.setRule(groupRule(1, failed[k]));
        if (marks.first) cells.setLetter(row.first, kDatePairLetter);
        if (marks.second) cells.setLetter(row.second, kDatePairLetter);
    }
}

}  // namespace

std::vector<int> rowsMarking(RecordKind recordKind, const ElementTable& cells, std::span<const std::int32_t> outcomes,
                             int element) {
    const std::span<const DateCheck> rows = dateChecksOf(recordKind);
    std::vector<int> marking;
    for (std::size_t i = 0; i < rows.size() && i < outcomes.size(); ++i) {
        const DateCheck& row = rows[i];
        if (outcomes[i] == 0 || (row.firstElement != element && row.secondElement != element)) continue;
        const PairMarks marks =
            marksOfFailedRow(cells[row.firstElement].pairFailures, cells[row.secondElement].pairFailures);
        if ((row.firstElement == element && marks.first) || (row.secondElement == element && marks.second))
            marking.push_back(static_cast<int>(i));
    }
    return marking;
}

void checkAdoptionDatePairs(ElementTable& cells, AdoptionPairOutcomes& outcomes, std::string_view record) {
    static const CompiledTable table = compileTable(adoptionDateChecks(), adoptionDateOperands());
    checkDatePairs(cells, outcomes, table, record);
}

void checkFosterCareDatePairs(ElementTable& cells, FosterCarePairOutcomes& outcomes, std::string_view record) {
    static const CompiledTable table = compileTable(fosterCareDateChecks(), fosterCareDateOperands());
    checkDatePairs(cells, outcomes, table, record);
}

}  // namespace vortel
