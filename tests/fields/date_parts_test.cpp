// Dates read once into numbers measure the same as the texts they came from.
#include <string>

#include <gtest/gtest.h>

#include "fields/fields.h"

using namespace vortel;

namespace {

TEST(DateParts, ReadsEachPartAsTheDecimalConversionDoes) {
    const struct {
        const char* text;
        int year, month, day;
    } cases[] = {
        {"20000615", 2000, 6, 15}, {"200006", 2000, 6, 0},  // year-month: no day
        {"2000", 2000, 0, 0},                               // year only
        {"2000 15 ", 2000, 1, 5},  {"20003 ", 2000, 3, 0},     {"20001231", 2000, 12, 31},
        {"        ", 0, 0, 0},     {"2000-1-5", 2000, -1, -5},  // read as signed numbers
    };
    for (const auto& c : cases) {
        const DateParts d = dateParts(c.text);
        EXPECT_EQ(d.year, c.year) << c.text;
        EXPECT_EQ(d.month, c.month) << c.text;
        EXPECT_EQ(d.day, c.day) << c.text;
    }
}

// The word-at-a-time reading gives what dateParts gives for every width,
// whatever follows the date in the record.
TEST(DateParts, ReadingAWordAtATimeAgreesWithTheFieldReading) {
    const char* texts[] = {"20000615",
                           "19991231",
                           "00000000",
                           "99999999",
                           "2000 15 ",
                           "20003 ",
                           "200006",
                           "2000",
                           "        ",
                           "2000-1-5",
                           "2O000615",
                           "200:0615",
                           "2000/615",
                           "\x80\xff"
                           "000615"};
    for (const char* text : texts) {
        for (std::size_t width : {4u, 6u, 8u}) {
            for (const char* after : {"99999999", "        ", "xxxxxxxx"}) {
                std::string buffer = std::string(text).substr(0, width);
                buffer.resize(width, ' ');
                const std::string field = buffer;
                buffer += after;
                const DateParts want = dateParts(field);
                const DateParts got = datePartsAt(buffer.data(), static_cast<int>(width));
                EXPECT_EQ(got.year, want.year) << field;
                EXPECT_EQ(got.month, want.month) << field;
                EXPECT_EQ(got.day, want.day) << field;
            }
        }
    }
}

TEST(DateParts, MeasureLikeTheTexts) {
    const struct {
        const char* later;
        const char* earlier;
    } pairs[] = {
        {"20000615", "19900120"}, {"20000120", "19900615"}, {"20000620", "19900615"},
        {"19900201", "20000101"}, {"20000301", "20000228"}, {"20000615", "20000615"},
    };
    for (const auto& p : pairs) {
        for (int precision : {4, 6, 8})
            EXPECT_EQ(yearsBetween(dateParts(p.later), dateParts(p.earlier), precision),
                      yearsBetween(p.later, p.earlier, precision))
                << p.later << " " << p.earlier << " @" << precision;
        EXPECT_EQ(daysBetween(dateParts(p.later), dateParts(p.earlier)), daysBetween(p.later, p.earlier));
    }
    // A year-month against a full date at precision 6 reads year and month.
    EXPECT_EQ(yearsBetween("200006", "19900715", 6), 9.5f);
}

}  // namespace
