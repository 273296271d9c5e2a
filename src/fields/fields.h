// Tests on fixed-width fields of a record and the date arithmetic shared by
// every check. A field is a std::string_view over a run of columns of the
// (already padded) record; it is never terminated inside the record.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/record_fields.h"

namespace vortel {

// True when any character of f differs from the character at the same place
// of `other`; a shorter `other` differs where it has no character.
bool fieldDiffers(std::string_view f, std::string_view other);
// True when the character is not one of the characters of the list text.
inline bool codeNotInList(char c, std::string_view list) {
    for (char code : list)
        if (code == c) return false;
    return true;
}
// True when the field is not numeric or its value lies outside low..high.
bool numberOutOfRange(std::string_view f, std::int64_t low, std::int64_t high);
// Why a date or report period fails its test: not of its form (not numeric,
// not a calendar date, not a March or September period), before the earliest
// allowed, or too late for the run date. A value that is both out of form and
// out of time is out of form; one that is both late and early is late.
enum class DateFailure : std::uint8_t { None, Form, Early, Late };
// Report period end date YYYYMM (6 characters).
DateFailure reportPeriodFailure(std::string_view f, const RunDate& run);
// The same test on a period already read into its year and month.
DateFailure reportPeriodPartsFailure(std::int64_t year, std::int64_t month, const RunDate& run);
inline bool reportPeriodInvalid(std::string_view f, const RunDate& run) {
    return reportPeriodFailure(f, run) != DateFailure::None;
}
inline bool reportPeriodPartsInvalid(std::int64_t year, std::int64_t month, const RunDate& run) {
    return reportPeriodPartsFailure(year, month, run) != DateFailure::None;
}
// Calendar date YYYYMMDD (8 characters): None when it is a real date from
// the earliest date up to the day before the run date.
DateFailure dateFailure(std::string_view f, int earliestYear, int earliestMonth, int earliestDay, const RunDate& run);
// The same test on a date already read into its year, month and day.
DateFailure datePartsFailure(std::int64_t year, std::int64_t month, std::int64_t day, int earliestYear,
                             int earliestMonth, int earliestDay, const RunDate& run);
inline bool dateInvalid(std::string_view f, int earliestYear, int earliestMonth, int earliestDay, const RunDate& run) {
    return dateFailure(f, earliestYear, earliestMonth, earliestDay, run) != DateFailure::None;
}
inline bool datePartsInvalid(std::int64_t year, std::int64_t month, std::int64_t day, int earliestYear,
                             int earliestMonth, int earliestDay, const RunDate& run) {
    return datePartsFailure(year, month, day, earliestYear, earliestMonth, earliestDay, run) != DateFailure::None;
}
// The latest report period end a run date allows, as year and month.
struct YearMonth {
    int year;
    int month;
};
YearMonth latestReportPeriod(const RunDate& run);
bool isLeapYear(int year);
// The days of a month of a year (0 for a month outside 1-12): the one
// calendar the date tests and their explanations read.
int monthLength(int year, int month);
// The earliest year a year, month or date element may have (dates: from its
// first of January on).
inline constexpr int kEarliestYear = 1900;
// The earliest year a report period end date may have.
inline constexpr int kEarliestReportPeriodYear = 1995;
// A date of the form YYYY, YYYYMM or YYYYMMDD read into numbers: characters
// 1-4, 5-6 and 7-8 by the decimal reading of fieldValue; a part the text
// does not reach is 0. Lets a caller read a date once and measure it often.
struct DateParts {
    int year;
    int month;
    int day;
};
DateParts dateParts(std::string_view f);
// Reads the date of `width` characters (1 to 8) at p as dateParts reads
// an all-digit date, with a few word operations; returns false when a
// character is not a digit (`out` then holds some defined values, of no
// meaning). Loads 8 characters from p whatever the width: the caller
// guarantees that they are readable.
inline bool readDigitDateAt(const char* p, int width, DateParts& out) {
    std::uint64_t x = loadWord(p);
    // Characters past the width read as '0': they pass the digit test and
    // give a month or day of 0, as dateParts gives for parts not reached.
    constexpr std::uint64_t kZeros = 0x3030303030303030ull;
    const std::uint64_t keep = ~std::uint64_t{0} >> (64 - 8 * width);
    x = (x & keep) | (kZeros & ~keep);
    const bool digits = eightDigits(x);
    x -= kZeros;
    // Each pair of digits into one 16-bit lane: YY, YY, MM, DD.
    x = (x * 10 + (x >> 8)) & 0x00FF00FF00FF00FFull;
    const auto lane = [x](int k) { return static_cast<int>((x >> (16 * k)) & 0xFFFF); };
    out = {lane(0) * 100 + lane(1), lane(2), lane(3)};
    return digits;
}
// dateParts of the `width` characters at p, read as above when they are all
// digits; the same 8 characters must be readable.
inline DateParts datePartsAt(const char* p, int width) {
    DateParts d;
    if (readDigitDateAt(p, width, d)) return d;
    return dateParts(std::string_view(p, static_cast<std::size_t>(width)));
}
// Difference in years between two dates of the form YYYY, YYYYMM or
// YYYYMMDD, with half-year rounding by month (precision 6) and by month and
// day (precision 8). Always a whole or half number.
float yearsBetween(std::string_view later, std::string_view earlier, int precision);
inline float yearsBetween(const DateParts& later, const DateParts& earlier, int precision) {
    const float result = static_cast<float>(later.year - earlier.year);
    if (precision <= 4) return result;
    if (earlier.month > later.month) return result - 0.5f;
    if (earlier.month < later.month) return result + 0.5f;
    if (precision == 8) {
        if (earlier.day > later.day) return result - 0.5f;
        if (earlier.day < later.day) return result + 0.5f;
    }
    return result;
}
// Days from `earlier` to `later` (both YYYYMMDD), negative when `later` is
// the earlier date.
std::int64_t daysBetween(std::string_view later, std::string_view earlier);
std::int64_t daysBetween(const DateParts& later, const DateParts& earlier);
// Proleptic Gregorian day number, 1 January of year 1 being day 1.
std::int64_t dayNumber(int year, int month, int day);

}  // namespace vortel
