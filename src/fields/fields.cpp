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

bool reportPeriodInvalid(std::string_view f, const RunDate& run) {
    const std::string_view yearText = f.substr(0, 4);
    const std::string_view monthText = f.substr(4, 2);
    std::int64_t year, month;
    if (!readDigits(yearText, year) || !readDigits(monthText, month)) {  // digits only need no numeric test
        if (!isNumericField(yearText) || !isNumericField(monthText)) return true;
        year = fieldValue(yearText);
        month = fieldValue(monthText);
    }
    return reportPeriodPartsInvalid(year, month, run);
}

bool reportPeriodPartsInvalid(std::int64_t year, std::int64_t month, const RunDate& run) {
    if (year < kEarliestReportPeriodYear || (month != 3 && month != 9)) return true;
    if (run.month >= 1 && run.month <= 3) {
        return year > run.year || (year == run.year && month == 9);
    }
    if (run.month >= 4 && run.month <= 9) return year > run.year;
    return year > run.year + 1 || (year == run.year + 1 && month == 9);
}

bool dateInvalid(std::string_view f, int earliestYear, int earliestMonth, int earliestDay, const RunDate& run) {
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
        if (!isNumericField(yearText) || !isNumericField(monthText) || !isNumericField(dayText)) return true;
        year = fieldValue(yearText);
        month = fieldValue(monthText);
        day = fieldValue(dayText);
    }
    return datePartsInvalid(year, month, day, earliestYear, earliestMonth, earliestDay, run);
}

bool datePartsInvalid(std::int64_t year, std::int64_t month, std::int64_t day, int earliestYear, int earliestMonth,
                      int earliestDay, const RunDate& run) {
    if (year < earliestYear || year > run.year) return true;
    const bool inRunYear = year == run.year;
    const bool inEarliestYear = !inRunYear && year == earliestYear;
    if (month < 1 || month > 12) return true;
    if (inRunYear && month > run.month) return true;
    if (inEarliestYear && month < earliestMonth) return true;
    const bool inRunMonth = inRunYear && month == run.month;
    const bool inEarliestMonth = !inRunMonth && inEarliestYear && month == earliestMonth;
    if (day < 1) return true;
    if (day > monthLength(static_cast<int>(year), static_cast<int>(month))) return true;
    if (inRunMonth && day >= run.day) return true;
    if (inEarliestMonth && day < earliestDay) return true;
    return false;
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
