#include "findings/findings_json.h"

#include <gtest/gtest.h>

#include "findings/findings.h"
#include "reports/summary_report.h"
#include "support/records.h"

namespace vortel {
namespace {

TEST(SummaryMessages, EveryRowNamesTheElementItsTextBeginsWith) {
    const std::pair<std::string_view, std::string_view> labels[] = {
        {"\nElement 07a: All records", "07a"}, {"\nElement 16 and 17: All", "16 and 17"}, {"\nElement 36:  All", "36"}};
    for (const auto& [text, label] : labels)
        EXPECT_EQ(messageElement(MessageRow{0, MessageRule::Same, text.data()}), label);
    for (RecordKind kind : {RecordKind::Adoption, RecordKind::FosterCare})
        for (const MessageRow& row : summaryMessageRows(kind))
            EXPECT_TRUE(std::string_view(row.text).starts_with("\nElement " + std::string(messageElement(row)) + ":"))
                << row.text;
}

TEST(SummaryMessages, AreTheReportBodyAndLeaveTheReportAlone) {
    for (RecordKind kind : {RecordKind::Adoption, RecordKind::FosterCare}) {
        auto ctx = testing::makeContext();
        ctx->recordCounts[kind] = 3;
        ctx->report(kind).put("REPORT SO FAR");
        const nlohmann::ordered_json messages = summaryMessagesJson(*ctx, kind);
        EXPECT_EQ(ctx->report(kind).captured(), "REPORT SO FAR");
        ASSERT_FALSE(messages.empty());

        // The report body is its heading and the same messages, each on a line of its own.
        std::string body =
            "REPORT SO FAR\n\n                          Cross File Checks and Errors"
            "\n\nCheck and Error Description\n---------------------------";
        for (const auto& m : messages) {
            body += "\n" + m["text"].get<std::string>();
            EXPECT_EQ(m["text"].get<std::string>().rfind("Element " + m["element"].get<std::string>() + ":", 0), 0u);
        }
        writeSummaryReport(*ctx, kind);
        EXPECT_EQ(ctx->report(kind).captured(), body);
    }
    auto ctx = testing::makeContext();  // no records of the kind: no messages
    EXPECT_TRUE(summaryMessagesJson(*ctx, RecordKind::Adoption).empty());
}

TEST(MessageLists, AreListedWithTheirFullStopAndFlag) {
    MessageList list;
    ASSERT_TRUE(list.append("Incorrect State FIPS code", 24));
    ASSERT_TRUE(list.append("Invalid Number:  Age 3", 24));
    MessageList failed;
    failed.memoryFailed = true;
    const MessageList* const lists[] = {&list, &failed};
    const nlohmann::ordered_json doc = {{"a", messageListJson(list, 0)}, {"b", messageListJson(failed, 1)}};
    Writer out;
    writeWithMessageLists(out, doc.dump(2), lists);
    EXPECT_EQ(nlohmann::ordered_json::parse(out.captured()).dump(),
              R"({"a":{"messages":["Incorrect State FIPS code.","Invalid Number:  Age 3."],"memoryFailed":false},)"
              R"("b":{"messages":[],"memoryFailed":true}})");
    EXPECT_NE(out.captured().find("\n      \"Invalid Number:  Age 3.\"\n    ]"), std::string::npos) << out.captured();
}

TEST(DataErrorsJson, NullWithoutRecordsElseRowsLikeTheReport) {
    auto ctx = testing::makeContext();
    EXPECT_TRUE(dataErrorsJson(*ctx, RecordKind::Adoption).is_null());
    ctx->recordCounts[vortel::RecordKind::Adoption] = 3;
    ElementTable& cells = ctx->cells(vortel::RecordKind::Adoption);
    cells.mark(38, kMissing);  // 7a
    cells.setState(4, 'b');
    cells.tallyStates();
    cells.resetRecord();
    cells.setState(38, kOutOfRange);  // cleaned, not counted out of range
    cells.setState(4, 'b');
    cells.tallyStates();
    const nlohmann::ordered_json j = dataErrorsJson(*ctx, RecordKind::Adoption);
    EXPECT_EQ(j["records"], 3);
    EXPECT_EQ(j["rows"].size(), 52u);
    EXPECT_EQ(j["rows"][3].dump(),
              R"({"element":"04","missing":0,"outOfRange":0,"likelyError":2,"total":2,"percent":66.67,"cleaned":0})");
    EXPECT_EQ(j["rows"][6].dump(),
              R"({"element":"07a","missing":1,"outOfRange":0,"likelyError":0,"total":1,"percent":33.33,"cleaned":1})");
    EXPECT_EQ(j["total"].dump(), R"({"missing":1,"outOfRange":0,"likelyError":2,"total":3,"cleaned":1})");
}

TEST(AnyFinding, CountsAggregateAndFootnoteErrorsAndListsThatRanOutOfMemory) {
    struct Case {
        const char* name;
        void (*set)(RunContext&);
        bool expected;
    };
    const Case cases[] = {
        {"nothing", [](RunContext&) {}, false},
        {"aggregate",
         [](RunContext& c) {
             c.messages(vortel::MessageListId::AdoptionAggregate).append("Incorrect State FIPS code", 24);
         },
         true},
        {"adoption footnote",
         [](RunContext& c) { c.messages(vortel::MessageListId::AdoptionFootnotes).append("Footnote 001:  x", 50); },
         true},
        {"foster care footnote",
         [](RunContext& c) { c.messages(vortel::MessageListId::FosterCareFootnotes).append("Footnote 001:  x", 100); },
         true},
        {"list out of memory",
         [](RunContext& c) { c.messages(vortel::MessageListId::FosterCareFootnotes).memoryFailed = true; }, true},
    };
    for (const Case& c : cases) {
        auto ctx = testing::makeContext();
        FindingsExport findings{FindingsOptions{}};
        findings.open(*ctx);
        c.set(*ctx);
        findings.finish(*ctx);
        EXPECT_EQ(findings.anyFinding(), c.expected) << c.name;
    }
}

TEST(AnyFinding, CountsDetailRecordsWithFindings) {
    auto ctx = testing::makeContext();
    FindingsExport findings{FindingsOptions{}};
    findings.open(*ctx);
    std::string record = testing::cleanFosterCareRecord();
    testing::checkFosterCareRecord(*ctx, record);
    findings.record(*ctx, RecordKind::FosterCare, record, record, 3, testing::wholeLine(RecordKind::FosterCare));
    EXPECT_FALSE(findings.anyFinding());
    testing::setField(record, 42, "3");  // gender
    testing::setField(record, 1, "02");  // State
    testing::checkFosterCareRecord(*ctx, record);
    findings.record(*ctx, RecordKind::FosterCare, record, record, 4, testing::wholeLine(RecordKind::FosterCare));
    EXPECT_TRUE(findings.anyFinding());
    EXPECT_EQ(findings.counts(RecordKind::FosterCare).recordsWithFindings, 1);
    EXPECT_EQ(findings.counts(RecordKind::FosterCare).findings, 2);
    EXPECT_EQ(findings.counts(RecordKind::Adoption).findings, 0);
}

}  // namespace
}  // namespace vortel
