#include "reports/error_listing.h"

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "core/message_list.h"
#include "footnotes/listing_texts.h"
#include "support/records.h"

namespace vortel {
namespace {

using namespace vortel::testing;

void add(MessageList& list, std::initializer_list<const char*> texts) {
    for (const char* t : texts) ASSERT_TRUE(list.append(t, 24));
}

// Stands in for a list whose memory ran out once; later appends may succeed.
void exhaust(MessageList& list) {
    list.roomLimit = 0;
    ASSERT_FALSE(list.append("lost", 24));
    list.roomLimit = MessageList::kUnlimited;
}

struct ListingCase {
    const char* name;
    std::function<void(RunContext&)> setUp;
    std::string adoption;
    std::string fosterCare;
};

TEST(ErrorListing, Blocks) {
    const ListingCase cases[] = {
        {"nothing to list", [](RunContext&) {}, "", ""},
        {"two aggregate errors, each with a full stop",
         [](RunContext& c) {
             add(c.messages(vortel::MessageListId::AdoptionAggregate),
                 {"Incorrect State FIPS code", "Invalid Number:  Age 3"});
         },
         kAggregateTitle + kColumns + "\nIncorrect State FIPS code.\nInvalid Number:  Age 3.", ""},
        {"one adoption footnote still ends with the bulletin reference",
         [](RunContext& c) {
             add(c.messages(vortel::MessageListId::AdoptionFootnotes), {"Footnote 001:  Invalid file type"});
         },
         kFootnoteTitle + kColumns + "\nFootnote 001:  Invalid file type." + kBulletin, ""},
        {"aggregate block first, then footnotes",
         [](RunContext& c) {
             add(c.messages(vortel::MessageListId::AdoptionFootnotes), {"Footnote 002:  Invalid element number"});
             add(c.messages(vortel::MessageListId::AdoptionAggregate), {"Invalid report period end date"});
         },
         kAggregateTitle + kColumns + "\nInvalid report period end date." + kFootnoteTitle + kColumns +
             "\nFootnote 002:  Invalid element number." + kBulletin,
         ""},
        {"foster care report has no aggregate block",
         [](RunContext& c) {
             add(c.messages(vortel::MessageListId::AdoptionAggregate), {"Incorrect State FIPS code"});
             add(c.messages(vortel::MessageListId::FosterCareFootnotes),
                 {"Footnote 001:  Invalid file type", "Footnote 007:  x"});
         },
         kAggregateTitle + kColumns + "\nIncorrect State FIPS code.",
         kFootnoteTitle + kColumns + "\nFootnote 001:  Invalid file type.\nFootnote 007:  x." + kBulletin},
        {"aggregate list lost to memory",
         [](RunContext& c) { exhaust(c.messages(vortel::MessageListId::AdoptionAggregate)); },
         kAggregateTitle + kColumns + "\n\nNOTE:  The program was unable to print adoption aggregate errors because" +
             kNoteEnd,
         ""},
        {"adoption footnotes lost: the note has no bulletin reference",
         [](RunContext& c) { exhaust(c.messages(vortel::MessageListId::AdoptionFootnotes)); },
         kFootnoteTitle + kColumns + "\n\nNOTE:  The program was unable to print adoption footnote errors because" +
             kNoteEnd,
         ""},
        {"foster care footnotes lost",
         [](RunContext& c) { exhaust(c.messages(vortel::MessageListId::FosterCareFootnotes)); }, "",
         kFootnoteTitle + kColumns + "\n\nNOTE:  The program was unable to print foster care footnote errors because" +
             kNoteEnd},
        {"a list refilled after running out prints normally",
         [](RunContext& c) {
             exhaust(c.messages(vortel::MessageListId::AdoptionAggregate));
             add(c.messages(vortel::MessageListId::AdoptionAggregate), {"Invalid Number:  Age 1"});
         },
         kAggregateTitle + kColumns + "\nInvalid Number:  Age 1.", ""},
        {"both adoption lists lost",
         [](RunContext& c) {
             exhaust(c.messages(vortel::MessageListId::AdoptionAggregate));
             exhaust(c.messages(vortel::MessageListId::AdoptionFootnotes));
         },
         kAggregateTitle + kColumns + "\n\nNOTE:  The program was unable to print adoption aggregate errors because" +
             kNoteEnd + kFootnoteTitle + kColumns +
             "\n\nNOTE:  The program was unable to print adoption footnote errors because" + kNoteEnd,
         ""},
        {"message texts are written as they are",
         [](RunContext& c) { add(c.messages(vortel::MessageListId::AdoptionAggregate), {"100% of %s"}); },
         kAggregateTitle + kColumns + "\n100% of %s.", ""},
    };
    for (const ListingCase& c : cases) {
        auto ctx = testing::makeContext();
        c.setUp(*ctx);
        writeErrorListing(*ctx, RecordKind::Adoption);
        writeErrorListing(*ctx, RecordKind::FosterCare);
        EXPECT_EQ(ctx->report(vortel::RecordKind::Adoption).captured(), c.adoption) << c.name;
        EXPECT_EQ(ctx->report(vortel::RecordKind::FosterCare).captured(), c.fosterCare) << c.name;
        EXPECT_EQ(ctx->console.captured(), "") << c.name;
    }
}

}  // namespace
}  // namespace vortel
