#include "adoption/aggregate_record.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/records.h"

namespace vortel {
namespace {

using testing::makeContext;
using testing::messages;
using testing::setField;

// State 01, March 1995, twenty counts of 12, and the line feed.
std::string cleanAggregate() {
    std::string line = "01199503";
    for (int i = 0; i < 20; ++i) line += "00000012";
    return line + "\n";
}

std::string aggregateWith(int first, std::string_view value) {
    std::string line = cleanAggregate();
    setField(line, first, value);
    return line;
}

// The check as the pass over the file calls it.
void checkAggregate(RunContext& c, std::string_view line) {
    checkAdoptionAggregate(c.facts, c.messages(vortel::MessageListId::AdoptionAggregate), c.streams(), line);
}

std::vector<std::string> allCountMessages() {
    std::vector<std::string> out{"Invalid Number:  Age under 1 year"};
    for (int n = 1; n <= 18; ++n) out.push_back("Invalid Number:  Age " + std::to_string(n));
    out.push_back("Invalid Number:  Age over 18 years old");
    return out;
}

struct AggregateCase {
    const char* name;
    std::string line;
    std::vector<std::string> expected;
};

TEST(AggregateRecord, ChecksFieldByFieldInOrder) {
    std::vector<std::string> stateAndAll = {"Incorrect State FIPS code", "Invalid report period end date"};
    for (const auto& m : allCountMessages()) stateAndAll.push_back(m);
    const AggregateCase cases[] = {
        {"clean record", cleanAggregate(), {}},
        {"clean record without line feed", cleanAggregate().substr(0, 168), {}},
        {"other State", aggregateWith(1, "02"), {"Incorrect State FIPS code"}},
        {"State blank", aggregateWith(1, "  "), {"Incorrect State FIPS code"}},
        {"September 1995", aggregateWith(3, "199509"), {"Invalid report period end date"}},
        {"March 1996", aggregateWith(3, "199603"), {"Invalid report period end date"}},
        {"month 3 then blank", aggregateWith(3, "19953 "), {}},
        {"month blank then 3", aggregateWith(3, "1995 3"), {}},
        {"month blank", aggregateWith(3, "1995  "), {"Invalid report period end date"}},
        {"month not a number", aggregateWith(3, "1995-3"), {"Invalid report period end date"}},
        {"month 3 and a letter", aggregateWith(3, "19953x"), {"Invalid report period end date"}},
        {"month with a sign", aggregateWith(3, "1995+3"), {"Invalid report period end date"}},
        {"month with a letter", aggregateWith(3, "1995x3"), {"Invalid report period end date"}},
        {"year with a letter", aggregateWith(3, "199x03"), {"Invalid report period end date"}},
        {"year short", aggregateWith(3, " 99503"), {"Invalid report period end date"}},
        {"count with leading blanks", aggregateWith(9, "      12"), {}},
        {"count with trailing blanks", aggregateWith(17, "12      "), {}},
        {"count with a blank between digits", aggregateWith(9, "   1 2  "), {"Invalid Number:  Age under 1 year"}},
        {"count all blanks", aggregateWith(17, "        "), {"Invalid Number:  Age 1"}},
        {"count with a sign", aggregateWith(25, "-0000001"), {"Invalid Number:  Age 2"}},
        {"age 9 letter", aggregateWith(81, "0000001a"), {"Invalid Number:  Age 9"}},
        {"age 18 (columns 153-160)", aggregateWith(153, "x"), {"Invalid Number:  Age 18"}},
        {"last column of age 18", aggregateWith(160, "x"), {"Invalid Number:  Age 18"}},
        {"over 18 (columns 161-168)", aggregateWith(161, "        "), {"Invalid Number:  Age over 18 years old"}},
        {"last column", aggregateWith(168, "x"), {"Invalid Number:  Age over 18 years old"}},
        {"no range on counts", aggregateWith(9, "99999999"), {}},
        {"text beyond column 168 is not read", cleanAggregate().substr(0, 168) + "garbage\n", {}},
        {"several errors keep their order",
         [] {
             std::string l = aggregateWith(1, "99");
             setField(l, 3, "199609");
             setField(l, 49, "    ");
             setField(l, 45, "1 ");
             setField(l, 161, "?");
             return l;
         }(),
         {"Incorrect State FIPS code", "Invalid report period end date", "Invalid Number:  Age 4",
          "Invalid Number:  Age over 18 years old"}},
        {"State and period only", "01199503\n", allCountMessages()},
        {"line feed inside the first count", "01199503000012\n", allCountMessages()},
        {"empty line", "\n", stateAndAll},
        {"nothing at all", "", stateAndAll},
    };
    for (const AggregateCase& c : cases) {
        auto ctx = makeContext();
        checkAggregate(*ctx, c.line);
        EXPECT_EQ(messages(ctx->messages(vortel::MessageListId::AdoptionAggregate)), c.expected) << c.name;
        EXPECT_FALSE(ctx->messages(vortel::MessageListId::AdoptionAggregate).memoryFailed) << c.name;
        EXPECT_EQ(ctx->errors.captured(), "") << c.name;
        EXPECT_EQ(ctx->console.captured(), "") << c.name;
        EXPECT_EQ(ctx->report(vortel::RecordKind::Adoption).captured(), "") << c.name;
    }
}

TEST(AggregateRecord, ComparesWithTheTypedStateCode) {
    auto ctx = makeContext();
    ctx->facts.stateCode = "72";
    checkAggregate(*ctx, aggregateWith(1, "72"));
    checkAggregate(*ctx, cleanAggregate());
    EXPECT_EQ(messages(ctx->messages(vortel::MessageListId::AdoptionAggregate)),
              std::vector<std::string>{"Incorrect State FIPS code"});
}

TEST(AggregateRecord, RecordsOfOneRunAddToOneList) {
    auto ctx = makeContext();
    checkAggregate(*ctx, aggregateWith(1, "02"));
    checkAggregate(*ctx, cleanAggregate());
    checkAggregate(*ctx, aggregateWith(3, "199509"));
    EXPECT_EQ(messages(ctx->messages(vortel::MessageListId::AdoptionAggregate)),
              (std::vector<std::string>{"Incorrect State FIPS code", "Invalid report period end date"}));
    ctx->messages(vortel::MessageListId::AdoptionAggregate).release();
    EXPECT_EQ(ctx->messages(vortel::MessageListId::AdoptionAggregate).count(), 0u);
    EXPECT_EQ(ctx->messages(vortel::MessageListId::AdoptionAggregate).room(), 0u);
}

constexpr const char* kAggregateMemoryError = "\n\nMemory Error when evaluating adoption aggregate record.\n";

TEST(AggregateRecord, NoRoomAtAllDropsTheRecordAndSaysSoOnce) {
    auto ctx = makeContext();
    ctx->messages(vortel::MessageListId::AdoptionAggregate).roomLimit = 0;
    checkAggregate(*ctx, cleanAggregate());  // nothing to append: no failure
    EXPECT_FALSE(ctx->messages(vortel::MessageListId::AdoptionAggregate).memoryFailed);
    checkAggregate(*ctx, "01199503\n");
    EXPECT_TRUE(ctx->messages(vortel::MessageListId::AdoptionAggregate).memoryFailed);
    EXPECT_EQ(ctx->messages(vortel::MessageListId::AdoptionAggregate).count(), 0u);
    checkAggregate(*ctx, "\n");
    EXPECT_EQ(ctx->messages(vortel::MessageListId::AdoptionAggregate).count(), 0u);
    EXPECT_EQ(ctx->errors.captured(), kAggregateMemoryError);
}

TEST(AggregateRecord, RunningOutMidRecordDropsTheListAndStopsTheRecord) {
    auto ctx = makeContext();
    // Room for one block of 24 messages, never for a second one.
    ctx->messages(vortel::MessageListId::AdoptionAggregate).roomLimit = 47;
    checkAggregate(*ctx, "01199503\n");  // 20 messages
    ASSERT_EQ(ctx->messages(vortel::MessageListId::AdoptionAggregate).count(), 20u);
    EXPECT_EQ(ctx->messages(vortel::MessageListId::AdoptionAggregate).room(), kAggregateErrorBlock);
    // Four more fit (State, period, under 1, age 1); the fifth does not. Had
    // the record gone on after the failure, its later messages would have
    // started a new list.
    checkAggregate(*ctx, "99199603\n");
    EXPECT_EQ(ctx->messages(vortel::MessageListId::AdoptionAggregate).count(), 0u);
    EXPECT_TRUE(ctx->messages(vortel::MessageListId::AdoptionAggregate).memoryFailed);
    EXPECT_EQ(ctx->errors.captured(), kAggregateMemoryError);

    // A later record is checked normally and refills the list.
    checkAggregate(*ctx, aggregateWith(9, "      ?"));
    EXPECT_EQ(messages(ctx->messages(vortel::MessageListId::AdoptionAggregate)),
              std::vector<std::string>{"Invalid Number:  Age under 1 year"});
    EXPECT_TRUE(ctx->messages(vortel::MessageListId::AdoptionAggregate).memoryFailed);

    // A second failure empties it again but says nothing more.
    checkAggregate(*ctx, "\n");
    EXPECT_EQ(ctx->messages(vortel::MessageListId::AdoptionAggregate).count(), 23u);
    checkAggregate(*ctx, "\n");  // the 24th fits, the 25th not
    EXPECT_EQ(ctx->messages(vortel::MessageListId::AdoptionAggregate).count(), 0u);
    EXPECT_EQ(ctx->errors.captured(), kAggregateMemoryError);
}

TEST(AggregateRecord, RoomGrowsInBlocksOf24) {
    auto ctx = makeContext();
    ctx->messages(vortel::MessageListId::AdoptionAggregate).roomLimit = 48;
    checkAggregate(*ctx, "\n");  // 22
    checkAggregate(*ctx, "\n");  // 44
    EXPECT_EQ(ctx->messages(vortel::MessageListId::AdoptionAggregate).count(), 44u);
    EXPECT_EQ(ctx->messages(vortel::MessageListId::AdoptionAggregate).room(), 48u);
    EXPECT_FALSE(ctx->messages(vortel::MessageListId::AdoptionAggregate).memoryFailed);
    checkAggregate(*ctx, "\n");  // the 49th needs a third block
    EXPECT_EQ(ctx->messages(vortel::MessageListId::AdoptionAggregate).count(), 0u);
    EXPECT_TRUE(ctx->messages(vortel::MessageListId::AdoptionAggregate).memoryFailed);
}

}  // namespace
}  // namespace vortel
