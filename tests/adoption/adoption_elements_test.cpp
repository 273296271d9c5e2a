#include "adoption/adoption_elements.h"

#include <gtest/gtest.h>

#include "support/records.h"

using namespace vortel;
using namespace vortel::testing;

namespace {

std::string checked(RunContext& ctx, const std::string& record) {
    return checkedElements(ctx, RecordKind::Adoption, record);
}

TEST(AdoptionElements, CleanRecordHasNoFinding) {
    auto ctx = makeContext();
    checked(*ctx, cleanAdoptionRecord());
    EXPECT_FALSE(ctx->cells(vortel::RecordKind::Adoption).hasFinding())
        << states(ctx->cells(vortel::RecordKind::Adoption), 1, 55);
}

TEST(AdoptionElements, AllBlankRecord) {
    auto ctx = makeContext();
    const std::string s = checked(*ctx, std::string(111, ' '));
    // Required elements missing, optional ones pending, the record number and
    // the race elements as a whole untouched.
    const char* expected =
        "11.111.11!!!!!!!!11111!!.!.!!!!!1111"  // elements 1-36
        "1"                                     // 37
        "111111"                                // 7a-7f
        "!!!!!!"                                // 25a-25f
        "!!!!!!";                               // 27a-27f
    EXPECT_EQ(s, expected);
    int missing = 0;
    for (int c = 1; c <= 55; ++c) missing += ctx->cells(vortel::RecordKind::Adoption)[c].missingCount;
    EXPECT_EQ(missing, 23);
}

TEST(AdoptionElements, ValueTests) {
    const struct {
        int column;
        const char* value;
        int cell;
        char state;
    } cases[] = {
        {1, "02", 1, '2'},
        {1, " 1", 1, '2'},
        {1, "01", 1, '.'},
        {3, "202606", 2, '2'},
        {3, "202703", 2, '.'},
        {3, "202709", 2, '2'},
        {21, "3", 4, '2'},
        {22, "202612", 5, '.'},
        {22, "202701", 5, '2'},
        {22, "202611", 5, '.'},
        {22, "189912", 5, '2'},
        {29, "2", 38, '2'},
        {34, " ", 43, '1'},
        {37, "6", 10, '2'},
        {37, " ", 10, '!'},
        {37, "0", 10, '.'},
        {43, "1900", 16, '.'},
        {43, "1899", 16, '2'},
        {43, "2026", 16, '2'},
        {43, "19 5", 16, '2'},
        {43, "2025", 16, '.'},
        // Full dates are missing only when year and month are blank.
        {52, "      15", 19, '1'},
        {52, "202001  ", 19, '2'},
        {52, "20201331", 19, '2'},
        {68, "19940930", 21, '2'},
        {68, "19941001", 21, '.'},
        {60, "20261208", 20, '2'},
        {76, "5", 22, '2'},
        {85, "2", 44, '2'},
        {85, " ", 44, '!'},
        {91, "4", 26, '2'},
        {97, "1", 55, '.'},
        {103, "4", 33, '2'},
        {104, "6", 34, '2'},
        {106, "00000", 36, '.'},
        {106, "99999", 36, '.'},
        {106, "12a45", 36, '2'},
        {106, "  350", 36, '.'},
        {106, "     ", 36, '1'},
        {111, "3", 37, '2'},
    };
    for (const auto& c : cases) {
        auto ctx = makeContext();
        std::string r = cleanAdoptionRecord();
        setField(r, c.column, c.value);
        checked(*ctx, r);
        EXPECT_EQ(ctx->cells(vortel::RecordKind::Adoption).state(c.cell), c.state)
            << "column " << c.column << " = '" << c.value << "'";
    }
}

TEST(AdoptionElements, ShortLineKeepsItsLineFeedInsideTheRecord) {
    auto ctx = makeContext();
    // 50 characters, the line feed in column 51, blanks after it.
    std::string r = cleanAdoptionRecord().substr(0, 50) + "\n";
    r.resize(111, ' ');
    checked(*ctx, r);
    EXPECT_EQ(ctx->cells(vortel::RecordKind::Adoption).state(18), '2');  // column 51 holds the line feed
    EXPECT_EQ(ctx->cells(vortel::RecordKind::Adoption).state(19), '1');
    EXPECT_EQ(ctx->cells(vortel::RecordKind::Adoption).state(23), '!');
}

TEST(AdoptionElements, MarksCountEveryTime) {
    auto ctx = makeContext();
    std::string r = cleanAdoptionRecord();
    setField(r, 21, " ");
    checked(*ctx, r);
    checked(*ctx, r);
    EXPECT_EQ(ctx->cells(vortel::RecordKind::Adoption)[4].missingCount, 2);
    EXPECT_EQ(ctx->cells(vortel::RecordKind::Adoption)[4].outOfRangeCount, 0);
}

}  // namespace
