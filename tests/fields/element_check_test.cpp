// The element engine reads the usual forms of date and year fields (blanks,
// all digits) a word at a time; every other form goes through the field
// tests character by character. Both readings must give the same state, at
// every column of both record kinds, including fields at the end of a record
// that cannot be read as a word.
#include "fields/element_check.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "adoption/adoption_elements.h"
#include "fields/fields.h"
#include "fostercare/fostercare_elements.h"
#include "run/run_control.h"
#include "support/records.h"

using namespace vortel;
using namespace vortel::testing;

namespace {

// The state the reference field tests give a field.
char referenceState(const RunContext& ctx, const ElementLayout& e, const std::string& value) {
    const std::string blankPart = value.substr(0, static_cast<std::size_t>(e.blankLast - e.first + 1));
    if (isBlankField(blankPart)) return e.blankState;
    bool fails = false;
    switch (e.test) {
        case ElementTest::Date:
            fails = dateInvalid(value, e.low / 10000, e.low / 100 % 100, e.low % 100, ctx.facts.runDate);
            break;
        case ElementTest::YearMonth:
            fails = dateInvalid(value + "01", 1900, 1, 1, ctx.facts.runDate);
            break;
        case ElementTest::Year:
            fails = numberOutOfRange(value, 1900, ctx.facts.runDate.year - 1);
            break;
        case ElementTest::ReportPeriod:
            fails = reportPeriodInvalid(value, ctx.facts.runDate);
            break;
        case ElementTest::Range:
            fails = numberOutOfRange(value, e.low, e.high);
            break;
        default:
            ADD_FAILURE() << "not a field of this test";
    }
    return fails ? kOutOfRange : kValid;
}

// Texts of every form a date, period, year-month, year or number field can take,
// cut to the field's width: digits in and out of range and at the bounds of
// the run date (2026-12-08) and of the earliest dates, blanks in places,
// signs and other bytes.
const std::vector<std::string> kTexts = {
    "20261207",
    "20261208",
    "20261130",
    "20270101",
    "19000101",
    "18991231",
    "19941001",
    "19940930",
    "20000229",
    "19000229",
    "20010229",
    "20001131",
    "20001301",
    "20000001",
    "20000100",
    "00000000",
    "99999999",
    "2000 1 5",
    " 2000101",
    "2000010 ",
    "        ",
    "      15",
    "2000    ",
    "20001 01",
    "+2000101",
    "-2000101",
    "2000-1-5",
    "2O001010",
    "2000\xff"
    "101",
    "\t2000101",
    "202612  ",
    "1899    ",
    "1900    ",
    "2025    ",
    "2026    ",
    " 199    ",
    "199     ",
    "00      ",
    "99      ",
    " 5      ",
    "5       ",
    "   00   ",
    "12345   ",
    " 1234   ",
    "1234 ",
    "99999",
    "100000",
    "202609",
    "202603",
    "202612",
    "199503",
    "199409",
    "20263 ",
    "2026 3",
    "202703",
    "202709",
    "2026 9",
    "202608",
    "199409",
};

template <typename Check>
void expectEngineAgrees(RecordKind kind, std::span<const ElementLayout> layout, const std::string& clean, Check check) {
    auto ctx = makeContext();
    for (const ElementLayout& e : layout) {
        if (e.test != ElementTest::Date && e.test != ElementTest::YearMonth && e.test != ElementTest::Year &&
            e.test != ElementTest::Range && e.test != ElementTest::ReportPeriod)
            continue;
        const auto width = static_cast<std::size_t>(e.last - e.first + 1);
        for (const std::string& text : kTexts) {
            std::string value = text.substr(0, width);
            value.resize(width, ' ');
            std::string record = clean;
            setField(record, e.first, value);
            check(*ctx, record);
            EXPECT_EQ(ctx->cells(kind).state(e.cell), referenceState(*ctx, e, value))
                << "cell " << e.cell << " at column " << e.first << ": \"" << value << "\"";
        }
    }
}

TEST(ElementEngine, WordReadingAgreesWithTheFieldTests) {
    expectEngineAgrees(RecordKind::Adoption, adoptionLayout(), cleanAdoptionRecord(),
                       [](RunContext& ctx, const std::string& r) {
                           resetAdoptionCells(ctx);
                           checkAdoptionElements(ctx.facts, ctx.cells(vortel::RecordKind::Adoption), r);
                       });
    expectEngineAgrees(RecordKind::FosterCare, fosterCareLayout(), cleanFosterCareRecord(),
                       [](RunContext& ctx, const std::string& r) {
                           resetFosterCareCells(ctx);
                           checkFosterCareElements(ctx.facts, ctx.cells(vortel::RecordKind::FosterCare), r);
                       });
}

// Code columns are tested 8 at a time: every byte value in any code column
// must give the state the code list gives it, and leave every other cell of
// the record as it was.
TEST(ElementEngine, EveryByteInACodeColumnIsJudgedByItsOwnList) {
    auto run = [](RecordKind kind, std::span<const ElementLayout> layout, const std::string& clean) {
        auto ctx = makeContext();
        auto checkRecord = [&](const std::string& record) { return checkedElements(*ctx, kind, record); };
        const std::string cleanStates = checkRecord(clean);
        for (const ElementLayout& e : layout) {
            if (e.test != ElementTest::Code) continue;
            for (int byte = 0; byte < 256; ++byte) {
                const char c = static_cast<char>(byte);
                std::string record = clean;
                record[static_cast<std::size_t>(e.first - 1)] = c;
                std::string expected = cleanStates;
                expected[static_cast<std::size_t>(e.cell - 1)] = !codeNotInList(c, e.codes) ? kValid
                                                                 : c == ' '                 ? e.blankState
                                                                                            : kOutOfRange;
                ASSERT_EQ(checkRecord(record), expected) << "cell " << e.cell << ", byte " << byte;
            }
        }
    };
    run(RecordKind::Adoption, adoptionLayout(), cleanAdoptionRecord());
    run(RecordKind::FosterCare, fosterCareLayout(), cleanFosterCareRecord());
}

// Only fields whose 8 characters from the first column lie inside the record
// are read as words; the last fields of each record are not.
TEST(ElementEngine, FieldsNearTheEndOfARecordAreNotReadAsWords) {
    const ElementLayout date = fieldElement(1, 190, 197, kMissing, ElementTest::Date, 19000101);
    EXPECT_TRUE(fieldCheckOf(date, 197).wordReadable);
    EXPECT_FALSE(fieldCheckOf(date, 196).wordReadable);
    const ElementLayout amount = fieldElement(66, 193, 197, kMissing, ElementTest::Range, 0, 99999);
    EXPECT_FALSE(fieldCheckOf(amount, 197).wordReadable);
}

}  // namespace
