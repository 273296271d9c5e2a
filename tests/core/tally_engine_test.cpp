// Per-record updates and the end-of-section step of the summary tallies.
// Element states are set by hand so that each case isolates one rule.
#include <initializer_list>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "adoption/adoption_tallies.h"
#include "fostercare/fostercare_tallies.h"
#include "support/records.h"

namespace vortel::testing {
namespace {

using States = std::initializer_list<std::pair<int, char>>;

// Feeds records with chosen element states (every other cell valid).
class Tallies {
public:
    Tallies() : ctx_(makeContext()) {}

    void adoption(const std::string& record, States states = {}) {
        ctx_->cells(vortel::RecordKind::Adoption).resetRecord();
        for (const auto& [cell, state] : states) ctx_->cells(vortel::RecordKind::Adoption).setState(cell, state);
        tallyAdoptionRecord(ctx_->tallies[vortel::RecordKind::Adoption], ctx_->cells(vortel::RecordKind::Adoption),
                            record);
    }
    void fosterCare(const std::string& record, States states = {}) {
        ctx_->cells(vortel::RecordKind::FosterCare).resetRecord();
        for (const auto& [cell, state] : states) ctx_->cells(vortel::RecordKind::FosterCare).setState(cell, state);
        tallyFosterCareRecord(ctx_->tallies[vortel::RecordKind::FosterCare],
                              ctx_->cells(vortel::RecordKind::FosterCare), record);
    }
    // `count` adoption records with `value` at `col`, then `rest` with `other`.
    void adoptionCodes(int col, int count, const char* value, int rest, const char* other) {
        std::string r = cleanAdoptionRecord();
        setField(r, col, value);
        for (int i = 0; i < count; ++i) adoption(r);
        setField(r, col, other);
        for (int i = 0; i < rest; ++i) adoption(r);
    }
    void fosterCareCodes(int col, int count, const char* value, int rest, const char* other) {
        std::string r = cleanFosterCareRecord();
        setField(r, col, value);
        for (int i = 0; i < count; ++i) fosterCare(r);
        setField(r, col, other);
        for (int i = 0; i < rest; ++i) fosterCare(r);
    }

