// How an element is laid out and tested: its cell, its columns, the state a
// blank field gets and the test a non-blank field must pass. The catalogue
// of each record kind holds one layout per element; the element checks are
// compiled from them.
#pragma once

#include <cstdint>
#include <string_view>

namespace vortel {

enum class ElementTest : std::uint8_t {
    StateCode,     // equal to the typed State code
    ReportPeriod,  // report period end date YYYYMM
    Code,          // one character of the list text
    YearMonth,     // YYYYMM, tested as the date YYYYMM01
    Date,          // YYYYMMDD from the earliest date to the day before the run date
    Year,          // YYYY from 1900 to the year before the run year
    Range,         // whole number from low to high
    LocalAgency,   // numeric and one of the State's local agency codes
};

struct ElementLayout {
    int cell;
    int first;  // columns first..last hold the value
    int last;
    int blankLast;    // columns first..blankLast decide whether it is blank
    char blankState;  // '1' missing or '!' pending blank
    ElementTest test;
    std::string_view codes = {};  // Code: the valid characters
    std::int32_t low = 0;         // Range: bounds; Date: earliest date as YYYYMMDD in low
    std::int32_t high = 0;
    std::uint16_t digitMask = 0;  // Code: bit d set when the digit d is listed
};

// The digits of a code list as a bit set (code lists hold digits only).
constexpr std::uint16_t digitMaskOf(std::string_view codes) {
    std::uint16_t mask = 0;
    for (char c : codes)
        if (c >= '0' && c <= '9') mask = static_cast<std::uint16_t>(mask | (1u << (c - '0')));
    return mask;
}

constexpr ElementLayout codeElement(int cell, int col, char blank, std::string_view codes) {
    return {cell, col, col, col, blank, ElementTest::Code, codes, 0, 0, digitMaskOf(codes)};
}
constexpr ElementLayout fieldElement(int cell, int first, int last, char blank, ElementTest test, std::int32_t low = 0,
                                     std::int32_t high = 0) {
    return {cell, first, last, last, blank, test, {}, low, high};
}

}  // namespace vortel
