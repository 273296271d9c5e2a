#include "core/message_list.h"

#include <gtest/gtest.h>

#include "support/records.h"

namespace vortel {
namespace {

TEST(MessageList, RoomGrowsOneBlockAtATime) {
    MessageList list;
    struct Step {
        std::size_t appended;
        std::size_t room;
    };
    const Step steps[] = {{1, 50}, {50, 50}, {51, 100}, {100, 100}, {101, 150}};
    std::size_t n = 0;
    for (const Step& s : steps) {
        while (n < s.appended) ASSERT_TRUE(list.append("m" + std::to_string(n++), 50));
        EXPECT_EQ(list.count(), s.appended);
        EXPECT_EQ(list.room(), s.room) << s.appended;
    }
    EXPECT_EQ(list[0], "m0");
    EXPECT_EQ(list[100], "m100");
    EXPECT_FALSE(list.memoryFailed);
}

TEST(MessageList, TextsStayIntactAcrossManyChunksOfStorage) {
    // About a megabyte of texts of every length up to 200, and one text
    // longer than any chunk, between them.
    auto text = [](std::size_t i) {
        return i == 5000 ? std::string(200000, 'L') : std::string(i % 201, static_cast<char>('a' + i % 26));
    };
    MessageList list;
    for (std::size_t i = 0; i < 10000; ++i) ASSERT_TRUE(list.append(text(i), 24));
    ASSERT_EQ(list.count(), 10000u);
    for (std::size_t i = 0; i < 10000; ++i) ASSERT_EQ(list[i], text(i)) << i;
}

TEST(MessageList, FailureDropsEverythingAndALaterAppendStartsAfresh) {
    MessageList list;
    list.roomLimit = 30;
    for (int i = 0; i < 24; ++i) ASSERT_TRUE(list.append("kept", 24));
    EXPECT_FALSE(list.append("no room", 24));
    EXPECT_TRUE(list.memoryFailed);
    EXPECT_EQ(list.count(), 0u);
    EXPECT_EQ(list.room(), 0u);

    EXPECT_TRUE(list.append("again", 24));
    EXPECT_EQ(list.count(), 1u);
    EXPECT_EQ(list[0], "again");
    EXPECT_TRUE(list.memoryFailed);  // the flag stays for the whole run

    list.release();
    EXPECT_EQ(list.count(), 0u);
    EXPECT_EQ(list.room(), 0u);
    EXPECT_TRUE(list.memoryFailed);
}

TEST(MessageList, ALimitBelowOneBlockLeavesNoRoomAtAll) {
    MessageList list;
    list.roomLimit = 23;
    EXPECT_FALSE(list.append("x", 24));
    EXPECT_TRUE(list.memoryFailed);
    MessageList exact;
    exact.roomLimit = 24;
    EXPECT_TRUE(exact.append("x", 24));
}

TEST(MessageList, AppendMessageReportsOnlyTheFirstFailure) {
    auto ctx = testing::makeContext();
    MessageList& list = ctx->messages(vortel::MessageListId::AdoptionAggregate);
    list.roomLimit = 0;
    EXPECT_FALSE(appendMessage(ctx->streams(), list, "a", 24, "first failure\n"));
    EXPECT_FALSE(appendMessage(ctx->streams(), list, "b", 24, "first failure\n"));
    list.roomLimit = 24;
    EXPECT_TRUE(appendMessage(ctx->streams(), list, "c", 24, "first failure\n"));
    EXPECT_EQ(ctx->errors.captured(), "first failure\n");
    EXPECT_EQ(list.count(), 1u);
}

}  // namespace
}  // namespace vortel