    const SummaryTally& a(int slot) const {
        return ctx_->tallies[vortel::RecordKind::Adoption].slots[static_cast<std::size_t>(slot)];
    }
    const SummaryTally& f(int slot) const {
        return ctx_->tallies[vortel::RecordKind::FosterCare].slots[static_cast<std::size_t>(slot)];
    }
    RunContext& ctx() { return *ctx_; }

private:
    std::unique_ptr<RunContext> ctx_;
};

TEST(TallyEngine, StartValuesHoldFixedReferencesAndThresholds) {
    Tallies t;
    EXPECT_STREQ(t.a(0).reference, "  ");
    EXPECT_STREQ(t.a(2).reference, "            ");
    EXPECT_STREQ(t.a(3).reference, "2");
    EXPECT_STREQ(t.a(5).reference, "");
    EXPECT_EQ(t.a(7).threshold, 5.0f);
    EXPECT_EQ(t.a(23).threshold, 10.0f);
    EXPECT_EQ(t.a(6).threshold, 100.0f);
    EXPECT_STREQ(t.f(22).reference, "10");
    EXPECT_EQ(t.f(20).threshold, 5.0f);
    EXPECT_EQ(t.f(68).threshold, 10.0f);
    for (const SummaryTally& s : t.ctx().tallies[vortel::RecordKind::FosterCare].slots) {
        EXPECT_EQ(s.validCount, 0);
        EXPECT_FALSE(s.differs);
    }
}

TEST(TallyEngine, EmptyReferenceIsTakenFromTheFirstValidRecord) {
    Tallies t;
    std::string r = cleanAdoptionRecord();
    setField(r, 28, "9");
    t.adoption(r, {{6, '2'}});  // out of range: skipped
    setField(r, 28, " ");
    t.adoption(r, {{6, '1'}});  // missing: skipped
    EXPECT_EQ(t.a(5).validCount, 0);
    EXPECT_STREQ(t.a(5).reference, "");
    setField(r, 28, "2");
    t.adoption(r);
    t.adoption(r);
    EXPECT_STREQ(t.a(5).reference, "2");
    EXPECT_EQ(t.a(5).validCount, 2);
    EXPECT_FALSE(t.a(5).differs);
}

TEST(TallyEngine, FirstUnlikeValueFreezesASameSlot) {
    Tallies t;
    std::string r = cleanAdoptionRecord();
    for (const char* gender : {"1", "1", "2", "1"}) {
        setField(r, 28, gender);
        t.adoption(r);
    }
    EXPECT_TRUE(t.a(5).differs);
    EXPECT_EQ(t.a(5).validCount, 3);  // the fourth record is not counted
    EXPECT_STREQ(t.a(5).reference, "1");
}

TEST(TallyEngine, FixedReferenceTestsEveryValidRecordForThatCode) {
    Tallies t;
    std::string r = cleanAdoptionRecord();
    setField(r, 21, "2");
    t.adoption(r);
    t.adoption(r);
    setField(r, 21, "1");
    t.adoption(r, {{4, 'b'}});  // a letter: not counted
    EXPECT_FALSE(t.a(3).differs);
    EXPECT_EQ(t.a(3).validCount, 2);
    t.adoption(r);
    EXPECT_TRUE(t.a(3).differs);
    EXPECT_EQ(t.a(3).validCount, 3);
}

// The share must be strictly greater than the threshold; exactly at the
// limit counts as not over. Shares are matchCount x 100 / validCount.
struct ShareCase {
    const char* name;
    int slot;  // adoption slot
    int col;   // its column
    const char* code;
    int matches;
    int total;
    bool over;
};

TEST(TallyEngine, ThresholdsAtAndJustOverTheLimit) {
    const ShareCase cases[] = {
        {"7f 1 of 20 = 5%", 7, 34, "1", 1, 20, false},
        {"7f 2 of 20 = 10%", 7, 34, "1", 2, 20, true},
        {"7f 3 of 60 = 5%", 7, 34, "1", 3, 60, false},
        {"7f 7 of 140 = 5%", 7, 34, "1", 7, 140, false},
        {"7f 1 of 19 = 5.26%", 7, 34, "1", 1, 19, true},
        {"8 unable 1 of 20 = 5%", 9, 35, "3", 1, 20, false},
        {"8 unable 101 of 2000 = 5.05%", 9, 35, "3", 101, 2000, true},
        {"25f 2 of 20 = 10%", 35, 90, "1", 2, 20, false},
        {"25f 3 of 20 = 15%", 35, 90, "1", 3, 20, true},
        {"18 unable 10 of 100 = 10%", 23, 51, "3", 10, 100, false},
        {"18 unable 11 of 109 = 10.09%", 23, 51, "3", 11, 109, true},
        {"27f 7 of 70 = 10%", 39, 97, "1", 7, 70, false},
        {"none matching", 39, 97, "1", 0, 70, false},
    };
    for (const ShareCase& c : cases) {
        SCOPED_TRACE(c.name);
        Tallies t;
        t.adoptionCodes(c.col, c.matches, c.code, c.total - c.matches, "0");
        finishAdoptionTallies(t.ctx().tallies[vortel::RecordKind::Adoption]);
        EXPECT_EQ(t.a(c.slot).matchCount, c.matches);
        EXPECT_EQ(t.a(c.slot).validCount, c.total);
        EXPECT_EQ(t.a(c.slot).differs, !c.over);
    }
}

TEST(TallyEngine, FosterCareThresholdsAtTheLimit) {
    Tallies t;
    t.fosterCareCodes(56, 1, "1", 19, "2");  // element 16 coded 1 in 1 of 20
    finishFosterCareTallies(t.ctx().tallies[vortel::RecordKind::FosterCare]);
    EXPECT_TRUE(t.f(17).differs);
    Tallies u;
    u.fosterCareCodes(56, 2, "1", 18, "2");
    finishFosterCareTallies(u.ctx().tallies[vortel::RecordKind::FosterCare]);
    EXPECT_FALSE(u.f(17).differs);
    EXPECT_TRUE(u.f(18).differs);  // no record coded 3
}

TEST(TallyEngine, ShareSlotsCountOnlyValidStates) {
    Tallies t;
    std::string r = cleanAdoptionRecord();
    setField(r, 34, "1");
    t.adoption(r, {{43, '1'}});
    t.adoption(r, {{43, 'g'}});
    t.adoption(r);
    EXPECT_EQ(t.a(7).validCount, 1);
    EXPECT_EQ(t.a(7).matchCount, 1);
}

struct RaceCase {
    const char* name;
    const char* races;  // columns a-f
    char stateOfAll;    // state of the six cells, '.' unless letters
    bool counted;
    bool multi;
};

TEST(TallyEngine, MultiRacialCountsAndShare) {
    const RaceCase cases[] = {
        {"a and f", "100001", '.', true, false},     {"a and c", "101000", '.', true, true},
        {"all five", "111110", '.', true, true},     {"f alone", "000001", '.', true, false},
        {"none coded", "000000", '.', false, false}, {"letters everywhere", "110000", 'g', false, false},
    };
    for (const RaceCase& c : cases) {
        SCOPED_TRACE(c.name);
        Tallies t;
        std::string r = cleanAdoptionRecord();
        setField(r, 29, c.races);
        States letters = {{38, c.stateOfAll}, {39, c.stateOfAll}, {40, c.stateOfAll},
                          {41, c.stateOfAll}, {42, c.stateOfAll}, {43, c.stateOfAll}};
        t.adoption(r, letters);
        EXPECT_EQ(t.a(69).validCount, c.counted ? 1 : 0);
        EXPECT_EQ(t.a(69).matchCount, c.multi ? 1 : 0);
        EXPECT_EQ(t.a(69).differs, c.multi);
    }
}

TEST(TallyEngine, OneValidSubElementIsEnoughAndColumnsAreReadWhateverTheirState) {
    Tallies t;
    std::string r = cleanFosterCareRecord();
    setField(r, 155, "110000");
    // 52a and 52b carry letters; only 52f is valid.
    t.fosterCare(r, {{73, 'i'}, {74, 'i'}, {75, 'i'}, {76, 'i'}, {77, 'i'}});
    EXPECT_EQ(t.f(96).matchCount, 1);
    EXPECT_EQ(t.f(96).validCount, 1);
    // Multi-racial slots keep counting after the first multi-racial record.
    setField(r, 155, "010000");
    t.fosterCare(r);
    EXPECT_EQ(t.f(96).matchCount, 1);
    EXPECT_EQ(t.f(96).validCount, 2);
}

TEST(TallyEngine, ZeroInTheGateColumnHidesTheRecordFromTheSlot) {
    Tallies t;
    std::string r = cleanAdoptionRecord();
    setField(r, 37, "0");
    setField(r, 91, "0");
    setField(r, 98, "0");
    t.adoption(r);
    for (int slot : {11, 36, 37, 40, 41}) EXPECT_EQ(t.a(slot).validCount, 0) << "slot " << slot;
    EXPECT_EQ(t.a(10).validCount, 1);  // element 9 has no gate

    Tallies u;
    std::string f = cleanFosterCareRecord();
    setField(f, 57, "0");
    setField(f, 146, "0");
    setField(f, 161, "0");
    setField(f, 168, "0");
    setField(f, 185, "0");
    u.fosterCare(f);
    for (int slot : {19, 20, 58, 63, 64, 67, 68, 71}) EXPECT_EQ(u.f(slot).validCount, 0) << "slot " << slot;
    setField(f, 57, "5");
    u.fosterCare(f);
    EXPECT_EQ(u.f(20).matchCount, 1);
}

TEST(TallyEngine, BlankRecordNumbersAreCountedUpToTwo) {
    Tallies t;
    std::string r = cleanAdoptionRecord();
    setField(r, 9, "            ");
    t.adoption(r);
    t.adoption(r);
    t.adoption(r);
    EXPECT_EQ(t.a(2).matchCount, 2);
    EXPECT_EQ(t.a(2).validCount, 2);  // not visited after the second match

    Tallies u;
    std::string f = cleanFosterCareRecord();
    setField(f, 14, "            ");
    u.fosterCare(f, {{4, '!'}});  // foster care counts only a valid record number
    EXPECT_EQ(u.f(3).validCount, 0);
    u.fosterCare(f);
    u.fosterCare(f);
    u.fosterCare(f);
    EXPECT_EQ(u.f(3).matchCount, 2);
    EXPECT_EQ(u.f(3).validCount, 2);
}

TEST(TallyEngine, BlankParentBirthYearsMakeABlankShareOfHundred) {
    Tallies t;
    std::string r = cleanAdoptionRecord();
    setField(r, 43, "    ");
    for (int i = 0; i < 5; ++i) t.adoption(r, {{16, '!'}});
    setField(r, 43, "1980");
    t.adoption(r, {{16, '2'}});  // out of range: neither slot counts it
    finishAdoptionTallies(t.ctx().tallies[vortel::RecordKind::Adoption]);
    EXPECT_EQ(t.a(18).matchCount, 5);
    EXPECT_EQ(t.a(18).validCount, 5);
    EXPECT_FALSE(t.a(18).differs);
    EXPECT_EQ(t.a(17).validCount, 0);
    // A valid year counts in the share without matching.
    t.adoption(r);
    EXPECT_EQ(t.a(18).validCount, 6);
    EXPECT_EQ(t.a(18).matchCount, 5);
}

TEST(TallyEngine, SamePairComparesTwoDatesOfOneRecord) {
    Tallies t;
    std::string r = cleanAdoptionRecord();
    setField(r, 43, "1980");
    setField(r, 47, "1980");
    t.adoption(r);
    setField(r, 47, "1975");
    t.adoption(r, {{17, '!'}});  // one date not valid: not counted
    EXPECT_FALSE(t.a(19).differs);
    EXPECT_EQ(t.a(19).validCount, 1);
    t.adoption(r);
    EXPECT_TRUE(t.a(19).differs);

    // TPR dates of the mother and father: the same year but another month.
    Tallies u;
    std::string f = cleanFosterCareRecord();
    setField(f, 130, "20200115");
    setField(f, 138, "20200115");
    u.fosterCare(f);
    EXPECT_FALSE(u.f(56).differs);
    setField(f, 138, "20200315");
    u.fosterCare(f);
    EXPECT_TRUE(u.f(56).differs);
    EXPECT_FALSE(u.f(55).differs);  // each alone is tallied by its year
    EXPECT_EQ(u.f(55).validCount, 2);
}

TEST(TallyEngine, DateSlotsCompareOnlyTheirParts) {
    Tallies t;
    std::string r = cleanAdoptionRecord();
    setField(r, 22, "201503");
    t.adoption(r);
    setField(r, 22, "201511");  // another month, same year
    t.adoption(r);
    EXPECT_FALSE(t.a(4).differs);
    setField(r, 52, "20200116");  // TPR date of the mother, another day
    t.adoption(r);
    EXPECT_TRUE(t.a(24).differs);
    setField(r, 3, "202603");  // report period: year and month
    t.adoption(r);
    EXPECT_TRUE(t.a(1).differs);
}

TEST(TallyEngine, NumbersAreComparedAsNumbers) {
    Tallies t;
    std::string r = cleanAdoptionRecord();
    setField(r, 106, "00350");
    t.adoption(r);
    setField(r, 106, "  350");
    t.adoption(r);
    EXPECT_FALSE(t.a(52).differs);
    EXPECT_EQ(t.a(52).validCount, 2);
    setField(r, 106, "00351");
    t.adoption(r);
    EXPECT_TRUE(t.a(52).differs);
}

struct AboveCase {
    const char* name;
    const char* removals;
    bool breaks;
};

TEST(TallyEngine, AboveSlotsBreakAtTenOrLess) {
    const AboveCase cases[] = {
        {"11", "11", false}, {"99", "99", false}, {"10", "10", true}, {"05", "05", true}, {" 5", " 5", true},
    };
    for (const AboveCase& c : cases) {
        SCOPED_TRACE(c.name);
        Tallies t;
        std::string f = cleanFosterCareRecord();
        setField(f, 66, "12");
        t.fosterCare(f);
        setField(f, 66, c.removals);
        t.fosterCare(f);
        EXPECT_EQ(t.f(22).differs, c.breaks);
        EXPECT_STREQ(t.f(22).reference, "10");  // a fixed reference is never replaced
    }
    // A value that is not valid is not looked at.
    Tallies t;
    std::string f = cleanFosterCareRecord();
    setField(f, 100, "00");
    t.fosterCare(f, {{24, '2'}});
    EXPECT_FALSE(t.f(28).differs);
    EXPECT_EQ(t.f(28).validCount, 0);
}

TEST(TallyEngine, SameLocalAgencyCodeInEveryRecord) {
    Tallies t;
    std::string f = cleanFosterCareRecord();
    t.fosterCare(f);
    t.fosterCare(f);
    EXPECT_FALSE(t.f(2).differs);
    EXPECT_STREQ(t.f(2).reference, "01001");
    setField(f, 9, "01003");
    t.fosterCare(f);
    EXPECT_TRUE(t.f(2).differs);
}

// The run's totals decide a share, not the first section alone: a second
// section that lifts the share over its threshold clears the verdict of the
// first, and one that lowers it sets it.
TEST(TallyEngine, TwoSectionsOfOneKindAddUp) {
    Tallies t;
    t.adoptionCodes(34, 1, "1", 19, "0");  // 5%: not over
    finishAdoptionTallies(t.ctx().tallies[vortel::RecordKind::Adoption]);
    EXPECT_TRUE(t.a(7).differs);
    t.adoptionCodes(34, 3, "1", 17, "0");  // totals 4 of 40 = 10%
    finishAdoptionTallies(t.ctx().tallies[vortel::RecordKind::Adoption]);
    EXPECT_EQ(t.a(7).matchCount, 4);
    EXPECT_EQ(t.a(7).validCount, 40);
    EXPECT_FALSE(t.a(7).differs);
    t.adoptionCodes(34, 0, "1", 60, "0");  // totals 4 of 100 = 4%
    finishAdoptionTallies(t.ctx().tallies[vortel::RecordKind::Adoption]);
    EXPECT_TRUE(t.a(7).differs);

    // A frozen slot stays frozen across sections; a slot that still holds
    // keeps its reference from the first section.
    Tallies u;
    std::string r = cleanAdoptionRecord();
    u.adoption(r);
    finishAdoptionTallies(u.ctx().tallies[vortel::RecordKind::Adoption]);
    u.adoption(r);
    EXPECT_EQ(u.a(5).validCount, 2);
    EXPECT_FALSE(u.a(5).differs);
    setField(r, 28, "2");
    u.adoption(r);
    finishAdoptionTallies(u.ctx().tallies[vortel::RecordKind::Adoption]);
    u.adoption(cleanAdoptionRecord());
    EXPECT_TRUE(u.a(5).differs);
    EXPECT_EQ(u.a(5).validCount, 3);
}

TEST(TallyEngine, EndOfSectionLeavesSlotsWithoutThresholdAlone) {
    Tallies t;
    finishAdoptionTallies(t.ctx().tallies[vortel::RecordKind::Adoption]);
    finishFosterCareTallies(t.ctx().tallies[vortel::RecordKind::FosterCare]);
    for (int slot : {5, 69, 2, 52}) EXPECT_FALSE(t.a(slot).differs) << "slot " << slot;
    for (int slot : {7, 9, 18, 21, 23, 35, 37, 39, 41}) EXPECT_TRUE(t.a(slot).differs) << "slot " << slot;
    for (int slot : {7, 9, 17, 18, 20, 51, 62, 64, 66, 68}) EXPECT_TRUE(t.f(slot).differs) << "slot " << slot;
    for (int slot : {22, 95, 3}) EXPECT_FALSE(t.f(slot).differs) << "slot " << slot;
}

// Through the element checks: a blank mother's birth year becomes a pending
// blank, which the blank share counts and the year slot does not.
TEST(TallyEngine, PendingBlankFromTheElementChecks) {
    auto ctx = makeContext();
    std::string r = cleanAdoptionRecord();
    setField(r, 43, "    ");
    checkAdoptionRecord(*ctx, r);
    ASSERT_EQ(ctx->cells(vortel::RecordKind::Adoption).state(16), kPendingBlank);
    tallyAdoptionRecord(ctx->tallies[vortel::RecordKind::Adoption], ctx->cells(vortel::RecordKind::Adoption), r);
    EXPECT_EQ(ctx->tallies[vortel::RecordKind::Adoption].slots[18].matchCount, 1);
    EXPECT_EQ(ctx->tallies[vortel::RecordKind::Adoption].slots[17].validCount, 0);
}

}  // namespace
}  // namespace vortel::testing
