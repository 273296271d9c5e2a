#include <gtest/gtest.h>

#include "core/run_context.h"
#include "findings/findings.h"
#include "findings/findings_file.h"
#include "support/records.h"

namespace vortel {
namespace {

std::vector<std::string> calls;

// An output that only notes the calls it is given.
class FakeOutput final : public Output {
public:
    int create(const std::string& name) override {
        calls.push_back("create " + name);
        return 0;
    }
    void start(RunContext&) override { calls.push_back("start"); }
    void beginSection(RecordKind kind, std::string_view, std::string_view) override {
        calls.push_back("section " + std::string(recordKindName(kind)));
    }
    void record(RunContext&, const CheckedRecord& r) override {
        calls.push_back("record " + std::to_string(r.lineNumber) + ": " + std::to_string(r.findings.size()));
    }
    void endSection(RunContext&, RecordKind kind) override {
        calls.push_back("end section " + std::string(recordKindName(kind)));
    }
    void end(const RunEnd& run) override { calls.push_back(run.complete ? "end" : "abandon"); }
    WrittenOutput& output() override { return file_; }

private:
    WrittenOutput file_;
};

constexpr OutputRow kFakeTable[] = {
    {"--html", &FindingsOptions::htmlFile, "", "a fake output", "the fake output", "", "",
     [](RunContext&, const FindingsOptions&, const std::string&) -> std::unique_ptr<Output> {
         return std::make_unique<FakeOutput>();
     }},
};

TEST(OutputTable, ARegisteredOutputIsGivenEveryCallInOrder) {
    struct Case {
        const char* name;
        std::string file;
        bool complete;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"complete run",
         "fake.out",
         true,
         {"create fake.out", "start", "section foster care", "record 3: 0", "record 4: 2", "end section foster care",
          "end"}},
        {"run ended while reading",
         "fake.out",
         false,
         {"create fake.out", "start", "section foster care", "record 3: 0", "record 4: 2", "abandon"}},
        {"name of an input: refused before anything is created", "data.txt", true, {}},
    };
    for (const Case& c : cases) {
        calls.clear();
        auto ctx = testing::makeContext();
        ctx->dataFileName = "data.txt";
        FindingsOptions options;
        options.htmlFile = c.file;
        FindingsExport findings{options, std::nullopt, kFakeTable};
        try {
            findings.open(*ctx);
        } catch (const FatalExit&) {
            EXPECT_TRUE(c.expected.empty()) << c.name;
            EXPECT_NE(ctx->errors.captured().find("Unable to use data.txt as a fake output: it is the data file."),
                      std::string::npos)
                << c.name;
            EXPECT_TRUE(calls.empty()) << c.name;
            continue;
        }
        findings.start(*ctx);
        findings.beginSection(*ctx, RecordKind::FosterCare, "@\n", "summary\n");
        std::string record = testing::cleanFosterCareRecord();
        testing::checkFosterCareRecord(*ctx, record);
        findings.record(*ctx, RecordKind::FosterCare, record, record, 3, testing::wholeLine(RecordKind::FosterCare));
        testing::setField(record, 42, "3");  // gender
        testing::setField(record, 1, "02");  // State
        testing::checkFosterCareRecord(*ctx, record);
        findings.record(*ctx, RecordKind::FosterCare, record, record, 4, testing::wholeLine(RecordKind::FosterCare));
        if (c.complete) {
            findings.endSection(*ctx, RecordKind::FosterCare);
            findings.finish(*ctx);
        } else {
            findings.abandon(*ctx);
        }
        findings.abandon(*ctx);  // after the end: nothing more
        EXPECT_EQ(calls, c.expected) << c.name;
        EXPECT_EQ(findings.outputs().size(), 1u) << c.name;
    }
}

}  // namespace
}  // namespace vortel
