#include "datepairs/date_pair_tables.h"

#include <array>

#include "catalogue/adoption_catalogue.h"
#include "catalogue/fostercare_catalogue.h"
#include "core/date_pair_state.h"
#include "core/element_table.h"
#include "fields/fields.h"

namespace vortel {

namespace {

constexpr Measure Y4 = Measure::Y4;
constexpr Measure Y6 = Measure::Y6;
constexpr Measure Y8 = Measure::Y8;
constexpr Measure D = Measure::D;
constexpr Cmp GE = Cmp::GE;
constexpr Cmp GT = Cmp::GT;
constexpr Cmp LE = Cmp::LE;
constexpr Cmp LT = Cmp::LT;
constexpr Blame Second = Blame::Second;
constexpr Blame Both = Blame::Both;
constexpr FailureSide none = kNoSide;

// The operands of a table are the elements of group #1 in the catalogue,
// each at its columns.
constexpr std::size_t operandCount(const GroupEntry& dates) {
    std::size_t n = 0;
    for (std::uint8_t e : dates.elements) n += e != 0 ? 1 : 0;
    return n;
}
template <std::size_t N>
constexpr std::array<DateOperand, N> operandsOf(const GroupEntry& dates, std::span<const ElementEntry> entries) {
    std::array<DateOperand, N> out{};
    std::size_t k = 0;
    for (std::uint8_t e : dates.elements) {
        if (e == 0) continue;
        const ElementEntry& entry = *findElement(entries, e);
        out[k++] = {e, entry.first(), entry.width()};
    }
    return out;
}

// True when every operand is compared by some row: the rows and the group
// name the same elements.
constexpr bool everyOperandCompared(std::span<const DateCheck> rows, std::span<const DateOperand> operands) {
    for (const DateOperand& o : operands) {
        bool compared = false;
        for (const DateCheck& r : rows) compared |= r.firstElement == o.element || r.secondElement == o.element;
        if (!compared) return false;
    }
    return true;
}

// ---------------------------------------------------------------- adoption

constexpr auto kAdoptionOperands =
    operandsOf<operandCount(adoption::groupEntry(1))>(adoption::groupEntry(1), adoption::kElements);

// The measure is measure(P, Q); element 2 at precision 8 is the end date of
// the report period.
constexpr DateCheck kAdoptionDateChecks[] = {
    // first, second, measure, P, Q, passes when, below the range, above the range
    /*  1 */ {2, 5, Y6, 2, 5, pass(LT, 18), none, fail(1, Second)},
    /*  2 */ {2, 16, Y4, 2, 16, pass(GE, 10, LT, 96), fail(2, Both), fail(1, Second)},
    /*  3 */ {2, 17, Y4, 2, 17, pass(GE, 10, LT, 96), fail(2, Both), fail(1, Second)},
    /*  4 */ {2, 19, Y8, 2, 19, pass(LT, 18), none, fail(1, Second)},
    /*  5 */ {2, 20, Y8, 2, 20, pass(LT, 18), none, fail(1, Second)},
    /*  6 */ {2, 21, Y8, 2, 21, pass(LT, 18), none, fail(1, Second)},
    /*  7 */ {2, 23, Y4, 2, 23, pass(GE, 18, LE, 96), fail(1, Both), fail(2, Second)},
    /*  8 */ {2, 24, Y4, 2, 24, pass(GE, 18, LE, 96), fail(1, Both), fail(2, Second)},
    /*  9 */ {5, 16, Y4, 5, 16, pass(GE, 10, LE, 96), fail(1, Both), fail(2, Both)},
    /* 10 */ {5, 17, Y4, 5, 17, pass(GE, 10, LE, 96), fail(1, Both), fail(2, Both)},
    /* 11 */ {5, 19, Y6, 19, 5, pass(GE, 0), fail(1, Both), none},
    /* 12 */ {5, 20, Y6, 20, 5, pass(GE, 0), fail(1, Both), none},
    /* 13 */ {5, 21, Y6, 21, 5, pass(GT, 0, LT, 18), fail(1, Both), fail(2, Both)},
    /* 14 */ {5, 23, Y4, 5, 23, pass(GE, 1), fail(1, Both), none},
    /* 15 */ {5, 24, Y4, 5, 24, pass(GE, 1), fail(1, Both), none},
    /* 16 */ {16, 17, Y4, 16, 17, pass(GE, -86, LE, 86), fail(1, Both), fail(2, Both)},
    /* 17 */ {16, 19, Y4, 19, 16, pass(GE, 10), fail(1, Both), none},
    /* 18 */ {16, 20, Y4, 20, 16, pass(GE, 10), fail(1, Both), none},
    /* 19 */ {16, 21, Y4, 21, 16, pass(GT, 10), fail(1, Both), none},
    /* 20 */ {17, 19, Y4, 19, 17, pass(GE, 10), fail(1, Both), none},
    /* 21 */ {17, 20, Y4, 20, 17, pass(GE, 10), fail(1, Both), none},
    /* 22 */ {17, 21, Y4, 21, 17, pass(GT, 10), fail(1, Both), none},
    /* 23 */ {19, 20, Y8, 19, 20, pass(GT, -18, LT, 18), fail(1, Both), fail(2, Both)},
    /* 24 */ {19, 21, Y8, 21, 19, pass(GE, 0, LT, 18), fail(1, Both), fail(2, Both)},
    /* 25 */ {19, 23, Y4, 19, 23, pass(GT, 1), fail(1, Both), none},
    /* 26 */ {19, 24, Y4, 19, 24, pass(GT, 1), fail(1, Both), none},
    /* 27 */ {20, 21, Y8, 21, 20, pass(GE, 0, LT, 18), fail(1, Both), fail(2, Both)},
    /* 28 */ {20, 23, Y4, 20, 23, pass(GT, 1), fail(1, Both), none},
    /* 29 */ {20, 24, Y4, 20, 24, pass(GT, 1), fail(1, Both), none},
    /* 30 */ {21, 23, Y4, 21, 23, pass(GE, 18), fail(1, Both), none},
    /* 31 */ {21, 24, Y4, 21, 24, pass(GE, 18), fail(1, Both), none},
    /* 32 */ {23, 24, Y4, 23, 24, pass(GE, -78, LE, 78), fail(1, Both), fail(2, Both)},
};

static_assert(std::size(kAdoptionDateChecks) == kAdoptionDatePairRows);
static_assert(dateTableConsistent(kAdoptionDateChecks, kAdoptionOperands));
static_assert(operandsReadAsWords(kAdoptionOperands, recordLength(RecordKind::Adoption)));
static_assert(everyOperandCompared(kAdoptionDateChecks, kAdoptionOperands));

// ------------------------------------------------------------- foster care

constexpr auto kFosterCareOperands =
    operandsOf<operandCount(fostercare::groupEntry(1))>(fostercare::groupEntry(1), fostercare::kElements);

// The measure is measure(P, Q); element 2 at precision 8 and in day
// differences is the end date of the report period.
constexpr DateCheck kFosterCareDateChecks[] = {
    // first, second, measure, P, Q, passes when, below the range, above the range
    /*   1 */ {2, 5, D, 2, 5, pass(LE, 274), none, fail(1, Second)},
    /*   2 */ {2, 6, Y8, 2, 6, pass(LT, 22), none, fail(1, Second)},
    /*   3 */ {2, 18, Y8, 2, 18, pass(LT, 22), none, fail(1, Second)},
    /*   4 */ {2, 20, Y8, 2, 20, pass(LT, 22), none, fail(1, Second)},
    /*   5 */ {2, 21, Y8, 2, 21, pass(LT, 22), none, fail(1, Second)},
    /*   6 */ {2, 22, Y8, 2, 22, pass(LT, 22), none, fail(1, Second)},
    /*   7 */ {2, 23, Y8, 2, 23, pass(LT, 22), none, fail(1, Second)},
    /*   8 */ {2, 45, Y4, 2, 45, pass(GE, 10, LE, 96), fail(2, Both), fail(1, Second)},
    /*   9 */ {2, 46, Y4, 2, 46, pass(GE, 10, LE, 96), fail(2, Both), fail(1, Second)},
    /*  10 */ {2, 47, Y8, 2, 47, pass(LT, 18), none, fail(1, Second)},
    /*  11 */ {2, 48, Y8, 2, 48, pass(LT, 18), none, fail(1, Second)},
    /*  12 */ {2, 50, Y4, 2, 50, pass(GE, 18, LE, 96), fail(1, Both), fail(2, Second)},
    /*  13 */ {2, 51, Y4, 2, 51, pass(GE, 18, LE, 96), fail(1, Both), fail(2, Second)},
    /*  14 */ {5, 6, Y8, 5, 6, pass(GE, 0, LT, 22), fail(1, Both), fail(2, Both)},
    /*  15 */ {5, 18, Y8, 5, 18, pass(GE, 0, LT, 22), fail(1, Both), fail(2, Both)},
    /*  16 */ {5, 20, Y8, 5, 20, pass(GE, 0, LT, 22), fail(1, Both), fail(2, Both)},
    /*  17 */ {5, 21, Y8, 5, 21, pass(GE, 0, LT, 22), fail(1, Both), fail(2, Both)},
    /*  18 */ {5, 22, Y8, 5, 22, pass(LT, 22), none, fail(1, Both)},
    /*  19 */ {5, 23, Y8, 5, 23, pass(LT, 22), none, fail(1, Both)},
    /*  20 */ {5, 45, Y4, 5, 45, pass(GT, 10), fail(1, Both), none},
    /*  21 */ {5, 46, Y4, 5, 46, pass(GT, 10), fail(1, Both), none},
    /*  22 */ {5, 47, D, 5, 47, {}, none, none, Rule::ReviewAgainstTpr},
    /*  23 */ {5, 48, D, 5, 48, {}, none, none, Rule::ReviewAgainstTpr},
    /*  24 */ {5, 50, Y4, 5, 50, pass(GT, 0), fail(1, Both), none},
    /*  25 */ {5, 51, Y4, 5, 51, pass(GT, 0), fail(1, Both), none},
    /*  26 */ {5, 56, D, 56, 5, pass(GE, 0, LE, 274), fail(1, Both), fail(2, Both)},
    /*  27 */ {5, 57, Y8, 5, 57, pass(LE, 0), none, fail(1, Both)},
    /*  28 */ {6, 18, Y8, 18, 6, pass(GE, 0, LT, 18), fail(1, Both), fail(2, Both)},
    /*  29 */ {6, 20, Y8, 20, 6, pass(GE, 0, LT, 18), fail(1, Both), fail(2, Both)},
    /*  30 */ {6, 21, Y8, 21, 6, pass(GE, 0, LT, 18), fail(1, Both), fail(2, Both)},
    /*  31 */ {6, 22, Y8, 22, 6, pass(GE, 0, LT, 18), fail(1, Both), fail(2, Both)},
    /*  32 */ {6, 23, Y8, 23, 6, pass(GE, 0, LT, 22), fail(1, Both), fail(2, Both)},
    /*  33 */ {6, 45, Y4, 6, 45, pass(GE, 10, LE, 96), fail(1, Both), fail(2, Both)},
    /*  34 */ {6, 46, Y4, 6, 46, pass(GE, 10, LE, 96), fail(1, Both), fail(2, Both)},
    /*  35 */ {6, 47, Y8, 6, 47, pass(LE, 0), none, fail(1, Both)},
    /*  36 */ {6, 48, Y8, 6, 48, pass(LE, 0), none, fail(1, Both)},
    /*  37 */ {6, 50, Y4, 6, 50, pass(GE, 1), fail(1, Both), none},
    /*  38 */ {6, 51, Y4, 6, 51, pass(GE, 1), fail(1, Both), none},
    /*  39 */ {6, 56, Y8, 56, 6, pass(GE, 0, LT, 22), fail(1, Both), fail(2, Both)},
    /*  40 */ {6, 57, Y8, 57, 6, pass(GE, 0, LT, 22), fail(1, Both), fail(2, Both)},
    /*  41 */ {18, 20, Y8, 20, 18, pass(GE, 0, LT, 18), fail(1, Both), fail(2, Both)},
    /*  42 */ {18, 21, Y8, 21, 18, pass(GE, 0, LT, 18), fail(1, Both), fail(2, Both)},
    /*  43 */ {18, 22, Y8, 22, 18, pass(GE, 0, LT, 18), fail(1, Both), fail(2, Both)},
    /*  44 */ {18, 23, Y8, 23, 18, pass(GE, 0, LT, 22), fail(1, Both), fail(2, Both)},
    /*  45 */ {18, 45, Y4, 18, 45, pass(GT, 10), fail(1, Both), none},
    /*  46 */ {18, 46, Y4, 18, 46, pass(GT, 10), fail(1, Both), none},
    /*  47 */ {18, 47, Y8, 18, 47, pass(GT, -18, LT, 18), fail(1, Both), fail(2, Both)},
    /*  48 */ {18, 48, Y8, 18, 48, pass(GT, -18, LT, 18), fail(1, Both), fail(2, Both)},
    /*  49 */ {18, 50, Y4, 18, 50, pass(GE, 1), fail(1, Both), none},
    /*  50 */ {18, 51, Y4, 18, 51, pass(GE, 1), fail(1, Both), none},
    /*  51 */ {18, 56, Y8, 56, 18, pass(GE, 0, LT, 22), fail(1, Both), fail(2, Both)},
    /*  52 */ {18, 57, Y8, 18, 57, pass(LE, 0), none, fail(1, Both)},
    /*  53 */ {20, 21, Y8, 21, 20, pass(GE, 0, LT, 18), fail(1, Both), fail(2, Both)},
    /*  54 */ {20, 22, Y8, 20, 22, pass(LE, 0), none, fail(1, Both)},
    /*  55 */ {20, 23, Y8, 23, 20, pass(GE, 0, LT, 22), fail(1, Both), fail(2, Both)},
    /*  56 */ {20, 45, Y4, 20, 45, pass(GT, 10), fail(1, Both), none},
    /*  57 */ {20, 46, Y4, 20, 46, pass(GT, 10), fail(1, Both), none},
    /*  58 */ {20, 47, Y8, 20, 47, pass(GT, -18, LT, 18), fail(1, Both), fail(2, Both)},
    /*  59 */ {20, 48, Y8, 20, 48, pass(GT, -18, LT, 18), fail(1, Both), fail(2, Both)},
    /*  60 */ {20, 50, Y4, 20, 50, pass(GE, 1), fail(1, Both), none},
    /*  61 */ {20, 51, Y4, 20, 51, pass(GE, 1), fail(1, Both), none},
    /*  62 */ {20, 56, Y8, 56, 20, pass(GT, 0, LT, 22), fail(1, Both), fail(2, Both)},
    /*  63 */ {20, 57, Y8, 20, 57, pass(LT, 0), none, fail(1, Both)},
    /*  64 */ {21, 22, Y8, 21, 22, pass(LE, 0), none, fail(1, Both)},
    /*  65 */ {21, 23, Y8, 23, 21, pass(GE, 0, LT, 22), fail(1, Both), fail(2, Both)},
    /*  66 */ {21, 45, Y4, 21, 45, pass(GT, 10), fail(1, Both), none},
    /*  67 */ {21, 46, Y4, 21, 46, pass(GT, 10), fail(1, Both), none},
    /*  68 */ {21, 47, Y8, 21, 47, pass(GT, -18, LT, 18), fail(1, Both), fail(2, Both)},
    /*  69 */ {21, 48, Y8, 21, 48, pass(GT, -18, LT, 18), fail(1, Both), fail(2, Both)},
    /*  70 */ {21, 50, Y4, 21, 50, pass(GE, 1), fail(1, Both), none},
    /*  71 */ {21, 51, Y4, 21, 51, pass(GE, 1), fail(1, Both), none},
    /*  72 */ {21, 56, Y8, 56, 21, pass(GE, 0, LT, 22), fail(1, Both), fail(2, Both)},
    /*  73 */ {21, 57, Y8, 57, 21, pass(GE, 0, LT, 22), fail(1, Both), fail(2, Both)},
    /*  74 */ {22, 23, Y8, 23, 22, pass(LT, 22), none, fail(1, Both)},
    /*  75 */ {22, 45, Y4, 22, 45, pass(GT, 10), fail(1, Both), none},
    /*  76 */ {22, 46, Y4, 22, 46, pass(GT, 10), fail(1, Both), none},
    /*  77 */ {22, 47, Y8, 22, 47, pass(GT, -18, LT, 18), fail(1, Both), fail(2, Both)},
    /*  78 */ {22, 48, Y8, 22, 48, pass(GT, -18, LT, 18), fail(1, Both), fail(2, Both)},
    /*  79 */ {22, 50, Y4, 22, 50, pass(GE, 1), fail(1, Both), none},
    /*  80 */ {22, 51, Y4, 22, 51, pass(GE, 1), fail(1, Both), none},
    /*  81 */ {22, 56, Y8, 56, 22, pass(LT, 22), none, fail(1, Both)},
    /*  82 */ {22, 57, Y8, 57, 22, pass(GT, -22, LT, 22), fail(1, Both), fail(2, Both)},
    /*  83 */ {23, 45, Y4, 23, 45, pass(GT, 10), fail(1, Both), none},
    /*  84 */ {23, 46, Y4, 23, 46, pass(GT, 10), fail(1, Both), none},
    /*  85 */ {23, 47, Y8, 23, 47, pass(GT, -18, LT, 18), fail(1, Both), fail(2, Both)},
    /*  86 */ {23, 48, Y8, 23, 48, pass(GT, -18, LT, 18), fail(1, Both), fail(2, Both)},
    /*  87 */ {23, 50, Y4, 23, 50, pass(GE, 18, LE, 96), fail(1, Both), fail(2, Both)},
    /*  88 */ {23, 51, Y4, 23, 51, pass(GE, 18, LE, 96), fail(1, Both), fail(2, Both)},
    /*  89 */ {23, 56, Y8, 56, 23, pass(GE, 0, LT, 22), fail(1, Both), fail(2, Both)},
    /*  90 */ {23, 57, Y8, 23, 57, pass(LE, 0), none, fail(1, Both)},
    /*  91 */ {45, 46, Y4, 45, 46, pass(GE, -86, LE, 86), fail(1, Both), fail(2, Both)},
    /*  92 */ {45, 47, Y4, 47, 45, pass(GE, 10), fail(1, Both), none},
    /*  93 */ {45, 48, Y4, 48, 45, pass(GE, 10), fail(1, Both), none},
    /*  94 */ {45, 56, Y4, 56, 45, pass(GE, 10), fail(1, Both), none},
    /*  95 */ {45, 57, Y4, 57, 45, pass(GE, 10), fail(1, Both), none},
    /*  96 */ {46, 47, Y4, 47, 46, pass(GE, 10), fail(1, Both), none},
    /*  97 */ {46, 48, Y4, 48, 46, pass(GE, 10), fail(1, Both), none},
    /*  98 */ {46, 56, Y4, 56, 46, pass(GE, 10), fail(1, Both), none},
    /*  99 */ {46, 57, Y4, 57, 46, pass(GE, 10), fail(1, Both), none},
    /* 100 */ {47, 48, Y8, 47, 48, pass(GE, -18, LE, 18), fail(1, Both), fail(2, Both)},
    /* 101 */ {47, 50, Y4, 47, 50, pass(GT, 1), fail(1, Both), none},
    /* 102 */ {47, 51, Y4, 47, 51, pass(GT, 1), fail(1, Both), none},
    /* 103 */ {47, 56, Y8, 56, 47, pass(GE, 0, LT, 22), fail(1, Both), fail(2, Both)},
    /* 104 */ {47, 57, Y8, 47, 57, pass(LT, 0), none, fail(1, Both)},
    /* 105 */ {48, 50, Y4, 48, 50, pass(GT, 1), fail(1, Both), none},
    /* 106 */ {48, 51, Y4, 48, 51, pass(GT, 1), fail(1, Both), none},
    /* 107 */ {48, 56, Y8, 56, 48, pass(GE, 0, LT, 22), fail(1, Both), fail(2, Both)},
    /* 108 */ {48, 57, Y8, 48, 57, pass(LT, 0), none, fail(1, Both)},
    /* 109 */ {50, 51, Y4, 50, 51, pass(GE, -78, LE, 78), fail(1, Both), fail(2, Both)},
    /* 110 */ {50, 56, Y4, 56, 50, pass(GT, 18), fail(1, Both), none},
    /* 111 */ {50, 57, Y4, 57, 50, pass(GT, 18), fail(1, Both), none},
    /* 112 */ {51, 56, Y4, 56, 51, pass(GT, 18), fail(1, Both), none},
    /* 113 */ {51, 57, Y4, 57, 51, pass(GT, 18), fail(1, Both), none},
    /* 114 */ {56, 57, Y8, 56, 57, pass(LE, 0), none, fail(1, Both)},
};

static_assert(std::size(kFosterCareDateChecks) == kFosterCareDatePairRows);
static_assert(dateTableConsistent(kFosterCareDateChecks, kFosterCareOperands));
static_assert(operandsReadAsWords(kFosterCareOperands, recordLength(RecordKind::FosterCare)));
static_assert(everyOperandCompared(kFosterCareDateChecks, kFosterCareOperands));

}  // namespace

std::span<const DateCheck> adoptionDateChecks() { return kAdoptionDateChecks; }
std::span<const DateOperand> adoptionDateOperands() { return kAdoptionOperands; }
std::span<const DateCheck> fosterCareDateChecks() { return kFosterCareDateChecks; }
std::span<const DateOperand> fosterCareDateOperands() { return kFosterCareOperands; }

std::span<const DateCheck> dateChecksOf(RecordKind kind) {
    static constexpr PerKind<std::span<const DateCheck>> kRows =
        byKind<std::span<const DateCheck>>(kAdoptionDateChecks, kFosterCareDateChecks);
    return kRows[kind];
}

}  // namespace vortel
