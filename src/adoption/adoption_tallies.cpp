#include "adoption/adoption_tallies.h"

#include "catalogue/adoption_catalogue.h"
#include "core/element_table.h"

namespace vortel {

namespace {

using enum TallyKind;
using enum TallyGate;
namespace S = adoption::slot;
using adoption::columnOf;

// The columns of an element or race category (a race element as a whole:
// its six categories), and those of the year that begins a date.
consteval Columns cols(int element, char category = '\0') { return columnsOf(adoption::entry(element, category)); }
consteval Columns year(int element) { return yearColumnsOf(adoption::entry(element)); }

static_assert(kAdoptionTallySlots == S::Count);

// Cells of the race sub-elements: 7a-7f, 25a-25f, 27a-27f.
constexpr std::uint8_t k7a = adoption::kChildRaceA;
constexpr std::uint8_t k25a = adoption::kMotherRaceA;
constexpr std::uint8_t k27a = adoption::kFatherRaceA;

// Slots 6, 34 and 38 are not used.
constexpr TallyRow kAdoptionTallyRows[] = {
    {.slot = S::StateCode, .cell = 1, .cols = cols(1), .kind = SameText, .reference = "  "},
    {.slot = S::ReportPeriod, .cell = 2, .cols = cols(2), .kind = SameDate},
    {.slot = S::BlankRecordNumbers,
     .cell = 3,
     .cols = cols(3),
     .kind = BlankCount,
     .reference = "            ",
     .gate = MatchAtMostOne,
     .countsPendingBlank = true},
    {.slot = S::NoAgencyInvolvement, .cell = 4, .cols = cols(4), .kind = SameCode, .reference = "2"},
    {.slot = S::ChildBirthYear, .cell = 5, .cols = year(5), .kind = SameDate},
    {.slot = S::Gender, .cell = 6, .cols = cols(6), .kind = SameCode},
    {.slot = S::ChildAmericanIndian, .cell = k7a + 0, .cols = cols(7, 'a'), .kind = SameCode, .reference = "1"},
    {.slot = S::ChildAsian, .cell = k7a + 1, .cols = cols(7, 'b'), .kind = SameCode, .reference = "1"},
    {.slot = S::ChildBlack, .cell = k7a + 2, .cols = cols(7, 'c'), .kind = SameCode, .reference = "1"},
    {.slot = S::ChildNativeHawaiian, .cell = k7a + 3, .cols = cols(7, 'd'), .kind = SameCode, .reference = "1"},
    {.slot = S::ChildWhite, .cell = k7a + 4, .cols = cols(7, 'e'), .kind = SameCode, .reference = "1"},
    {.slot = S::ChildRaceUnableShare,
     .cell = k7a + 5,
     .cols = cols(7, 'f'),
     .kind = CodeShare,
     .reference = "1",
     .threshold = 5},
    {.slot = S::ChildMultiRacial, .cell = k7a, .cols = cols(7), .kind = MultiRacial},
    {.slot = S::ChildHispanicYes, .cell = 8, .cols = cols(8), .kind = SameCode, .reference = "1"},
    {.slot = S::ChildHispanicUnableShare,
     .cell = 8,
     .cols = cols(8),
     .kind = CodeShare,
     .reference = "3",
     .threshold = 5},
    {.slot = S::SpecialNeeds, .cell = 9, .cols = cols(9), .kind = SameCode},
    {.slot = S::SpecialNeedsBasis,
     .cell = 10,
     .cols = cols(10),
     .kind = SameCode,
     .gate = ColumnNotZero,
     .gateColumn = columnOf(10)},
    {.slot = S::MentalRetardation, .cell = 11, .cols = cols(11), .kind = SameCode, .reference = "1"},
    {.slot = S::VisuallyHearingImpaired, .cell = 12, .cols = cols(12), .kind = SameCode, .reference = "1"},
    {.slot = S::PhysicallyDisabled, .cell = 13, .cols = cols(13), .kind = SameCode, .reference = "1"},
    {.slot = S::EmotionallyDisturbed, .cell = 14, .cols = cols(14), .kind = SameCode, .reference = "1"},
    {.slot = S::OtherCondition, .cell = 15, .cols = cols(15), .kind = SameCode, .reference = "1"},
    {.slot = S::MotherBirthYear, .cell = 16, .cols = cols(16), .kind = SameDate},
    {.slot = S::MotherBirthYearBlankShare,
     .cell = 16,
     .cols = cols(16),
     .kind = BlankShare,
     .reference = "    ",
     .threshold = 10,
     .countsPendingBlank = true},
    {.slot = S::ParentsBirthYears,
     .cell = 16,
     .cols = cols(16),
     .kind = SamePair,
     .pairCell = 17,
     .pairCols = cols(17)},
    {.slot = S::FatherBirthYear, .cell = 17, .cols = cols(17), .kind = SameDate},
    {.slot = S::FatherBirthYearBlankShare,
     .cell = 17,
     .cols = cols(17),
     .kind = BlankShare,
     .reference = "    ",
     .threshold = 10,
     .countsPendingBlank = true},
    {.slot = S::MaritalStatus, .cell = 18, .cols = cols(18), .kind = SameCode},
    {.slot = S::MaritalStatusUnableShare,
     .cell = 18,
     .cols = cols(18),
     .kind = CodeShare,
     .reference = "3",
     .threshold = 10},
    {.slot = S::MotherTprDate, .cell = 19, .cols = cols(19), .kind = SameDate},
    {.slot = S::ParentsTprDates, .cell = 19, .cols = cols(19), .kind = SamePair, .pairCell = 20, .pairCols = cols(20)},
    {.slot = S::FatherTprDate, .cell = 20, .cols = cols(20), .kind = SameDate},
    {.slot = S::LegalizationDate, .cell = 21, .cols = cols(21), .kind = SameDate},
    {.slot = S::FamilyUnmarriedCouple, .cell = 22, .cols = cols(22), .kind = SameCode, .reference = "2"},
    {.slot = S::FamilySingleFemale, .cell = 22, .cols = cols(22), .kind = SameCode, .reference = "3"},
    {.slot = S::FamilySingleMale, .cell = 22, .cols = cols(22), .kind = SameCode, .reference = "4"},
    {.slot = S::AdoptiveMotherBirthYear, .cell = 23, .cols = cols(23), .kind = SameDate},
    {.slot = S::AdoptiveParentsBirthYears,
     .cell = 23,
     .cols = cols(23),
     .kind = SamePair,
     .pairCell = 24,
     .pairCols = cols(24)},
    {.slot = S::AdoptiveFatherBirthYear, .cell = 24, .cols = cols(24), .kind = SameDate},
    {.slot = S::AdoptiveMotherAmericanIndian,
     .cell = k25a + 0,
     .cols = cols(25, 'a'),
     .kind = SameCode,
     .reference = "1"},
    {.slot = S::AdoptiveMotherAsian, .cell = k25a + 1, .cols = cols(25, 'b'), .kind = SameCode, .reference = "1"},
    {.slot = S::AdoptiveMotherBlack, .cell = k25a + 2, .cols = cols(25, 'c'), .kind = SameCode, .reference = "1"},
    {.slot = S::AdoptiveMotherNativeHawaiian,
     .cell = k25a + 3,
     .cols = cols(25, 'd'),
     .kind = SameCode,
     .reference = "1"},
    {.slot = S::AdoptiveMotherWhite, .cell = k25a + 4, .cols = cols(25, 'e'), .kind = SameCode, .reference = "1"},
    {.slot = S::AdoptiveMotherRaceUnableShare,
     .cell = k25a + 5,
     .cols = cols(25, 'f'),
     .kind = CodeShare,
     .reference = "1",
     .threshold = 10},
    {.slot = S::AdoptiveMotherMultiRacial, .cell = k25a, .cols = cols(25), .kind = MultiRacial},
    {.slot = S::AdoptiveMotherHispanic,
     .cell = 26,
     .cols = cols(26),
     .kind = SameCode,
     .gate = ColumnNotZero,
     .gateColumn = columnOf(26)},
    {.slot = S::AdoptiveMotherHispanicUnableShare,
     .cell = 26,
     .cols = cols(26),
     .kind = CodeShare,
     .reference = "3",
     .threshold = 10,
     .gate = ColumnNotZero,
     .gateColumn = columnOf(26)},
    {.slot = S::AdoptiveFatherAmericanIndian,
     .cell = k27a + 0,
     .cols = cols(27, 'a'),
     .kind = SameCode,
     .reference = "1"},
    {.slot = S::AdoptiveFatherAsian, .cell = k27a + 1, .cols = cols(27, 'b'), .kind = SameCode, .reference = "1"},
    {.slot = S::AdoptiveFatherBlack, .cell = k27a + 2, .cols = cols(27, 'c'), .kind = SameCode, .reference = "1"},
    {.slot = S::AdoptiveFatherNativeHawaiian,
     .cell = k27a + 3,
     .cols = cols(27, 'd'),
     .kind = SameCode,
     .reference = "1"},
    {.slot = S::AdoptiveFatherWhite, .cell = k27a + 4, .cols = cols(27, 'e'), .kind = SameCode, .reference = "1"},
    {.slot = S::AdoptiveFatherRaceUnableShare,
     .cell = k27a + 5,
     .cols = cols(27, 'f'),
     .kind = CodeShare,
     .reference = "1",
     .threshold = 10},
    {.slot = S::AdoptiveFatherMultiRacial, .cell = k27a, .cols = cols(27), .kind = MultiRacial},
    {.slot = S::AdoptiveFatherHispanic,
     .cell = 28,
     .cols = cols(28),
     .kind = SameCode,
     .gate = ColumnNotZero,
     .gateColumn = columnOf(28)},
    {.slot = S::AdoptiveFatherHispanicUnableShare,
     .cell = 28,
     .cols = cols(28),
     .kind = CodeShare,
     .reference = "3",
     .threshold = 10,
     .gate = ColumnNotZero,
     .gateColumn = columnOf(28)},
    {.slot = S::ByStepparent, .cell = 29, .cols = cols(29), .kind = SameCode, .reference = "1"},
    {.slot = S::ByOtherRelative, .cell = 30, .cols = cols(30), .kind = SameCode, .reference = "1"},
    {.slot = S::NotByFosterParent, .cell = 31, .cols = cols(31), .kind = SameCode, .reference = "0"},
    {.slot = S::ByOtherNonRelative, .cell = 32, .cols = cols(32), .kind = SameCode, .reference = "1"},
    {.slot = S::FromAnotherCountry, .cell = 33, .cols = cols(33), .kind = SameCode, .reference = "3"},
    {.slot = S::PlacedByPrivateAgency, .cell = 34, .cols = cols(34), .kind = SameCode, .reference = "2"},
    {.slot = S::PlacedByTribalAgency, .cell = 34, .cols = cols(34), .kind = SameCode, .reference = "3"},
    {.slot = S::PlacedByIndependentPerson, .cell = 34, .cols = cols(34), .kind = SameCode, .reference = "4"},
    {.slot = S::PlacedByBirthParent, .cell = 34, .cols = cols(34), .kind = SameCode, .reference = "5"},
    {.slot = S::NoSubsidy, .cell = 35, .cols = cols(35), .kind = SameCode, .reference = "2"},
    {.slot = S::SubsidyAmount, .cell = 36, .cols = cols(36), .kind = SameNumber},
    {.slot = S::NoAdoptionAssistance, .cell = 37, .cols = cols(37), .kind = SameCode, .reference = "2"},
};

}  // namespace

std::span<const TallyRow> adoptionTallyRows() { return kAdoptionTallyRows; }

void initAdoptionTallies(AdoptionTallies& tallies) { initTallySlots(tallies.slots, kAdoptionTallyRows, tallies.rows); }

void tallyAdoptionRecord(AdoptionTallies& tallies, const ElementTable& cells, std::string_view record) {
    tallyRecordSlots(tallies.slots, kAdoptionTallyRows, tallies.rows, cells, record);
}

void finishAdoptionTallies(AdoptionTallies& tallies) { finishTallySlots(tallies.slots); }

}  // namespace vortel
