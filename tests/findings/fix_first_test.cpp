// What to fix first, from findings made by hand: which records each action
// concerns, that a line of the wrong length counts only once, and the
// ranking and its limit.
#include "findings/fix_first.h"

#include <gtest/gtest.h>

#include "support/records.h"

using namespace vortel;
using namespace vortel::testing;

namespace {

// A finding of element `label` ("06"; "record" for a line's length).
Finding found(std::string_view label, char state) {
    Finding f{};
    f.element = label;
    f.state = state;
    f.cell = label == "record" ? 0 : std::stoi(std::string(label));
    return f;
}

struct Record {
    RecordKind kind;
    std::vector<Finding> findings;
};

struct Action {
    std::string key;
    RecordKind kind;
    long records;
    bool operator==(const Action&) const = default;
};

constexpr RecordKind kA = RecordKind::Adoption;
constexpr RecordKind kF = RecordKind::FosterCare;

TEST(FixFirst, ActionsCountTheRecordsTheyConcernMostFirst) {
    struct Case {
        const char* name;
        std::vector<Record> records;
        std::size_t most;
        std::vector<Action> expected;
    };
    const Case cases[] = {
        {"a short line counts once, under its length",
         {{kA, {found("record", '1'), found("06", '1'), found("07", '1')}},
          {kA, {found("06", '1')}},
          {kA, {found("06", '2')}},
          {kA, {}}},
         10,
         {{"element-06", kA, 2}, {"length", kA, 1}, {"deleted", kA, 1}}},
        {"county codes not in the list, and element 3 not said twice",
         {{kF, {found("03", '2')}}, {kF, {found("03", '2'), found("22", 'D')}}, {kF, {found("22", 'd')}}},
         10,
         {{"deleted", kF, 2}, {"county", kF, 2}, {"element-22", kF, 2}}},
        {"a blank county code is an element action",
         {{kF, {found("03", '2')}}, {kF, {found("03", '1')}}, {kF, {found("03", '1')}}},
         10,
         {{"element-03", kF, 3}, {"deleted", kF, 1}, {"county", kF, 1}}},
        {"both kinds ranked together, cut to the number asked",
         {{kA, {found("09", '1')}},
          {kF, {found("record", '2')}},
          {kF, {found("record", '2'), found("10", 'B')}},
          {kF, {found("10", '1')}},
          {kA, {found("09", '1'), found("11", 'a')}}},
         3,
         {{"element-09", kA, 2}, {"length", kF, 2}, {"element-11", kA, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto ctx = makeContext();
        FixFirstTally tally;
        for (const Record& r : c.records) {
            ++(r.kind == kA ? ctx->adoptionRecordCount : ctx->fosterCareRecordCount);
            tally.add(r.kind, r.findings);
        }
        std::vector<Action> got;
        for (const FixAction& a : tally.actions(*ctx, false, c.most)) {
            got.push_back({a.key(), a.kind, a.records});
            EXPECT_EQ(a.kindRecords, ctx->recordCount(a.kind));
        }
        EXPECT_EQ(got, c.expected);
    }
}

}  // namespace
