#include "fields/fields.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

using namespace vortel;

namespace {

const RunDate kRun{2026, 12, 8};

TEST(Fields, BlankAndCodeTests) {
    EXPECT_TRUE(isBlankField("    "));
    EXPECT_TRUE(isBlankField(""));
    EXPECT_FALSE(isBlankField("  \t "));  // a tab is not a blank
    EXPECT_FALSE(isBlankField("  1 "));
    EXPECT_TRUE(codeNotInList(' ', "012345"));  // no list holds a blank
    EXPECT_FALSE(codeNotInList('3', "0123"));
    EXPECT_TRUE(codeNotInList('4', "0123"));
    EXPECT_TRUE(codeNotInList('\0', "12"));
    EXPECT_TRUE(codeNotInList(static_cast<char>(0xE9), "12"));
    EXPECT_FALSE(fieldDiffers("01", "01"));
    EXPECT_TRUE(fieldDiffers(" 1", "01"));
    EXPECT_TRUE(fieldDiffers("01001", "0100"));  // a shorter text differs where it ends
}

TEST(Fields, NumericField) {
    const struct {
        const char* text;
        bool numeric;
    } cases[] = {
        {" 12", true},  {"12 ", true},  {"0012", true}, {"  ", true},  {"1 2", false}, {"-12", false},  {"+12", false},
        {"1.2", false}, {"12a", false}, {"a12", false}, {" 1 ", true}, {"1  ", true},  {"1 2 ", false}, {"\t12", false},
    };
    for (const auto& c : cases) EXPECT_EQ(isNumericField(c.text), c.numeric) << '"' << c.text << '"';
}

TEST(Fields, ValueReadsLikeDecimalConversion) {
    EXPECT_EQ(fieldValue("  42"), 42);
    EXPECT_EQ(fieldValue("42ab"), 42);
    EXPECT_EQ(fieldValue("-7"), -7);
    EXPECT_EQ(fieldValue("    "), 0);
    EXPECT_EQ(fieldValue(" 4 2"), 4);    // digits up to the first non-digit
    EXPECT_EQ(fieldValue("\t 42"), 42);  // any white space leads
    EXPECT_EQ(fieldValue("x1"), 0);
    EXPECT_EQ(fieldValue("999999999999"), 2147483647);  // saturates instead of overflowing
}

TEST(Fields, NumberOutOfRange) {
    EXPECT_TRUE(numberOutOfRange("  ", 1, 99));  // blank reads 0
    EXPECT_FALSE(numberOutOfRange("  ", 0, 99));
    EXPECT_TRUE(numberOutOfRange("00", 1, 99));
    EXPECT_FALSE(numberOutOfRange(" 5", 1, 99));
    EXPECT_FALSE(numberOutOfRange("5 ", 1, 99));
    EXPECT_TRUE(numberOutOfRange("5a", 1, 99));
    EXPECT_FALSE(numberOutOfRange("1900", 1900, 2025));
    EXPECT_TRUE(numberOutOfRange("1899", 1900, 2025));
    EXPECT_TRUE(numberOutOfRange("2026", 1900, 2025));
    EXPECT_TRUE(numberOutOfRange("19 5", 1900, 2025));
    EXPECT_FALSE(numberOutOfRange("99999", 0, 99999));
    EXPECT_TRUE(numberOutOfRange("12a45", 0, 99999));
}

TEST(Fields, ReportPeriodAgainstRunDate) {
    const struct {
        RunDate run;
        const char* period;
        bool invalid;
    } cases[] = {
        {{2001, 10, 15}, "200203", false}, {{2001, 10, 15}, "200209", true}, {{2001, 10, 15}, "200109", false},
        {{2001, 10, 15}, "199409", true},  {{2001, 10, 15}, "200106", true}, {{2001, 10, 15}, "200303", true},
        {{2001, 2, 1}, "200103", false},   {{2001, 2, 1}, "200109", true},   {{2001, 2, 1}, "200203", true},
        {{2001, 6, 30}, "200109", false},  {{2001, 6, 30}, "200203", true},  {{2001, 6, 30}, "1995 3", false},
        {{2001, 6, 30}, "19953 ", false},  // a month of one digit and a blank
        {{2001, 6, 30}, "1995a3", true},   {{2001, 6, 30}, "      ", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(reportPeriodInvalid(c.period, c.run), c.invalid)
            << c.period << " at " << c.run.year << '-' << c.run.month;
}

TEST(Fields, DateAgainstEarliestAndRunDate) {
    const struct {
        const char* date;
        int ey, em, ed;
        bool invalid;
    } cases[] = {
        {"19000101", 1900, 1, 1, false},  {"18991231", 1900, 1, 1, true},
        {"20000229", 1900, 1, 1, false},  {"19000229", 1900, 1, 1, true},
        {"20000431", 1900, 1, 1, true},   {"20261208", 1900, 1, 1, true},  // the run date itself
        {"20261207", 1900, 1, 1, false},  {"20261201", 1900, 1, 1, false},
        {"20270101", 1900, 1, 1, true},   {"2000 1 5", 1900, 1, 1, false},
        {"2000-1-5", 1900, 1, 1, true},   {"20001300", 1900, 1, 1, true},
        {"20000100", 1900, 1, 1, true},   {"19940930", 1994, 10, 1, true},
        {"19941001", 1994, 10, 1, false}, {"19931231", 1994, 10, 1, true},
        {"19950101", 1994, 10, 1, false}, {"        ", 1900, 1, 1, true},
        {"20240229", 1900, 1, 1, false},  {"20230229", 1900, 1, 1, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dateInvalid(std::string_view(c.date, 8), c.ey, c.em, c.ed, kRun), c.invalid) << c.date;
    // A month or day of one digit with a blank before or after it.
    EXPECT_FALSE(dateInvalid("2000 15 ", 1900, 1, 1, kRun));
}

TEST(Fields, LeapYears) {
    EXPECT_TRUE(isLeapYear(2000));
    EXPECT_TRUE(isLeapYear(2024));
    EXPECT_FALSE(isLeapYear(1900));
    EXPECT_FALSE(isLeapYear(2023));
}

TEST(Fields, YearsBetweenRoundsToHalfYears) {
    const struct {
        const char* later;
        const char* earlier;
        int precision;
        float years;
    } cases[] = {
        {"20000615", "19900120", 8, 10.5f}, {"20000120", "19900615", 8, 9.5f}, {"20000620", "19900615", 8, 10.5f},
        {"20000620", "19900615", 6, 10.0f}, {"20000615", "19900620", 8, 9.5f}, {"20000615", "19900615", 8, 10.0f},
        {"2000", "1990", 4, 10.0f},         {"200006", "199007", 6, 9.5f},     {"19900101", "20000101", 8, -10.0f},
        {"19900201", "20000101", 8, -9.5f},
    };
    for (const auto& c : cases) {
        const float v = yearsBetween(c.later, c.earlier, c.precision);
        EXPECT_EQ(v, c.years) << c.later << " - " << c.earlier << " @" << c.precision;
        EXPECT_EQ(v * 2, static_cast<float>(static_cast<int>(v * 2)));  // whole or half
    }
}

TEST(Fields, DaysBetweenCountsCalendarDays) {
    EXPECT_EQ(daysBetween("20000301", "20000228"), 2);
    EXPECT_EQ(daysBetween("19990301", "19990228"), 1);
    EXPECT_EQ(daysBetween("20000228", "20000301"), -2);
    EXPECT_EQ(daysBetween("20010101", "20000101"), 366);
    EXPECT_EQ(daysBetween("21000101", "20000101"), 36525);
    EXPECT_EQ(dayNumber(1, 1, 1), 1);
    EXPECT_EQ(dayNumber(1970, 1, 1), 719163);
}

}  // namespace

namespace {

TEST(Fields, EightDigitsTestsEveryByteAtEveryPlace) {
    for (int place = 0; place < 8; ++place)
        for (int b = 0; b < 256; ++b) {
            char text[8];
            std::memcpy(text, "20001231", 8);
            text[place] = static_cast<char>(b);
            EXPECT_EQ(vortel::eightDigits(text), b >= '0' && b <= '9') << "byte " << b << " at " << place;
        }
}

}  // namespace
