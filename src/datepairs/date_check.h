// The row format of the date-pair tables: which two dates or years of a
// detail record a row compares, how it measures their distance, the range of
// distances that passes, and for a distance below or above that range the
// row's result and the elements it blames.
#pragma once

#include <cstdint>
#include <span>

#include "fields/fields.h"

namespace vortel {

// How a row measures the distance v between its operands P and Q.
enum class Measure : std::uint8_t {
    Y4,  // yearsBetween(P, Q, 4): calendar years only
    Y6,  // yearsBetween(P, Q, 6): years, half a year more or less by month
    Y8,  // yearsBetween(P, Q, 8): years, half a year more or less by month and day
    D,   // daysBetween(P, Q): days from Q to P
};

// Characters of an operand a measure reads.
constexpr int precisionOf(Measure m) {
    switch (m) {
        case Measure::Y4:
            return 4;
        case Measure::Y6:
            return 6;
        case Measure::Y8:
        case Measure::D:
            return 8;
    }
    return 8;
}

// A comparison of v with one bound of the pass range.
enum class Cmp : std::uint8_t {
    None,  // no bound on this side
    GE,    // v >= bound
    GT,    // v > bound
    LE,    // v <= bound
    LT,    // v < bound
};

struct Bound {
    Cmp cmp = Cmp::None;
    int value = 0;
};

struct PassRange {
    Bound low;   // GE, GT or None
    Bound high;  // LE, LT or None
};

// One-sided range: `v >= x`, `v > x` give a lower bound, `v <= x`, `v < x`
// an upper bound.
constexpr PassRange pass(Cmp cmp, int value) {
    if (cmp == Cmp::GE || cmp == Cmp::GT) return {{cmp, value}, {}};
    return {{}, {cmp, value}};
}
// Two-sided range: `low lowCmp v highCmp high` as in `10 <= v < 96`.
constexpr PassRange pass(Cmp lowCmp, int low, Cmp highCmp, int high) { return {{lowCmp, low}, {highCmp, high}}; }

// The elements of the pair whose pairFailures a failure side adds to.
enum class Blame : std::uint8_t { None, First, Second, Both };

// One failure side of a row; result 0 means the side does not exist.
struct FailureSide {
    std::uint8_t result = 0;
    Blame blames = Blame::None;
};
constexpr FailureSide kNoSide{};
constexpr FailureSide fail(int result, Blame blames) { return {static_cast<std::uint8_t>(result), blames}; }

// How a row judges its pair: by its pass range, or by a rule of its own.
enum class Rule : std::uint8_t {
    Range,
    // Foster care rows 22 and 23, the review date P against a TPR date Q:
    // result 2 when the review is on or after the TPR date's 18th
    // anniversary (yearsBetween(P, Q, 8) >= 18), else result 1 when the TPR
    // date is more than 274 days after the review (daysBetween(P, Q) < -274);
    // both blame both elements.
    ReviewAgainstTpr,
};

struct DateCheck {
    int firstElement;  // element (and cell) numbers of the pair
    int secondElement;
    Measure measure;
    int p;  // the measure is measure(P, Q): P and Q are the
    int q;  // first and second element in either order
    PassRange range;
    FailureSide below;  // v below the range
    FailureSide above;  // v above the range
    Rule rule = Rule::Range;
};

// Where an operand element stands in the record. The measure decides the
// form in which element 2 (report period, YYYYMM) enters it: its year at
// precision 4, its year and month at precision 6, and at precision 8 and in
// day differences the period's end date, 31 March or 30 September.
struct DateOperand {
    int element;
    int firstColumn;
    int width;  // 4 (YYYY), 6 (YYYYMM) or 8 (YYYYMMDD)
};

// True when 8 characters can be read from the first column of every
// operand of a record of `recordLength` characters: the engine reads every
// operand as one word.
constexpr bool operandsReadAsWords(std::span<const DateOperand> operands, int recordLength) {
    for (const DateOperand& o : operands)
        if (o.firstColumn < 1 || o.firstColumn - 1 + 8 > recordLength) return false;
    return true;
}

constexpr int kReportPeriodElement = 2;
// Highest element number an operand of either record kind may have.
constexpr int kMaxDateOperandElement = 57;
// Most operands a table may have (the foster care table has 16).
constexpr std::size_t kMaxDateOperands = 16;

// Consistency of a table, checked at compile time: at most
// kMaxDateOperands operands, whose elements lie in 1..kMaxDateOperandElement;
// the rows run over ascending pairs (first < second, each pair once); P and
// Q are the pair; every operand is in the operand table and wide enough for
// the measure; every bound has its failure side and nothing else has one;
// failure results are 1 or 2, and a one-sided range fails with 1 only.
constexpr bool dateTableConsistent(std::span<const DateCheck> rows, std::span<const DateOperand> operands) {
    if (operands.size() > kMaxDateOperands) return false;
    for (const DateOperand& o : operands)
        if (o.element < 1 || o.element > kMaxDateOperandElement) return false;
    auto widthOf = [&](int element) {
        for (const DateOperand& o : operands)
            if (o.element == element) return o.width;
        return 0;
    };
    auto sideConsistent = [](const Bound& bound, const FailureSide& side) {
        if (bound.cmp == Cmp::None) return side.result == 0 && side.blames == Blame::None;
        return (side.result == 1 || side.result == 2) && side.blames != Blame::None;
    };
    int lastFirst = 0, lastSecond = 0;
    for (const DateCheck& r : rows) {
        if (r.firstElement >= r.secondElement) return false;
        if (r.firstElement < lastFirst || (r.firstElement == lastFirst && r.secondElement <= lastSecond)) return false;
        lastFirst = r.firstElement;
        lastSecond = r.secondElement;
        const bool forward = r.p == r.firstElement && r.q == r.secondElement;
        const bool backward = r.p == r.secondElement && r.q == r.firstElement;
        if (!forward && !backward) return false;
        for (int e : {r.p, r.q}) {
            const int width = widthOf(e);
            const int available = e == kReportPeriodElement && precisionOf(r.measure) == 8 ? 8 : width;
            if (width == 0 || available < precisionOf(r.measure)) return false;
        }
        if (r.rule != Rule::Range) continue;
        if (r.range.low.cmp != Cmp::None && r.range.low.cmp != Cmp::GE && r.range.low.cmp != Cmp::GT) return false;
        if (r.range.high.cmp != Cmp::None && r.range.high.cmp != Cmp::LE && r.range.high.cmp != Cmp::LT) return false;
        if (r.range.low.cmp == Cmp::None && r.range.high.cmp == Cmp::None) return false;
        if (r.range.low.cmp != Cmp::None && r.range.high.cmp != Cmp::None && r.range.low.value >= r.range.high.value)
            return false;
        if (!sideConsistent(r.range.low, r.below) || !sideConsistent(r.range.high, r.above)) return false;
        const bool oneSided = r.range.low.cmp == Cmp::None || r.range.high.cmp == Cmp::None;
        if (oneSided && r.below.result != 1 && r.above.result != 1) return false;
    }
    return true;
}

}  // namespace vortel
