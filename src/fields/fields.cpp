#include "fields/fields.h"

#include <limits>

namespace vortel {

namespace {

constexpr int kMonthLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

}  // namespace

bool fieldDiffers(std::string_view f, std::string_view other) {
    for (std::size_t i = 0; i < f.size(); ++i)
        if (i >= other.size() || f[i] != other[i]) return true;
    return false;
}

bool numberOutOfRange(std::string_view f, std::int64_t low, std::int64_t high) {
    std::int64_t v;
    if (!readDigits(f, v)) {  // digits only, the usual case, need no numeric test
        if (!isNumericField(f)) return true;
        v = fieldValue(f);
    }
    return v > high || v < low;
}

DateFailure reportPeriodFailure(std::string_view f, const RunDate& run) {
    const std::string_view yearText = f.substr(0, 4);
    const std::string_view monthText = f.substr(4, 2);
    std::int64_t year, month;
    if (!readDigits(yearText, year) || !readDigits(monthText, month)) {  // digits only need no numeric test
        if (!isNumericField(yearText) || !isNumericField(monthText)) return DateFailure::Form;
        year = fieldValue(yearText);
        month = fieldValue(monthText);
    }
    return reportPeriodPartsFailure(year, month, run);
}

YearMonth latestReportPeriod(const RunDate& run) {
    if (run.month >= 1 && run.month <= 3) return {run.year, 3};
    if (run.month >= 4 && run.month <= 9) return {run.year, 9};
    return {run.year + 1, 3};
}

DateFailure reportPeriodPartsFailure(std::int64_t year, std::int64_t month, const RunDate& run) {
    if (month != 3 && month != 9) return DateFailure::Form;
    if (year < kEarliestReportPeriodYear) return DateFailure::Early;
    const YearMonth latest = latestReportPeriod(run);
    if (year * 100 + month > std::int64_t{latest.year} * 100 + latest.month) return DateFailure::Late;
    return DateFailure::None;
}

DateFailure dateFailure(std::string_view f, int earliestYear, int earliestMonth, int earliestDay, const RunDate& run) {
    const std::string_view yearText = f.substr(0, 4);
    const std::string_view monthText = f.substr(4, 2);
    const std::string_view dayText = f.substr(6, 2);
    std::int64_t year, month, day;
    if (f.size() >= 8 && eightDigits(f.data())) {
        // The usual case, eight digits: no part can fail the numeric test.
        const char* d = f.data();
        year = digitAt(d, 0) * 1000 + digitAt(d, 1) * 100 + digitAt(d, 2) * 10 + digitAt(d, 3);
        month = digitAt(d, 4) * 10 + digitAt(d, 5);
        day = digitAt(d, 6) * 10 + digitAt(d, 7);
    } else {
        if (!isNumericField(yearText) || !isNumericField(monthText) || !isNumericField(dayText))
            return DateFailure::Form;
        year = fieldValue(yearText);
        month = fieldValue(monthText);
        day = fieldValue(dayText);
    }
    return datePartsFailure(year, month, day, earliestYear, earliestMonth, earliestDay, run);
}

DateFailure datePartsFailure(std::int64_t year, std::int64_t month, std::int64_t day, int earliestYear,
                             int earliestMonth, int earliestDay, const RunDate& run) {
    if (month < 1 || month > 12 || day < 1 || day > monthLength(static_cast<int>(year), static_cast<int>(month)))
        return DateFailure::Form;
    // A calendar date: compared as the number YYYYMMDD (a year of more than
    // four digits still orders after every four-digit one).
    const std::int64_t date = year * 10000 + month * 100 + day;
    if (date >= std::int64_t{run.year} * 10000 + std::int64_t{run.month} * 100 + run.day) return DateFailure::Late;
    if (date < std::int64_t{earliestYear} * 10000 + std::int64_t{earliestMonth} * 100 + earliestDay)
        return DateFailure::Early;
    return DateFailure::None;
}

int monthLength(int year, int month) {
    if (month < 1 || month > 12) return 0;
    return kMonthLength[month - 1] + ((month == 2 && isLeapYear(year)) ? 1 : 0);
}

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

DateParts dateParts(std::string_view f) {
    const char* d = f.data();
    auto isDigit = [](char c) { return static_cast<unsigned char>(c - '0') <= 9; };
    auto year = [d] { return digitAt(d, 0) * 1000 + digitAt(d, 1) * 100 + digitAt(d, 2) * 10 + digitAt(d, 3); };
    if (f.size() == 8 && eightDigits(d))
        return {year(), digitAt(d, 4) * 10 + digitAt(d, 5), digitAt(d, 6) * 10 + digitAt(d, 7)};
    if (f.size() >= 4 && isDigit(d[0]) && isDigit(d[1]) && isDigit(d[2]) && isDigit(d[3])) {
        if (f.size() == 4) return {year(), 0, 0};
        if (f.size() == 6 && isDigit(d[4]) && isDigit(d[5])) return {year(), digitAt(d, 4) * 10 + digitAt(d, 5), 0};
    }
    if (std::int64_t all; readDigits(f, all)) {
        switch (f.size()) {
            case 8:
                return {static_cast<int>(all / 10000), static_cast<int>(all / 100 % 100), static_cast<int>(all % 100)};
            case 6:
                return {static_cast<int>(all / 100), static_cast<int>(all % 100), 0};
            case 4:
                return {static_cast<int>(all), 0, 0};
            default:
                break;
        }
    }
    auto part = [f](std::size_t pos, std::size_t width) {
        return pos < f.size() ? static_cast<int>(fieldValue(f.substr(pos, width))) : 0;
    };
    return {part(0, 4), part(4, 2), part(6, 2)};
}

float yearsBetween(std::string_view later, std::string_view earlier, int precision) {
    return yearsBetween(dateParts(later), dateParts(earlier), precision);
}

std::int64_t dayNumber(int year, int month, int day) {
    // Days in the months before month m of a common year.
    static constexpr int kDaysBefore[13] = {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    const std::int64_t p = static_cast<std::int64_t>(year) - 1;
    std::int64_t count = 365 * p + p / 4 - p / 100 + p / 400;
    if (month > 12) month = 13;
    if (month >= 2) count += month == 13 ? 365 : kDaysBefore[month];
    if (month > 2 && isLeapYear(year)) ++count;
    return count + day;
}

std::int64_t daysBetween(const DateParts& later, const DateParts& earlier) {
    return dayNumber(later.year, later.month, later.day) - dayNumber(earlier.year, earlier.month, earlier.day);
}

std::int64_t daysBetween(std::string_view later, std::string_view earlier) {
    return daysBetween(dateParts(later), dateParts(earlier));
}

}  // namespace vortel
