#include "footnotes/footnotes.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/message_list.h"
#include "support/records.h"

namespace vortel {
namespace {

using testing::makeContext;
using testing::messages;

// A footnote record: "%%", State, period, file type letter, element number
// and a remark.
std::string footnote(std::string_view state, std::string_view period, std::string_view letter, std::string_view element,
                     std::string_view text = "Remark about the element.\n") {
    return "%%" + std::string(state) + std::string(period) + std::string(letter) + std::string(element) +
           std::string(text);
}

// The check as the pass over the file calls it.
void checkFootnoteLine(RunContext& c, std::string_view line) {
    checkFootnote(c.facts, c.messageLists, c.footnoteCount, c.streams(), line);
}

// The texts of the first footnote of a run.
std::vector<std::string> first(std::initializer_list<const char*> texts) {
    std::vector<std::string> out;
    for (const char* t : texts) out.push_back(footnoteMessage(1, t));
    return out;
}

constexpr const char* kState = "Incorrect State FIPS code";
constexpr const char* kPeriod = "Invalid report period end date";
constexpr const char* kFileType = "Invalid file type";
constexpr const char* kElement = "Invalid element number";

struct FootnoteCase {
    const char* name;
    std::string line;
    std::vector<std::string> adoption;
    std::vector<std::string> fosterCare;
};

TEST(Footnote, ChecksAndRouting) {
    // Run date 2026-12-08: the latest period that may be reported is 202703.
    const FootnoteCase cases[] = {
        {"correct adoption footnote", footnote("01", "202609", "A", "05"), {}, {}},
        {"correct aggregate footnote", footnote("01", "202703", "g", "22"), {}, {}},
        {"correct foster care footnote", footnote("01", "199503", "f", "66"), {}, {}},
        {"wrong State, type a", footnote("02", "202609", "a", "05"), first({kState}), {}},
        {"wrong State, type G", footnote("10", "202609", "G", "05"), first({kState}), {}},
        {"wrong State, type F", footnote("10", "202609", "F", "05"), {}, first({kState})},
        {"wrong State, type X", footnote("10", "202609", "X", "05"), first({kState, kFileType}),
         first({kState, kFileType})},
        {"type X, element 10", footnote("01", "202609", "X", "10"), first({kFileType}), first({kFileType})},
        {"type X, element 66", footnote("01", "202609", "X", "66"), first({kFileType}), first({kFileType})},
        {"type X, element 67", footnote("01", "202609", "X", "67"), first({kFileType, kElement}),
         first({kFileType, kElement})},
        {"type blank", footnote("01", "202609", " ", "05"), first({kFileType}), first({kFileType})},
        {"type a byte above 127", footnote("01", "202609", "\xC1", "05"), first({kFileType}), first({kFileType})},
        {"type G, element 22", footnote("01", "202609", "G", "22"), {}, {}},
        {"type G, element 23", footnote("01", "202609", "G", "23"), first({kElement}), {}},
        {"type g, element 23", footnote("01", "202609", "g", "23"), first({kElement}), {}},
        {"type A, element 37", footnote("01", "202609", "A", "37"), {}, {}},
        {"type A, element 38", footnote("01", "202609", "A", "38"), first({kElement}), {}},
        {"type F, element 66", footnote("01", "202609", "F", "66"), {}, {}},
        {"type F, element 67", footnote("01", "202609", "F", "67"), {}, first({kElement})},
        {"type f, element 67", footnote("01", "202609", "f", "67"), {}, first({kElement})},
        {"element 00", footnote("01", "202609", "G", "00"), {}, {}},
        {"element 0 and blank", footnote("01", "202609", "F", "0 "), {}, {}},
        {"element blank and 7", footnote("01", "202609", "A", " 7"), {}, {}},
        {"element blank, type A", footnote("01", "202609", "A", "  "), first({kElement}), {}},
        {"element blank, type G", footnote("01", "202609", "G", "  "), first({kElement}), {}},
        {"element blank, type F", footnote("01", "202609", "F", "  "), {}, first({kElement})},
        {"element with a sign", footnote("01", "202609", "A", "+5"), first({kElement}), {}},
        {"element with a letter", footnote("01", "202609", "F", "1a"), {}, first({kElement})},
        {"period September after the latest", footnote("01", "202709", "A", "05"), first({kPeriod}), {}},
        {"period before 1995", footnote("01", "199409", "F", "05"), {}, first({kPeriod})},
        {"period month not 3 or 9", footnote("01", "202606", "a", "05"), first({kPeriod}), {}},
        {"period month written blank and 3", footnote("01", "2026 3", "a", "05"), {}, {}},
        {"period blank", footnote("01", "      ", "a", "05"), first({kPeriod}), {}},
        {"every check fails, type A", footnote("99", "19x503", "A", "99"), first({kState, kPeriod, kElement}), {}},
        {"line of 13 characters: its line feed is in the element number",
         footnote("01", "202609", "A", "5", "\n"),
         first({kElement}),
         {}},
        {"line of 14 characters", footnote("01", "202609", "A", "05", "\n"), {}, {}},
        {"no line feed and nothing after the header", footnote("01", "202609", "A", "05", ""), {}, {}},
        {"only the marker", "%%\n", first({kState, kPeriod, kFileType, kElement}),
         first({kState, kPeriod, kFileType, kElement})},
    };
    for (const FootnoteCase& c : cases) {
        auto ctx = makeContext();
        checkFootnoteLine(*ctx, c.line);
        EXPECT_EQ(messages(ctx->messages(vortel::MessageListId::AdoptionFootnotes)), c.adoption) << c.name;
        EXPECT_EQ(messages(ctx->messages(vortel::MessageListId::FosterCareFootnotes)), c.fosterCare) << c.name;
        EXPECT_EQ(ctx->footnoteCount, 1) << c.name;
        EXPECT_EQ(ctx->errors.captured(), "") << c.name;
        EXPECT_EQ(ctx->report(vortel::RecordKind::Adoption).captured(), "") << c.name;
        EXPECT_EQ(ctx->report(vortel::RecordKind::FosterCare).captured(), "") << c.name;
    }
}

TEST(Footnote, MessageNumbersHaveAtLeastThreeDigitsAndAreKeptWhole) {
    const std::pair<std::int64_t, const char*> rows[] = {
        {1, "Footnote 001:  x"},     {12, "Footnote 012:  x"},      {123, "Footnote 123:  x"},
        {1234, "Footnote 1234:  x"}, {99999, "Footnote 99999:  x"}, {12345678901234, "Footnote 12345678901234:  x"},
    };
    for (const auto& [number, text] : rows) EXPECT_EQ(footnoteMessage(number, "x"), text);
}

TEST(Footnote, NumberCountsEveryFootnoteOfTheRun) {
    auto ctx = makeContext();
    checkFootnoteLine(*ctx, footnote("01", "202609", "A", "05"));
    checkFootnoteLine(*ctx, footnote("01", "202609", "F", "05"));
    checkFootnoteLine(*ctx, footnote("03", "202609", "a", "05"));
    checkFootnoteLine(*ctx, footnote("01", "202609", "F", "70"));
    EXPECT_EQ(messages(ctx->messages(vortel::MessageListId::AdoptionFootnotes)),
              std::vector<std::string>{"Footnote 003:  Incorrect State FIPS code"});
    EXPECT_EQ(messages(ctx->messages(vortel::MessageListId::FosterCareFootnotes)),
              std::vector<std::string>{"Footnote 004:  Invalid element number"});

    ctx->footnoteCount = 999;
    checkFootnoteLine(*ctx, footnote("01", "202609", "Q", "05"));
    EXPECT_EQ(ctx->messages(vortel::MessageListId::AdoptionFootnotes)[1], "Footnote 1000:  Invalid file type");
    EXPECT_EQ(ctx->messages(vortel::MessageListId::FosterCareFootnotes)[1], "Footnote 1000:  Invalid file type");
}

TEST(Footnote, ConsoleShowsARunningCount) {
    auto ctx = makeContext();
    const std::string good = footnote("01", "202609", "A", "05");
    checkFootnoteLine(*ctx, good);
    EXPECT_EQ(ctx->console.captured(), "\n         Footnote Records Checked.\r       1\r");
    checkFootnoteLine(*ctx, "%%\n");  // errors do not change the count shown
    checkFootnoteLine(*ctx, good);
    EXPECT_EQ(ctx->console.captured(),
              "\n         Footnote Records Checked.\r       1\r"
              "       2 Footnote Records Checked.\r"
              "       3 Footnote Records Checked.\r");

    auto wide = makeContext();
    wide->footnoteCount = 99999999;
    checkFootnoteLine(*wide, good);
    EXPECT_EQ(wide->console.captured(), "100000000 Footnote Records Checked.\r");
}

constexpr const char* kAdoptionMemoryError = "\n\nMemory Error when evaluating adoption footnotes.\n\n";
constexpr const char* kFosterCareMemoryError = "\n\nMemory Error when evaluating foster care footnotes.\n\n";

TEST(Footnote, AdoptionListOutOfMemory) {
    auto ctx = makeContext();
    ctx->messages(vortel::MessageListId::AdoptionFootnotes).roomLimit = 0;
    // Type X: the State message fails on the adoption list, so the record
    // stops there; the foster care list does not get it either.
    checkFootnoteLine(*ctx, footnote("02", "202609", "X", "05"));
    EXPECT_TRUE(ctx->messages(vortel::MessageListId::AdoptionFootnotes).memoryFailed);
    EXPECT_EQ(ctx->messages(vortel::MessageListId::AdoptionFootnotes).count(), 0u);
    EXPECT_EQ(ctx->messages(vortel::MessageListId::FosterCareFootnotes).count(), 0u);
    EXPECT_FALSE(ctx->messages(vortel::MessageListId::FosterCareFootnotes).memoryFailed);
    EXPECT_EQ(ctx->errors.captured(), kAdoptionMemoryError);
    EXPECT_EQ(ctx->console.captured(), "");  // no count for a record cut short
    EXPECT_EQ(ctx->footnoteCount, 1);

    // The message is written once; foster care footnotes go on normally.
    checkFootnoteLine(*ctx, footnote("01", "202609", "A", "99"));
    checkFootnoteLine(*ctx, footnote("01", "202609", "F", "99"));
    EXPECT_EQ(ctx->errors.captured(), kAdoptionMemoryError);
    EXPECT_EQ(messages(ctx->messages(vortel::MessageListId::FosterCareFootnotes)),
              std::vector<std::string>{"Footnote 003:  Invalid element number"});
    EXPECT_EQ(ctx->console.captured(), "       3 Footnote Records Checked.\r");
}

TEST(Footnote, FosterCareListOutOfMemory) {
    auto ctx = makeContext();
    ctx->messages(vortel::MessageListId::FosterCareFootnotes).roomLimit = 99;  // one block of 100 is too much
    // Type X: the State message reaches the adoption list, then fails on the
    // foster care list; the file type and element checks are not made.
    checkFootnoteLine(*ctx, footnote("02", "202609", "X", "99"));
    EXPECT_EQ(messages(ctx->messages(vortel::MessageListId::AdoptionFootnotes)),
              std::vector<std::string>{"Footnote 001:  Incorrect State FIPS code"});
    EXPECT_EQ(ctx->messages(vortel::MessageListId::FosterCareFootnotes).count(), 0u);
    EXPECT_TRUE(ctx->messages(vortel::MessageListId::FosterCareFootnotes).memoryFailed);
    EXPECT_FALSE(ctx->messages(vortel::MessageListId::AdoptionFootnotes).memoryFailed);
    EXPECT_EQ(ctx->errors.captured(), kFosterCareMemoryError);
    EXPECT_EQ(ctx->console.captured(), "");
}

TEST(Footnote, ListRefillsAfterRunningOut) {
    auto ctx = makeContext();
    ctx->messages(vortel::MessageListId::AdoptionFootnotes).roomLimit = 50;  // one block, never two
    const std::string threeErrors = footnote("02", "199409", "a", "40");
    for (int i = 0; i < 16; ++i) checkFootnoteLine(*ctx, threeErrors);
    ASSERT_EQ(ctx->messages(vortel::MessageListId::AdoptionFootnotes).count(), 48u);
    const std::string consoleBefore = ctx->console.captured();
    checkFootnoteLine(*ctx, threeErrors);  // the 49th and 50th fit, the 51st does not
    EXPECT_EQ(ctx->messages(vortel::MessageListId::AdoptionFootnotes).count(), 0u);
    EXPECT_TRUE(ctx->messages(vortel::MessageListId::AdoptionFootnotes).memoryFailed);
    EXPECT_EQ(ctx->console.captured(), consoleBefore);

    checkFootnoteLine(*ctx, footnote("01", "202609", "a", "40"));
    EXPECT_EQ(messages(ctx->messages(vortel::MessageListId::AdoptionFootnotes)),
              std::vector<std::string>{"Footnote 018:  Invalid element number"});
    EXPECT_EQ(ctx->errors.captured(), kAdoptionMemoryError);

    ctx->messages(vortel::MessageListId::AdoptionFootnotes).release();
    EXPECT_EQ(ctx->messages(vortel::MessageListId::AdoptionFootnotes).count(), 0u);
    EXPECT_TRUE(ctx->messages(vortel::MessageListId::AdoptionFootnotes).memoryFailed);
}

}  // namespace
}  // namespace vortel
