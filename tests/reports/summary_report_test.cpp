// The summary report heading and the rules that pick its messages.
#include "reports/summary_report.h"

#include <string>

#include <gtest/gtest.h>

#include "adoption/adoption_tallies.h"
#include "fostercare/fostercare_tallies.h"
#include "support/records.h"

namespace vortel::testing {
namespace {

const std::string kBodyStart =
    "\n\n                          Cross File Checks and Errors"
    "\n\nCheck and Error Description"
    "\n---------------------------";

std::string heading(RecordKind kind, const std::string& period) {
    auto ctx = makeContext();
    ctx->reportPeriod = period;
    ctx->dataFileName = "state01.dat";
    writeSummaryHeading(*ctx, kind);
    return ctx->report(kind).captured();
}

TEST(SummaryHeading, AdoptionAndFosterCareHeadings) {
    EXPECT_EQ(heading(RecordKind::Adoption, "200309"),
              "\n\n\n\nDate: 12/08/2026 09:00AM"
              "\nFile: state01.dat"
              "\n\n\n\n                                VORTEL Adoption"
              "\n                          Summary Data Quality Report"
              "\n\n                  Report Period Ending Date: September, 2003");
    EXPECT_EQ(heading(RecordKind::FosterCare, "202603"),
              "\n\n\n\nDate: 12/08/2026 09:00AM"
              "\nFile: state01.dat"
              "\n\n\n\n                               VORTEL Foster Care"
              "\n                          Summary Data Quality Report"
              "\n\n                  Report Period Ending Date:     March, 2026");
}

TEST(SummaryHeading, UnknownMonthAndYear) {
    const std::string tail = "Report Period Ending Date: ";
    const std::string june = heading(RecordKind::Adoption, "200606");
    EXPECT_EQ(june.substr(june.find(tail) + tail.size()), "    ?????, 2006");
    const std::string badYear = heading(RecordKind::FosterCare, "20a309");
    EXPECT_EQ(badYear.substr(badYear.find(tail) + tail.size()), "September, ????");
}

// A body written from tallies set by hand. Every slot starts counted with
// differs clear and no match, so that only the slots a case sets speak up
// with their "no valid information" messages.
class Body {
public:
    explicit Body(RecordKind kind) : kind_(kind), ctx_(makeContext()) {
        for (SummaryTally& t : slots()) {
            t.validCount = 5;
            t.differs = true;
        }
    }
    std::span<SummaryTally> slots() {
        if (kind_ == RecordKind::Adoption) return ctx_->tallies[vortel::RecordKind::Adoption].slots;
        return ctx_->tallies[vortel::RecordKind::FosterCare].slots;
    }
    SummaryTally& operator[](int slot) { return slots()[static_cast<std::size_t>(slot)]; }
    std::string text() {
        writeSummaryReport(*ctx_, kind_);
        const std::string& all = ctx_->report(kind_).captured();
        EXPECT_EQ(all.substr(0, kBodyStart.size()), kBodyStart);
        return all.substr(kBodyStart.size());
    }

private:
    RecordKind kind_;
    std::unique_ptr<RunContext> ctx_;
};

// With every slot counted and broken, only the "not same" and the multi
// messages remain: a baseline that shows which rows the other cases add.
std::string baselineAdoption() { return "\nElement 02:  All records do not have the same report period end date."; }

TEST(SummaryBody, BrokenPatternsSayNothingButTheReportPeriod) {
    Body b(RecordKind::Adoption);
    for (int slot : {69, 70, 71}) b[slot].differs = false;
    EXPECT_EQ(b.text(), baselineAdoption() +
                            "\nElement 07:  No records have the child's race as multi-racial."
                            "\nElement 25:  No records have the adoptive mother's race as multi-racial."
                            "\nElement 27:  No records have the adoptive father's race as multi-racial.");
}

TEST(SummaryBody, SameAndNoneOfOneElementAreExclusive) {
    Body same(RecordKind::Adoption);
    same[5].differs = false;
    const std::string s = same.text();
    EXPECT_NE(s.find("\nElement 06:  All records have the same gender."), std::string::npos);
    EXPECT_EQ(s.find("No valid information submitted for gender"), std::string::npos);

    Body none(RecordKind::Adoption);
    none[5].validCount = 0;
    none[5].differs = false;
    const std::string n = none.text();
    EXPECT_NE(n.find("\nElement 06:  No valid information submitted for gender."), std::string::npos);
    EXPECT_EQ(n.find("same gender"), std::string::npos);
}

TEST(SummaryBody, MultiRacialCountAndShare) {
    Body b(RecordKind::Adoption);
    b[69].matchCount = 3;
    b[69].validCount = 40;
    b[70].differs = false;
    b[71].differs = false;
    const std::string t = b.text();
    EXPECT_NE(t.find("\nElement 07:  3 record(s) of 40 valid record(s) (  7.50%) have the child's race"
                     "\n\t\t\t as multi-racial."),
              std::string::npos)
        << t;
}

TEST(SummaryBody, ShareOverThresholdOnlyWhenDiffersIsClear) {
    Body b(RecordKind::Adoption);
    b[7].differs = false;
    b[7].matchCount = 3;
    b[7].validCount = 50;
    const std::string t = b.text();
    EXPECT_NE(t.find("\nElement 07f:   6.00% of the records have child's race coded as \"unable to determine.\""),
              std::string::npos);
    Body at(RecordKind::Adoption);
    at[7].matchCount = 1;
    at[7].validCount = 20;  // differs set by the end of the section
    EXPECT_EQ(at.text().find("Element 07f"), std::string::npos);
}

// The blank shares of the parents' birth years are held in single precision:
// 1462 of 1491 is 98.0550... in double precision and 98.0550003 in single,
// so the two print differently with two decimals.
TEST(SummaryBody, BlankSharesArePrintedInSinglePrecision) {
    Body b(RecordKind::Adoption);
    for (int slot : {7, 18}) {
        b[slot].differs = false;
        b[slot].matchCount = 1462;
        b[slot].validCount = 1491;
    }
    const std::string t = b.text();
    EXPECT_NE(t.find("\nElement 07f:  98.05% of the records"), std::string::npos) << t;
    EXPECT_NE(t.find("\nElement 16:   98.06% of the records have the mother's birth year blank."), std::string::npos)
        << t;
}

struct BlankShareCase {
    const char* name;
    int matches;
    int counted;
    bool differs;
    bool noneMessage;
};

// Slot 17 has no valid year; its "no valid information" message is left out
// exactly when slot 18's blank share (0 when its differs is set) is 100.
TEST(SummaryBody, NoValidMotherBirthYearUnlessEveryYearIsBlank) {
    const BlankShareCase cases[] = {
        {"every year blank", 12, 12, false, false},
        {"no year counted at all", 0, 0, true, true},
        {"some years blank", 6, 12, false, true},
        {"share 100 but differs set", 12, 12, true, true},
        {"rounds to 100 in single precision", 99999999, 100000000, false, false},
    };
    for (const BlankShareCase& c : cases) {
        SCOPED_TRACE(c.name);
        Body b(RecordKind::Adoption);
        b[17].validCount = 0;
        b[17].differs = false;
        b[18].matchCount = c.matches;
        b[18].validCount = c.counted;
        b[18].differs = c.differs;
        const std::string t = b.text();
        EXPECT_EQ(
            t.find("\nElement 16:  No valid information submitted for birth year for the mother.") != std::string::npos,
            c.noneMessage);
        EXPECT_EQ(t.find("Element 17:  No valid"), std::string::npos);
    }
}

TEST(SummaryBody, MotherBirthYearBlankInEveryRecord) {
    auto ctx = makeContext();
    std::string r = cleanAdoptionRecord();
    setField(r, 43, "    ");
    for (int i = 0; i < 4; ++i) {
        ctx->cells(vortel::RecordKind::Adoption).resetRecord();
        ctx->cells(vortel::RecordKind::Adoption).setState(16, kPendingBlank);
        tallyAdoptionRecord(ctx->tallies[vortel::RecordKind::Adoption], ctx->cells(vortel::RecordKind::Adoption), r);
    }
    finishAdoptionTallies(ctx->tallies[vortel::RecordKind::Adoption]);
    writeSummaryReport(*ctx, RecordKind::Adoption);
    const std::string& t = ctx->report(vortel::RecordKind::Adoption).captured();
    EXPECT_EQ(t.find("No valid information submitted for birth year for the mother"), std::string::npos);
    EXPECT_NE(t.find("\nElement 16:  100.00% of the records have the mother's birth year blank."), std::string::npos);
    EXPECT_EQ(t.find("father's birth year blank"), std::string::npos);
}

TEST(SummaryBody, MonthlySubsidyAmountIsTheReferenceReadAsNumber) {
    auto ctx = makeContext();
    std::string r = cleanAdoptionRecord();
    setField(r, 106, "00350");
    for (int i = 0; i < 3; ++i) {
        ctx->cells(vortel::RecordKind::Adoption).resetRecord();
        tallyAdoptionRecord(ctx->tallies[vortel::RecordKind::Adoption], ctx->cells(vortel::RecordKind::Adoption), r);
    }
    finishAdoptionTallies(ctx->tallies[vortel::RecordKind::Adoption]);
    writeSummaryReport(*ctx, RecordKind::Adoption);
    EXPECT_NE(ctx->report(vortel::RecordKind::Adoption)
                  .captured()
                  .find("\nElement 36:  All records have the monthly subsidy amount as:   350."),
              std::string::npos);
}

TEST(SummaryBody, RepeatedBlankRecordNumber) {
    Body b(RecordKind::Adoption);
    b[2].matchCount = 2;
    EXPECT_NE(b.text().find("\nElement 03:  More than 1 record has all blanks in record number."), std::string::npos);
    Body one(RecordKind::Adoption);
    one[2].matchCount = 1;
    EXPECT_EQ(one.text().find("Element 03"), std::string::npos);
}

// Rows of different slots for one element are judged on their own.
TEST(SummaryBody, FosterCareSlotsOfOneElementSpeakSeparately) {
    Body b(RecordKind::FosterCare);
    b[30].differs = false;  // element 25 coded 1 in every valid record
    b[22].differs = false;  // more than 10 removals everywhere
    b[23].differs = false;  // and always the same number
    const std::string t = b.text();
    EXPECT_NE(t.find("\nElement 25:  All records have removal from home coded as \"voluntary.\""), std::string::npos);
    EXPECT_EQ(t.find("not yet determined"), std::string::npos);
    EXPECT_NE(t.find("\nElement 19:  All records indicate that the child has had more than 10 removals."
                     "\nElement 19:  All records have the same number of removals."),
              std::string::npos);
}

TEST(SummaryBody, FosterCareMultiRacialCaretakerAndSecondPiece) {
    Body b(RecordKind::FosterCare);
    b[96].matchCount = 1;
    b[96].validCount = 3;
    b[95].validCount = 0;
    b[95].differs = false;
    const std::string t = b.text();
    EXPECT_NE(t.find("\nElement 52:  1 record(s) of 3 valid record(s) ( 33.33%) have the 1st foster"
                     "\n\t\t\t caretaker's race as multi-racial."),
              std::string::npos);
    EXPECT_NE(t.find("\nElement 08:  No valid information submitted for the child's race."), std::string::npos);
}

}  // namespace
}  // namespace vortel::testing
