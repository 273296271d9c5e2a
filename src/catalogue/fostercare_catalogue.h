// The foster care catalogue: every element of the foster care detail record
// (197 columns) with its cell, columns, name and test; the consistency
// groups with their letters and legend; the names of the summary tally slots.
#pragma once

#include <cstdint>

#include "catalogue/catalogue_entry.h"

namespace vortel::fostercare {

// The rows are written with short names for the blank states and tests.
namespace catalogue_rows {
using T = ElementTest;
constexpr char M = kMissing;
constexpr char P = kPendingBlank;

constexpr ElementLayout date(int cell, int first, char blank) {
    return fieldElement(cell, first, first + 7, blank, T::Date, 19000101);
}
constexpr ElementLayout year(int cell, int first, char blank) {
    return fieldElement(cell, first, first + 3, blank, T::Year);
}

// In column order, which is also the order of the element checks and of
// the data errors table.
inline constexpr ElementEntry kElements[] = {
    element(fieldElement(1, 1, 2, M, T::StateCode), "State FIPS code"),
    element(fieldElement(2, 3, 8, M, T::ReportPeriod), "report period end date"),
    element(fieldElement(3, 9, 13, M, T::LocalAgency), "local agency FIPS code"),
    unchecked(4, 14, 25, "record number"),
    element(date(5, 26, P), "review date"),
    element(date(6, 34, M), "child's birth date"),
    element(codeElement(7, 42, M, "12"), "gender"),
    raceElement(8, 43, "race"),
    raceCategory(8, 'a', kChildRaceA, 43, M, "race: American Indian or Alaska Native"),
    raceCategory(8, 'b', kChildRaceA, 44, M, "race: Asian"),
    raceCategory(8, 'c', kChildRaceA, 45, M, "race: Black or African American"),
    raceCategory(8, 'd', kChildRaceA, 46, M, "race: Native Hawaiian or Other Pacific Islander"),
    raceCategory(8, 'e', kChildRaceA, 47, M, "race: White"),
    raceCategory(8, 'f', kChildRaceA, 48, M, "race: unable to determine"),
    element(codeElement(9, 49, M, "123"), "child's Hispanic or Latino origin"),
    element(codeElement(10, 50, M, "123"), "child has a disability"),
    element(codeElement(11, 51, M, "01"), "mental retardation"),
    element(codeElement(12, 52, M, "01"), "visually/hearing impaired"),
    element(codeElement(13, 53, M, "01"), "physically disabled"),
    element(codeElement(14, 54, M, "01"), "emotionally disturbed"),
    element(codeElement(15, 55, M, "01"), "another medically diagnosed condition"),
    element(codeElement(16, 56, M, "123"), "child has been previously adopted"),
    element(codeElement(17, 57, P, "012345"), "age of child when adopted"),
    element(date(18, 58, M), "first removal date"),
    element(fieldElement(19, 66, 67, M, T::Range, 1, 99), "number of removals"),
    element(date(20, 68, P), "previous discharge date"),
    element(date(21, 76, M), "latest removal date"),
    element(date(22, 84, M), "removal transaction date"),
    element(date(23, 92, M), "placement date"),
    element(fieldElement(24, 100, 101, M, T::Range, 1, 99), "number of placements"),
    element(codeElement(25, 102, M, "123"), "removal from home (manner of removal)"),
    element(codeElement(26, 103, M, "01"), "physical abuse"),
    element(codeElement(27, 104, M, "01"), "sexual abuse"),
    element(codeElement(28, 105, M, "01"), "neglect"),
    element(codeElement(29, 106, M, "01"), "parental alcohol abuse"),
    element(codeElement(30, 107, M, "01"), "parental drug abuse"),
    element(codeElement(31, 108, M, "01"), "child's alcohol abuse"),
    element(codeElement(32, 109, M, "01"), "child's drug abuse"),
    element(codeElement(33, 110, M, "01"), "child's disability"),
    element(codeElement(34, 111, M, "01"), "child's behavior problem"),
    element(codeElement(35, 112, M, "01"), "death of parent"),
    element(codeElement(36, 113, M, "01"), "incarceration of parent"),
    element(codeElement(37, 114, M, "01"), "caretaker inability to cope"),
    element(codeElement(38, 115, M, "01"), "abandonment"),
    element(codeElement(39, 116, M, "01"), "relinquishment"),
    element(codeElement(40, 117, M, "01"), "inadequate housing"),
    element(codeElement(41, 118, M, "12345678"), "placement setting"),
    element(codeElement(42, 119, M, "12"), "child is placed out of State"),
    element(codeElement(43, 120, M, "1234567"), "case plan goal"),
    element(codeElement(44, 121, M, "12345"), "primary caretaker family structure"),
    element(year(45, 122, P), "birth year for the 1st primary caretaker"),
    element(year(46, 126, P), "birth year for the 2nd primary caretaker"),
    element(date(47, 130, P), "TPR for the mother (date)"),
    element(date(48, 138, P), "TPR for the father (date)"),
    element(codeElement(49, 146, P, "01234"), "foster family structure"),
    element(year(50, 147, P), "birth year for the 1st foster caretaker"),
    element(year(51, 151, P), "birth year for the 2nd foster caretaker"),
    raceElement(52, 155, "1st foster caretaker's race"),
    raceCategory(52, 'a', kFirstCaretakerRaceA, 155, P,
                 "1st foster caretaker's race: American Indian or Alaska Native"),
    raceCategory(52, 'b', kFirstCaretakerRaceA, 156, P, "1st foster caretaker's race: Asian"),
    raceCategory(52, 'c', kFirstCaretakerRaceA, 157, P, "1st foster caretaker's race: Black or African American"),
    raceCategory(52, 'd', kFirstCaretakerRaceA, 158, P,
                 "1st foster caretaker's race: Native Hawaiian or Other Pacific Islander"),
    raceCategory(52, 'e', kFirstCaretakerRaceA, 159, P, "1st foster caretaker's race: White"),
    raceCategory(52, 'f', kFirstCaretakerRaceA, 160, P, "1st foster caretaker's race: unable to determine"),
    element(codeElement(53, 161, P, "0123"), "Hispanic or Latino origin for the 1st foster caretaker"),
    raceElement(54, 162, "2nd foster caretaker's race"),
    raceCategory(54, 'a', kSecondCaretakerRaceA, 162, P,
                 "2nd foster caretaker's race: American Indian or Alaska Native"),
    raceCategory(54, 'b', kSecondCaretakerRaceA, 163, P, "2nd foster caretaker's race: Asian"),
    raceCategory(54, 'c', kSecondCaretakerRaceA, 164, P, "2nd foster caretaker's race: Black or African American"),
    raceCategory(54, 'd', kSecondCaretakerRaceA, 165, P,
                 "2nd foster caretaker's race: Native Hawaiian or Other Pacific Islander"),
    raceCategory(54, 'e', kSecondCaretakerRaceA, 166, P, "2nd foster caretaker's race: White"),
    raceCategory(54, 'f', kSecondCaretakerRaceA, 167, P, "2nd foster caretaker's race: unable to determine"),
    element(codeElement(55, 168, P, "0123"), "Hispanic or Latino origin for the 2nd foster caretaker"),
    element(date(56, 169, P), "discharge date"),
    element(date(57, 177, P), "discharge transaction date"),
    element(codeElement(58, 185, P, "012345678"), "reason for discharge"),
    element(codeElement(59, 186, M, "01"), "title IVE - foster care"),
    element(codeElement(60, 187, M, "01"), "title IVE - adoption"),
    element(codeElement(61, 188, M, "01"), "title IVA - AFDC"),
    element(codeElement(62, 189, M, "01"), "title IVD - child support"),
    element(codeElement(63, 190, M, "01"), "Medicaid"),
    element(codeElement(64, 191, M, "01"), "SSI"),
    element(codeElement(65, 192, M, "01"), "none of the above"),
    element(fieldElement(66, 193, 197, M, T::Range, 0, 99999), "monthly amount"),
};

}  // namespace catalogue_rows
using catalogue_rows::kElements;

// Group #1 is the date pairs; its elements are the dates and years they
// compare. The letter l is not used: groups #12 and #13 have m and n.
inline constexpr GroupEntry kGroups[] = {
    group(1, 'a', "dates and years", {2, 5, 6, 18, 20, 21, 22, 23, 45, 46, 47, 48, 50, 51, 56, 57},
          "Most likely error causing inconsistency in Group #1 (Elements 2, 5, 6, 18, 20 - 23, 45 - 48,\n"
          "         50 - 51, and 56 - 57.)"),
    group(2, 'b', "child's disabilities", {10, 11, 12, 13, 14, 15, 33},
          "Most likely error causing inconsistency in Group #2 (Elements 10 - 15 and 33.)"),
    group(3, 'c', "previous adoption", {16, 17},
          "Most likely error causing inconsistency in Group #3 (Elements 16 - 17.)"),
    group(4, 'd', "removals and previous discharge", {18, 19, 20, 21},
          "Most likely error causing inconsistency in Group #4 (Elements 18 - 21.)"),
    group(5, 'e', "placements", {21, 23, 24},
          "Most likely error causing inconsistency in Group #5 (Elements 21 and 23 - 24.)"),
    group(6, 'f', "stay, review and case plan goal", {2, 5, 21, 25, 43, 56},
          "Most likely error causing inconsistency in Group #6 (Elements 2, 5, 21, 25, 43, and 56.)"),
    group(7, 'g', "conditions of removal", {26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40},
          "Most likely error causing inconsistency in Group #7 (Elements 26 - 40.)"),
    group(8, 'h', "primary caretakers", {44, 45, 46},
          "Most likely error causing inconsistency in Group #8 (Elements 44 - 46.)"),
    group(9, 'i', "foster family and caretakers", {41, 49, 50, 51, 52, 53, 54, 55},
          "Most likely error causing inconsistency in Group #9 (Elements 41 and 49 - 55.)"),
    group(10, 'j', "termination of parental rights", {43, 47, 48, 58},
          "Most likely error causing inconsistency in Group #10 (Elements 43, 47 - 48, and 58.)"),
    group(11, 'k', "discharge", {56, 57, 58},
          "Most likely error causing inconsistency in Group #11 (Elements 56 - 58.)"),
    group(12, 'm', "sources of support and monthly amount", {59, 60, 61, 62, 63, 64, 65, 66},
          "Most likely error causing inconsistency in Group #12 (Elements 59 - 66.)"),
    group(13, 'n', "within the race elements", {8, 52, 54},
          "Inconsistency error within an element in Group #13 (Elements 8, 52 and 54.)"),
};

// The record number: printed at the head of a listing line, never checked.
constexpr int kRecordNumberElement = 4;

// The entry of an element (category 0) or race category; not constant for
// one that does not exist, so a wrong number in a constant fails to compile.
constexpr const ElementEntry& entry(int element, char category = '\0') {
    return *findElement(kElements, element, category);
}
// The first and last column of an element, fixed when compiled.
consteval int columnOf(int element, char category = '\0') { return entry(element, category).first(); }
consteval int lastColumnOf(int element, char category = '\0') { return entry(element, category).last(); }
constexpr const GroupEntry& groupEntry(int number) { return *findGroup(kGroups, number); }
constexpr char groupLetter(int number) { return groupEntry(number).letter; }

// The entry at a cell, or nullptr.
const ElementEntry* entryAtCell(int cell);

// Slots of the summary tally table, by what they watch. Slots 8, 61 and 65
// are not used.
namespace slot {
enum Slot : std::uint8_t {
    StateCode = 0,     // element 1 never valid
    ReportPeriod = 1,  // element 2 the same in every record
    LocalAgency = 2,
    BlankRecordNumbers = 3,  // element 4 all blanks, counted to two
    ReviewDate = 4,
    ChildBirthYear = 5,
    Gender = 6,
    ChildRaceUnableShare = 7,      // share of 8f coded 1
    ChildHispanicUnableShare = 9,  // share of element 9 coded 3
    ChildHispanicYes = 10,         // element 9 coded 1 in every record
    HasDisability = 11,            // elements 10 to 15 coded 1 in every record
    MentalRetardation = 12,
    VisuallyHearingImpaired = 13,
    PhysicallyDisabled = 14,
    EmotionallyDisturbed = 15,
    OtherCondition = 16,
    PreviouslyAdoptedShare = 17,  // share of element 16 coded 1
    PreviouslyAdoptedUnableShare = 18,
    AdoptionAge = 19,
    AdoptionAgeUnableShare = 20,
    FirstRemovalYear = 21,
    RemovalsOverTen = 22,  // element 19 above 10 in every record
    Removals = 23,
    PreviousDischargeYear = 24,
    LatestRemovalYear = 25,
    RemovalTransactionYear = 26,
    PlacementYear = 27,
    PlacementsOverTen = 28,
    Placements = 29,
    RemovalVoluntary = 30,  // element 25 coded 1, 3 in every record
    RemovalNotYetDetermined = 31,
    PhysicalAbuse = 32,  // elements 26 to 40 coded 1 in every record
    SexualAbuse = 33,
    Neglect = 34,
    ParentalAlcoholAbuse = 35,
    ParentalDrugAbuse = 36,
    ChildAlcoholAbuse = 37,
    ChildDrugAbuse = 38,
    ChildDisability = 39,
    ChildBehaviorProblem = 40,
    DeathOfParent = 41,
    IncarcerationOfParent = 42,
    CaretakerInabilityToCope = 43,
    Abandonment = 44,
    Relinquishment = 45,
    InadequateHousing = 46,
    PlacementSetting = 47,
    PlacedOutOfState = 48,
    CasePlanGoal = 49,
    CaretakerFamily = 50,
    CaretakerFamilyUnableShare = 51,
    FirstCaretakerBirthYear = 52,
    SecondCaretakerBirthYear = 53,
    CaretakersBirthYears = 54,  // elements 45 and 46 alike in every record
    MotherTprYear = 55,
    ParentsTprDates = 56,  // elements 47 and 48 alike in every record
    FatherTprYear = 57,
    FosterFamily = 58,
    FirstFosterCaretakerBirthYear = 59,
    SecondFosterCaretakerBirthYear = 60,
    FirstFosterCaretakerRaceUnableShare = 62,
    FirstFosterCaretakerHispanic = 63,
    FirstFosterCaretakerHispanicUnableShare = 64,
    SecondFosterCaretakerRaceUnableShare = 66,
    SecondFosterCaretakerHispanic = 67,
    SecondFosterCaretakerHispanicUnableShare = 68,
    DischargeDate = 69,
    DischargeTransactionDate = 70,
    DischargeReason = 71,
    NoTitleIveFosterCare = 72,  // element 59 coded 0 in every record
    TitleIveAdoption = 73,
    TitleIvaAfdc = 74,
    TitleIvdChildSupport = 75,
    NoMedicaid = 76,  // element 63 coded 0 in every record
    Ssi = 77,
    NoneOfTheAbove = 78,  // element 65 coded 1 in every record
    MonthlyAmount = 79,
    ChildAmericanIndian = 80,  // categories a-e coded 1 in every record
    ChildAsian = 81,
    ChildBlack = 82,
    ChildNativeHawaiian = 83,
    ChildWhite = 84,
    FirstFosterCaretakerAmericanIndian = 85,
    FirstFosterCaretakerAsian = 86,
    FirstFosterCaretakerBlack = 87,
    FirstFosterCaretakerNativeHawaiian = 88,
    FirstFosterCaretakerWhite = 89,
    SecondFosterCaretakerAmericanIndian = 90,
    SecondFosterCaretakerAsian = 91,
    SecondFosterCaretakerBlack = 92,
    SecondFosterCaretakerNativeHawaiian = 93,
    SecondFosterCaretakerWhite = 94,
    ChildMultiRacial = 95,  // records with two or more of races a-e
    FirstFosterCaretakerMultiRacial = 96,
    SecondFosterCaretakerMultiRacial = 97,
    Count = 98,
};
}  // namespace slot

}  // namespace vortel::fostercare
