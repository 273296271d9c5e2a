#include "fields/element_check.h"

#include <bit>
#include <string>

#include "core/element_table.h"
#include "core/run_facts.h"
#include "fields/fields.h"

namespace vortel {

namespace {

// What a date test's failure is as an element test's.
ValueFailure asValueFailure(DateFailure f, ValueFailure form) {
    switch (f) {
        case DateFailure::None:
            return ValueFailure::None;
        case DateFailure::Form:
            return form;
        case DateFailure::Early:
            return ValueFailure::Early;
        case DateFailure::Late:
            return ValueFailure::Late;
    }
    return form;
}

bool valueFails(const RunFacts& facts, const FieldCheck& check, std::string_view value) {
    return valueFailure(facts, check, value) != ValueFailure::None;
}

}  // namespace

// The test of a non-blank field, read character by character: the reference
// reading, taken for every field that is not in one of the usual forms.
ValueFailure valueFailure(const RunFacts& facts, const FieldCheck& check, std::string_view value) {
    const ElementLayout& e = check.layout;
    switch (e.test) {
        case ElementTest::StateCode:
            return fieldDiffers(value, facts.stateCode) ? ValueFailure::State : ValueFailure::None;
        case ElementTest::ReportPeriod:
            return asValueFailure(reportPeriodFailure(value, facts.runDate), ValueFailure::Period);
        case ElementTest::Code: {
            // Same answer as codeNotInList for the digit lists, without a scan.
            const unsigned digit = static_cast<unsigned char>(value[0]) - static_cast<unsigned>('0');
            return digit > 9 || ((e.digitMask >> digit) & 1u) == 0 ? ValueFailure::Code : ValueFailure::None;
        }
        case ElementTest::YearMonth: {
            char date[8];
            value.copy(date, 6);
            date[6] = '0';
            date[7] = '1';
            return asValueFailure(dateFailure(std::string_view(date, 8), kEarliestYear, 1, 1, facts.runDate),
                                  ValueFailure::Date);
        }
        case ElementTest::Date:
            return asValueFailure(
                dateFailure(value, check.earliestYear, check.earliestMonth, check.earliestDay, facts.runDate),
                ValueFailure::Date);
        case ElementTest::Year:
            return numberOutOfRange(value, kEarliestYear, facts.runDate.year - 1) ? ValueFailure::Year
                                                                                  : ValueFailure::None;
        case ElementTest::Range:
            return numberOutOfRange(value, e.low, e.high) ? ValueFailure::Number : ValueFailure::None;
        case ElementTest::LocalAgency:
            return facts.localAgencies.codeInvalid(value) ? ValueFailure::Agency : ValueFailure::None;
    }
    return ValueFailure::None;
}

namespace {

// The usual form of a date, period or year field, all digits, read as one word: the
// verdict in `fails`, or false when the field has another form. All digits
// read as the reference reading reads them, so the verdicts agree.
bool digitFieldFails(const RunFacts& facts, const FieldCheck& check, const char* p, bool& fails) {
    DateParts d;
    switch (check.layout.test) {
        case ElementTest::Date:
            if (!readDigitDateAt(p, 8, d)) return false;
            fails = datePartsInvalid(d.year, d.month, d.day, check.earliestYear, check.earliestMonth, check.earliestDay,
                                     facts.runDate);
            return true;
        case ElementTest::YearMonth:
            if (!readDigitDateAt(p, 6, d)) return false;
            fails = datePartsInvalid(d.year, d.month, 1, kEarliestYear, 1, 1, facts.runDate);
            return true;
        case ElementTest::ReportPeriod:
            if (!readDigitDateAt(p, 6, d)) return false;
            fails = reportPeriodPartsInvalid(d.year, d.month, facts.runDate);
            return true;
        case ElementTest::Year:
            if (!readDigitDateAt(p, 4, d)) return false;
            fails = d.year < kEarliestYear || d.year > facts.runDate.year - 1;
            return true;
        default:
            return false;
    }
}

// True when the first n characters (n at most 8) of the word at p are blanks.
bool blankWord(const char* p, int n) {
    const std::uint64_t x = loadWord(p);
    const std::uint64_t keep = ~std::uint64_t{0} >> (64 - 8 * n);
    return ((x ^ 0x2020202020202020ull) & keep) == 0;
}

}  // namespace

namespace {

void checkCode(ElementTable& cells, const CodeCheck& e, std::string_view record) {
    const char c = record[e.offset];
    const unsigned digit = static_cast<unsigned char>(c) - static_cast<unsigned>('0');
    if (digit <= 9 && ((e.digitMask >> digit) & 1u)) return;  // a listed code: valid
    if (c != ' ') {
        cells.mark(e.cell, kOutOfRange);
    } else if (e.blankState == kMissing) {
        cells.mark(e.cell, kMissing);
    } else {
        cells.setState(e.cell, e.blankState);
    }
}

}  // namespace

void checkCodeElements(ElementTable& cells, std::span<const CodeCheck> codes, std::span<const CodeRun> runs,
                       std::string_view record) {
    for (const CodeRun& run : runs) {
        const CodeCheck* first = codes.data() + run.firstCode;
        if (run.wordReadable) {
            const std::uint64_t x = loadWord(record.data() + run.offset);
            // With no byte of 0x80 or above in the run no sum carries from one
            // byte into the next, so the high bit of each byte tells whether
            // that byte is a listed code; only the others are looked at.
            if ((x & run.keep) == 0) {
                std::uint64_t unlisted = ~((x + run.fromLow) & ~(x + run.pastHigh)) & run.keep;
                for (; unlisted != 0; unlisted &= unlisted - 1)
                    checkCode(cells, first[std::countr_zero(unlisted) / 8], record);
                continue;
            }
        }
        for (int k = 0; k < run.count; ++k) checkCode(cells, first[k], record);
    }
}

void checkFieldElements(const RunFacts& facts, ElementTable& cells, std::span<const FieldCheck> fields,
                        std::string_view record) {
    for (const FieldCheck& check : fields) {
        const ElementLayout& e = check.layout;
        const char* p = record.data() + check.offset;
        bool fails = false;
        // A field of digits only is not blank: its verdict comes first.
        if (check.wordReadable && digitFieldFails(facts, check, p, fails)) {
            if (fails) cells.mark(e.cell, kOutOfRange);
            continue;
        }
        const bool blank = check.wordReadable && check.blankWidth <= 8 ? blankWord(p, check.blankWidth)
                                                                       : isBlankField({p, check.blankWidth});
        if (blank) {
            if (e.blankState == kMissing) {
                cells.mark(e.cell, kMissing);
            } else {
                cells.setState(e.cell, e.blankState);
            }
        } else if (valueFails(facts, check, {p, check.width})) {
            cells.mark(e.cell, kOutOfRange);
        }
    }
}

}  // namespace vortel
