#include "fostercare/fostercare_tallies.h"

#include "catalogue/fostercare_catalogue.h"
#include "core/run_context.h"

namespace vortel {

namespace {

using enum TallyKind;
using enum TallyGate;
namespace S = fostercare::slot;
using fostercare::columnOf;

// The columns of an element or race category (a race element as a whole:
// its six categories), and those of the year that begins a date.
consteval Columns cols(int element, char category = '\0') { return columnsOf(fostercare::entry(element, category)); }
consteval Columns year(int element) { return yearColumnsOf(fostercare::entry(element)); }

static_assert(kFosterCareTallySlots == S::Count);

// Cells of the race sub-elements: 8a-8f, 52a-52f, 54a-54f.
constexpr std::uint8_t k8a = fostercare::kChildRaceA;
constexpr std::uint8_t k52a = fostercare::kFirstCaretakerRaceA;
constexpr std::uint8_t k54a = fostercare::kSecondCaretakerRaceA;

// Slots 8, 61 and 65 are not used. An eight-character date tallied by its
// year alone names the columns of the year.
constexpr TallyRow kFosterCareTallyRows[] = {
    {.slot = S::StateCode, .cell = 1, .cols = cols(1), .kind = SameText, .reference = "  "},
    {.slot = S::ReportPeriod, .cell = 2, .cols = cols(2), .kind = SameDate},
    {.slot = S::LocalAgency, .cell = 3, .cols = cols(3), .kind = SameText},
    {.slot = S::BlankRecordNumbers, .cell = 4, .cols = cols(4), .kind = BlankCount, .reference = "            ",
     .gate = MatchAtMostOne},
    {.slot = S::ReviewDate, .cell = 5, .cols = cols(5), .kind = SameDate},
    {.slot = S::ChildBirthYear, .cell = 6, .cols = year(6), .kind = SameDate},
    {.slot = S::Gender, .cell = 7, .cols = cols(7), .kind = SameCode},
    {.slot = S::ChildAmericanIndian, .cell = k8a + 0, .cols = cols(8, 'a'), .kind = SameCode, .reference = "1"},
    {.slot = S::ChildAsian, .cell = k8a + 1, .cols = cols(8, 'b'), .kind = SameCode, .reference = "1"},
    {.slot = S::ChildBlack, .cell = k8a + 2, .cols = cols(8, 'c'), .kind = SameCode, .reference = "1"},
    {.slot = S::ChildNativeHawaiian, .cell = k8a + 3, .cols = cols(8, 'd'), .kind = SameCode, .reference = "1"},
    {.slot = S::ChildWhite, .cell = k8a + 4, .cols = cols(8, 'e'), .kind = SameCode, .reference = "1"},
    {.slot = S::ChildRaceUnableShare, .cell = k8a + 5, .cols = cols(8, 'f'), .kind = CodeShare, .reference = "1",
     .threshold = 5},
    {.slot = S::ChildMultiRacial, .cell = k8a, .cols = cols(8), .kind = MultiRacial},
    {.slot = S::ChildHispanicUnableShare, .cell = 9, .cols = cols(9), .kind = CodeShare, .reference = "3",
     .threshold = 5},
    {.slot = S::ChildHispanicYes, .cell = 9, .cols = cols(9), .kind = SameCode, .reference = "1"},
    {.slot = S::HasDisability, .cell = 10, .cols = cols(10), .kind = SameCode, .reference = "1"},
    {.slot = S::MentalRetardation, .cell = 11, .cols = cols(11), .kind = SameCode, .reference = "1"},
    {.slot = S::VisuallyHearingImpaired, .cell = 12, .cols = cols(12), .kind = SameCode, .reference = "1"},
    {.slot = S::PhysicallyDisabled, .cell = 13, .cols = cols(13), .kind = SameCode, .reference = "1"},
    {.slot = S::EmotionallyDisturbed, .cell = 14, .cols = cols(14), .kind = SameCode, .reference = "1"},
    {.slot = S::OtherCondition, .cell = 15, .cols = cols(15), .kind = SameCode, .reference = "1"},
    {.slot = S::PreviouslyAdoptedShare, .cell = 16, .cols = cols(16), .kind = CodeShare, .reference = "1",
     .threshold = 5},
    {.slot = S::PreviouslyAdoptedUnableShare, .cell = 16, .cols = cols(16), .kind = CodeShare, .reference = "3",
     .threshold = 5},
    {.slot = S::AdoptionAge, .cell = 17, .cols = cols(17), .kind = SameCode, .gate = ColumnNotZero,
     .gateColumn = columnOf(17)},
    {.slot = S::AdoptionAgeUnableShare, .cell = 17, .cols = cols(17), .kind = CodeShare, .reference = "5",
     .threshold = 5, .gate = ColumnNotZero, .gateColumn = columnOf(17)},
    {.slot = S::FirstRemovalYear, .cell = 18, .cols = year(18), .kind = SameDate},
    {.slot = S::RemovalsOverTen, .cell = 19, .cols = cols(19), .kind = Above, .reference = "10"},
    {.slot = S::Removals, .cell = 19, .cols = cols(19), .kind = SameNumber},
    {.slot = S::PreviousDischargeYear, .cell = 20, .cols = year(20), .kind = SameDate},
    {.slot = S::LatestRemovalYear, .cell = 21, .cols = year(21), .kind = SameDate},
    {.slot = S::RemovalTransactionYear, .cell = 22, .cols = year(22), .kind = SameDate},
    {.slot = S::PlacementYear, .cell = 23, .cols = year(23), .kind = SameDate},
    {.slot = S::PlacementsOverTen, .cell = 24, .cols = cols(24), .kind = Above, .reference = "10"},
    {.slot = S::Placements, .cell = 24, .cols = cols(24), .kind = SameNumber},
    {.slot = S::RemovalVoluntary, .cell = 25, .cols = cols(25), .kind = SameCode, .reference = "1"},
    {.slot = S::RemovalNotYetDetermined, .cell = 25, .cols = cols(25), .kind = SameCode, .reference = "3"},
    {.slot = S::PhysicalAbuse, .cell = 26, .cols = cols(26), .kind = SameCode, .reference = "1"},
    {.slot = S::SexualAbuse, .cell = 27, .cols = cols(27), .kind = SameCode, .reference = "1"},
    {.slot = S::Neglect, .cell = 28, .cols = cols(28), .kind = SameCode, .reference = "1"},
    {.slot = S::ParentalAlcoholAbuse, .cell = 29, .cols = cols(29), .kind = SameCode, .reference = "1"},
    {.slot = S::ParentalDrugAbuse, .cell = 30, .cols = cols(30), .kind = SameCode, .reference = "1"},
    {.slot = S::ChildAlcoholAbuse, .cell = 31, .cols = cols(31), .kind = SameCode, .reference = "1"},
    {.slot = S::ChildDrugAbuse, .cell = 32, .cols = cols(32), .kind = SameCode, .reference = "1"},
    {.slot = S::ChildDisability, .cell = 33, .cols = cols(33), .kind = SameCode, .reference = "1"},
    {.slot = S::ChildBehaviorProblem, .cell = 34, .cols = cols(34), .kind = SameCode, .reference = "1"},
    {.slot = S::DeathOfParent, .cell = 35, .cols = cols(35), .kind = SameCode, .reference = "1"},
    {.slot = S::IncarcerationOfParent, .cell = 36, .cols = cols(36), .kind = SameCode, .reference = "1"},
    {.slot = S::CaretakerInabilityToCope, .cell = 37, .cols = cols(37), .kind = SameCode, .reference = "1"},
    {.slot = S::Abandonment, .cell = 38, .cols = cols(38), .kind = SameCode, .reference = "1"},
    {.slot = S::Relinquishment, .cell = 39, .cols = cols(39), .kind = SameCode, .reference = "1"},
    {.slot = S::InadequateHousing, .cell = 40, .cols = cols(40), .kind = SameCode, .reference = "1"},
    {.slot = S::PlacementSetting, .cell = 41, .cols = cols(41), .kind = SameCode},
    {.slot = S::PlacedOutOfState, .cell = 42, .cols = cols(42), .kind = SameCode, .reference = "1"},
    {.slot = S::CasePlanGoal, .cell = 43, .cols = cols(43), .kind = SameCode},
    {.slot = S::CaretakerFamily, .cell = 44, .cols = cols(44), .kind = SameCode},
    {.slot = S::CaretakerFamilyUnableShare, .cell = 44, .cols = cols(44), .kind = CodeShare, .reference = "5",
     .threshold = 10},
    {.slot = S::FirstCaretakerBirthYear, .cell = 45, .cols = cols(45), .kind = SameDate},
    {.slot = S::SecondCaretakerBirthYear, .cell = 46, .cols = cols(46), .kind = SameDate},
    {.slot = S::CaretakersBirthYears, .cell = 45, .cols = cols(45), .kind = SamePair, .pairCell = 46,
     .pairCols = cols(46)},
    {.slot = S::MotherTprYear, .cell = 47, .cols = year(47), .kind = SameDate},
    {.slot = S::ParentsTprDates, .cell = 47, .cols = cols(47), .kind = SamePair, .pairCell = 48, .pairCols = cols(48)},
    {.slot = S::FatherTprYear, .cell = 48, .cols = year(48), .kind = SameDate},
    {.slot = S::FosterFamily, .cell = 49, .cols = cols(49), .kind = SameCode, .gate = ColumnNotZero,
     .gateColumn = columnOf(49)},
    {.slot = S::FirstFosterCaretakerBirthYear, .cell = 50, .cols = cols(50), .kind = SameDate},
    {.slot = S::SecondFosterCaretakerBirthYear, .cell = 51, .cols = cols(51), .kind = SameDate},
    {.slot = S::FirstFosterCaretakerAmericanIndian, .cell = k52a + 0, .cols = cols(52, 'a'), .kind = SameCode,
     .reference = "1"},
    {.slot = S::FirstFosterCaretakerAsian, .cell = k52a + 1, .cols = cols(52, 'b'), .kind = SameCode, .reference = "1"},
    {.slot = S::FirstFosterCaretakerBlack, .cell = k52a + 2, .cols = cols(52, 'c'), .kind = SameCode, .reference = "1"},
    {.slot = S::FirstFosterCaretakerNativeHawaiian, .cell = k52a + 3, .cols = cols(52, 'd'), .kind = SameCode,
     .reference = "1"},
    {.slot = S::FirstFosterCaretakerWhite, .cell = k52a + 4, .cols = cols(52, 'e'), .kind = SameCode, .reference = "1"},
    {.slot = S::FirstFosterCaretakerRaceUnableShare, .cell = k52a + 5, .cols = cols(52, 'f'), .kind = CodeShare,
     .reference = "1", .threshold = 10},
    {.slot = S::FirstFosterCaretakerMultiRacial, .cell = k52a, .cols = cols(52), .kind = MultiRacial},
    {.slot = S::FirstFosterCaretakerHispanic, .cell = 53, .cols = cols(53), .kind = SameCode, .gate = ColumnNotZero,
     .gateColumn = columnOf(53)},
    {.slot = S::FirstFosterCaretakerHispanicUnableShare, .cell = 53, .cols = cols(53), .kind = CodeShare,
     .reference = "3", .threshold = 10, .gate = ColumnNotZero, .gateColumn = columnOf(53)},
    {.slot = S::SecondFosterCaretakerAmericanIndian, .cell = k54a + 0, .cols = cols(54, 'a'), .kind = SameCode,
     .reference = "1"},
    {.slot = S::SecondFosterCaretakerAsian, .cell = k54a + 1, .cols = cols(54, 'b'), .kind = SameCode,
     .reference = "1"},
    {.slot = S::SecondFosterCaretakerBlack, .cell = k54a + 2, .cols = cols(54, 'c'), .kind = SameCode,
     .reference = "1"},
    {.slot = S::SecondFosterCaretakerNativeHawaiian, .cell = k54a + 3, .cols = cols(54, 'd'), .kind = SameCode,
     .reference = "1"},
    {.slot = S::SecondFosterCaretakerWhite, .cell = k54a + 4, .cols = cols(54, 'e'), .kind = SameCode,
     .reference = "1"},
    {.slot = S::SecondFosterCaretakerRaceUnableShare, .cell = k54a + 5, .cols = cols(54, 'f'), .kind = CodeShare,
     .reference = "1", .threshold = 10},
    {.slot = S::SecondFosterCaretakerMultiRacial, .cell = k54a, .cols = cols(54), .kind = MultiRacial},
    {.slot = S::SecondFosterCaretakerHispanic, .cell = 55, .cols = cols(55), .kind = SameCode, .gate = ColumnNotZero,
     .gateColumn = columnOf(55)},
    {.slot = S::SecondFosterCaretakerHispanicUnableShare, .cell = 55, .cols = cols(55), .kind = CodeShare,
     .reference = "3", .threshold = 10, .gate = ColumnNotZero, .gateColumn = columnOf(55)},
    {.slot = S::DischargeDate, .cell = 56, .cols = cols(56), .kind = SameDate},
    {.slot = S::DischargeTransactionDate, .cell = 57, .cols = cols(57), .kind = SameDate},
    {.slot = S::DischargeReason, .cell = 58, .cols = cols(58), .kind = SameCode, .gate = ColumnNotZero,
     .gateColumn = columnOf(58)},
    {.slot = S::NoTitleIveFosterCare, .cell = 59, .cols = cols(59), .kind = SameCode, .reference = "0"},
    {.slot = S::TitleIveAdoption, .cell = 60, .cols = cols(60), .kind = SameCode},
    {.slot = S::TitleIvaAfdc, .cell = 61, .cols = cols(61), .kind = SameCode},
    {.slot = S::TitleIvdChildSupport, .cell = 62, .cols = cols(62), .kind = SameCode},
    {.slot = S::NoMedicaid, .cell = 63, .cols = cols(63), .kind = SameCode, .reference = "0"},
    {.slot = S::Ssi, .cell = 64, .cols = cols(64), .kind = SameCode},
    {.slot = S::NoneOfTheAbove, .cell = 65, .cols = cols(65), .kind = SameCode, .reference = "1"},
    {.slot = S::MonthlyAmount, .cell = 66, .cols = cols(66), .kind = SameNumber},
};

}  // namespace

std::span<const TallyRow> fosterCareTallyRows() { return kFosterCareTallyRows; }

void initFosterCareTallies(RunContext& ctx) { initTallySlots(ctx.tallies.fosterCare, kFosterCareTallyRows, ctx.tallies.fosterCareRows); }

void tallyFosterCareRecord(RunContext& ctx, std::string_view record) {
    tallyRecordSlots(ctx.tallies.fosterCare, kFosterCareTallyRows, ctx.tallies.fosterCareRows, ctx.fosterCareCells, record);
}

void finishFosterCareTallies(RunContext& ctx) { finishTallySlots(ctx.tallies.fosterCare); }

}  // namespace vortel
