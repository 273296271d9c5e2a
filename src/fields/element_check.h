// One engine for the element checks of both detail record kinds: every
// element is described by a row (its cell, its columns, the state a blank
// field gets and the test a non-blank field must pass).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "catalogue/element_layout.h"

namespace vortel {

struct RunFacts;
class ElementTable;

// A one-column code element reduced to what its check reads.
struct CodeCheck {
    std::uint16_t offset;  // 0-based column
    std::uint8_t cell;
    char blankState;
    std::uint16_t digitMask;
};

// Code elements in consecutive columns, up to 8, tested together as one
// word when every code list is a range of digits (as all lists are): a byte
// is a listed code when it lies from the low to the high code, which sums
// with the two constants below tell for all bytes at once. Only the codes
// whose bytes fail are then checked one by one.
struct CodeRun {
    std::uint16_t offset;    // 0-based first column
    std::uint8_t firstCode;  // index of the first code of the run
    std::uint8_t count;
    bool wordReadable;           // 8 characters from offset lie within the record
    std::uint64_t fromLow = 0;   // per byte 0x80 - low code: high bit set when byte >= low
    std::uint64_t pastHigh = 0;  // per byte 0x7F - high code: high bit set when byte > high
    std::uint64_t keep = 0;      // the high bit of each byte of the run
};

// The lowest and highest digit of a code list, when the list is a range of
// digits (bits low..high all set); otherwise low > high.
struct DigitRange {
    int low = 1;
    int high = 0;
};
constexpr DigitRange digitRangeOf(std::uint16_t mask) {
    DigitRange r;
    for (int d = 0; d <= 9; ++d) {
        if (mask >> d & 1u) {
            if (r.low > r.high) r.low = d;
            r.high = d;
        }
    }
    if (r.low > r.high) return {};
    for (int d = r.low; d <= r.high; ++d)
        if (!(mask >> d & 1u)) return {};
    return r;
}

// Any other element reduced to what its check reads. `wordReadable` tells
// that 8 characters from the first column lie within the padded record, so
// the field can be loaded as one word and its usual forms (blanks, all
// digits) told apart without a loop.
struct FieldCheck {
    ElementLayout layout;
    std::uint16_t offset;     // 0-based first column
    std::uint8_t width;       // characters holding the value
    std::uint8_t blankWidth;  // characters deciding whether it is blank
    bool wordReadable;
    std::int16_t earliestYear;  // Date: the earliest date, in parts
    std::int8_t earliestMonth;
    std::int8_t earliestDay;
};

constexpr FieldCheck fieldCheckOf(const ElementLayout& e, int recordLength) {
    const int offset = e.first - 1;
    return {e,
            static_cast<std::uint16_t>(offset),
            static_cast<std::uint8_t>(e.last - e.first + 1),
            static_cast<std::uint8_t>(e.blankLast - e.first + 1),
            offset + 8 <= recordLength,
            static_cast<std::int16_t>(e.low / 10000),
            static_cast<std::int8_t>(e.low / 100 % 100),
            static_cast<std::int8_t>(e.low % 100)};
}

// Why a non-blank value fails its element's test, as the element checks'
// reference reading finds it; None when it passes. Period and Date are values
// not of the form (a report period end YYYY03 or YYYY09; a calendar date or
// month); Early and Late are dates and periods outside the time allowed.
enum class ValueFailure : std::uint8_t { None, State, Period, Code, Date, Early, Late, Year, Number, Agency };
ValueFailure valueFailure(const RunFacts& facts, const FieldCheck& check, std::string_view value);

// A layout split for speed: the one-column code elements, checked in a tight
// loop, and the other elements. Every element is judged by itself, so the
// order in which they are taken does not change any state or count.
template <std::size_t N>
struct CompiledLayout {
    std::array<CodeCheck, N> codes{};
    std::size_t codeCount = 0;
    std::array<CodeRun, N> runs{};
    std::size_t runCount = 0;
    std::array<FieldCheck, N> others{};
    std::size_t otherCount = 0;
};

// `recordLength` is the padded length of the records the layout reads.
template <std::size_t N>
constexpr CompiledLayout<N> compileLayout(const std::array<ElementLayout, N>& rows, int recordLength) {
    CompiledLayout<N> out;
    for (const ElementLayout& e : rows) {
        if (e.test == ElementTest::Code) {
            out.codes[out.codeCount++] = {static_cast<std::uint16_t>(e.first - 1), static_cast<std::uint8_t>(e.cell),
                                          e.blankState, e.digitMask};
        } else {
            out.others[out.otherCount++] = fieldCheckOf(e, recordLength);
        }
    }
    // Runs: codes of consecutive columns with range lists, at most 8.
    for (std::size_t i = 0; i < out.codeCount; ++i) {
        const CodeCheck& c = out.codes[i];
        const DigitRange range = digitRangeOf(c.digitMask);
        const bool ranged = range.low <= range.high;
        CodeRun* run = out.runCount > 0 ? &out.runs[out.runCount - 1] : nullptr;
        const bool extends =
            run != nullptr && ranged && run->wordReadable && run->count < 8 && c.offset == run->offset + run->count;
        if (!extends) {
            run = &out.runs[out.runCount++];
            *run = {c.offset, static_cast<std::uint8_t>(i), 0, ranged && c.offset + 8 <= recordLength};
        }
        const int shift = 8 * run->count;
        if (ranged) {
            run->fromLow |= std::uint64_t(0x80 - ('0' + range.low)) << shift;
            run->pastHigh |= std::uint64_t(0x7F - ('0' + range.high)) << shift;
            run->keep |= std::uint64_t{0x80} << shift;
        }
        ++run->count;
    }
    return out;
}

// Applies every element check to the padded record; marks missing and
// out-of-range elements (counting them) and writes pending blanks.
void checkCodeElements(ElementTable& cells, std::span<const CodeCheck> codes, std::span<const CodeRun> runs,
                       std::string_view record);
void checkFieldElements(const RunFacts& facts, ElementTable& cells, std::span<const FieldCheck> fields,
                        std::string_view record);

template <std::size_t N>
void checkElements(const RunFacts& facts, ElementTable& cells, const CompiledLayout<N>& layout,
                   std::string_view record) {
    checkCodeElements(cells, std::span(layout.codes.data(), layout.codeCount),
                      std::span(layout.runs.data(), layout.runCount), record);
    checkFieldElements(facts, cells, std::span(layout.others.data(), layout.otherCount), record);
}

}  // namespace vortel
