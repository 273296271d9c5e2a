// The adoption catalogue: every element of the adoption detail record (111
// columns) with its cell, columns, name and test; the consistency groups
// with their letters and legend; the names of the summary tally slots.
#pragma once

#include <cstdint>

#include "catalogue/catalogue_entry.h"

namespace vortel::adoption {

// The rows are written with short names for the blank states and tests.
namespace catalogue_rows {
using T = ElementTest;
constexpr char M = kMissing;
constexpr char P = kPendingBlank;
constexpr std::int32_t kEarliest = 19000101;

// In column order, which is also the order of the element checks and of
// the data errors table. The three full dates are blank when their year
// and month are blank.
inline constexpr ElementEntry kElements[] = {
    element(fieldElement(1, 1, 2, M, T::StateCode), "State FIPS code"),
    element(fieldElement(2, 3, 8, M, T::ReportPeriod), "Report period end date"),
    unchecked(3, 9, 20, "Record number"),
    element(codeElement(4, 21, M, "12"), "State agency involvement"),
    element(fieldElement(5, 22, 27, M, T::YearMonth), "Child's birth date"),
    element(codeElement(6, 28, M, "12"), "Gender"),
    raceElement(7, 29, "Child's race"),
    raceCategory(7, 'a', kChildRaceA, 29, M, "Child's race: American Indian or Alaska Native"),
    raceCategory(7, 'b', kChildRaceA, 30, M, "Child's race: Asian"),
    raceCategory(7, 'c', kChildRaceA, 31, M, "Child's race: Black or African American"),
    raceCategory(7, 'd', kChildRaceA, 32, M, "Child's race: Native Hawaiian or Other Pacific Islander"),
    raceCategory(7, 'e', kChildRaceA, 33, M, "Child's race: White"),
    raceCategory(7, 'f', kChildRaceA, 34, M, "Child's race: unable to determine"),
    element(codeElement(8, 35, M, "123"), "Child's Hispanic or Latino origin"),
    element(codeElement(9, 36, M, "12"), "Determination of special needs"),
    element(codeElement(10, 37, P, "012345"), "Primary basis for determining special needs"),
    element(codeElement(11, 38, P, "01"), "Mental retardation"),
    element(codeElement(12, 39, P, "01"), "Visually/hearing impaired"),
    element(codeElement(13, 40, P, "01"), "Physically disabled"),
    element(codeElement(14, 41, P, "01"), "Emotionally disturbed"),
    element(codeElement(15, 42, P, "01"), "Other medically diagnosed condition"),
    element(fieldElement(16, 43, 46, P, T::Year), "Birth year of the mother"),
    element(fieldElement(17, 47, 50, P, T::Year), "Birth year of the father"),
    element(codeElement(18, 51, M, "123"), "Marital status of the mother at the time of the child's birth"),
    element({19, 52, 59, 57, M, T::Date, {}, kEarliest, 0}, "TPR date for the mother"),
    element({20, 60, 67, 65, M, T::Date, {}, kEarliest, 0}, "TPR date for the father"),
    element({21, 68, 75, 73, M, T::Date, {}, 19941001, 0}, "Legalization date"),
    element(codeElement(22, 76, M, "1234"), "Adoptive family structure"),
    element(fieldElement(23, 77, 80, P, T::Year), "Birth year of the adoptive mother"),
    element(fieldElement(24, 81, 84, P, T::Year), "Birth year of the adoptive father"),
    raceElement(25, 85, "Adoptive mother's race"),
    raceCategory(25, 'a', kMotherRaceA, 85, P, "Adoptive mother's race: American Indian or Alaska Native"),
    raceCategory(25, 'b', kMotherRaceA, 86, P, "Adoptive mother's race: Asian"),
    raceCategory(25, 'c', kMotherRaceA, 87, P, "Adoptive mother's race: Black or African American"),
    raceCategory(25, 'd', kMotherRaceA, 88, P, "Adoptive mother's race: Native Hawaiian or Other Pacific Islander"),
    raceCategory(25, 'e', kMotherRaceA, 89, P, "Adoptive mother's race: White"),
    raceCategory(25, 'f', kMotherRaceA, 90, P, "Adoptive mother's race: unable to determine"),
    element(codeElement(26, 91, P, "0123"), "Adoptive mother's Hispanic or Latino origin"),
    raceElement(27, 92, "Adoptive father's race"),
    raceCategory(27, 'a', kFatherRaceA, 92, P, "Adoptive father's race: American Indian or Alaska Native"),
    raceCategory(27, 'b', kFatherRaceA, 93, P, "Adoptive father's race: Asian"),
    raceCategory(27, 'c', kFatherRaceA, 94, P, "Adoptive father's race: Black or African American"),
    raceCategory(27, 'd', kFatherRaceA, 95, P, "Adoptive father's race: Native Hawaiian or Other Pacific Islander"),
    raceCategory(27, 'e', kFatherRaceA, 96, P, "Adoptive father's race: White"),
    raceCategory(27, 'f', kFatherRaceA, 97, P, "Adoptive father's race: unable to determine"),
    element(codeElement(28, 98, P, "0123"), "Adoptive father's Hispanic or Latino origin"),
    element(codeElement(29, 99, P, "01"), "Child was adopted by a stepparent"),
    element(codeElement(30, 100, P, "01"), "Child was adopted by another relative"),
    element(codeElement(31, 101, P, "01"), "Child was adopted by a foster parent"),
    element(codeElement(32, 102, P, "01"), "Child was adopted by another non-relative"),
    element(codeElement(33, 103, M, "123"), "Child was adopted from another country"),
    element(codeElement(34, 104, M, "12345"), "Child was placed by"),
    element(codeElement(35, 105, M, "12"), "Subsidy is being paid on behalf of the child"),
    element(fieldElement(36, 106, 110, M, T::Range, 0, 99999), "Monthly subsidy amount"),
    element(codeElement(37, 111, M, "12"), "Child is receiving adoption assistance"),
};

}  // namespace catalogue_rows
using catalogue_rows::kElements;

// Group #1 is the date pairs; its elements are the dates and years they compare.
inline constexpr GroupEntry kGroups[] = {
    group(1, 'a', "dates and years", {2, 5, 16, 17, 19, 20, 21, 23, 24},
          "Most likely error causing inconsistency in Group #1 (Elements 2, 5, 16, 17, 19 - 21, 23,\n"
          "         and 24.)"),
    group(2, 'b', "State agency involvement", {4, 31, 34, 35},
          "Most likely error causing inconsistency in Group #2 (Elements 4, 31, 34, and 35.)"),
    group(3, 'c', "special needs", {9, 10, 11, 12, 13, 14, 15},
          "Most likely error causing inconsistency in Group #3 (Elements 9 - 15.)"),
    group(4, 'd', "adoptive family structure and adoptive parents", {22, 23, 24, 25, 26, 27, 28},
          "Most likely error causing inconsistency in Group #4 (Elements 22 - 28.)"),
    group(5, 'e', "kind of adoptive relationship", {29, 30, 31, 32},
          "Most likely error causing inconsistency in Group #5 (Elements 29 - 32.)"),
    group(6, 'f', "subsidy", {35, 36, 37}, "Most likely error causing inconsistency in Group #6 (Elements 35 - 37.)"),
    group(7, 'g', "within the race elements", {7, 25, 27},
          "Inconsistency error within an element in Group #7 (Elements 7, 25 and 27.)"),
};

// The record number: printed at the head of a listing line, never checked.
constexpr int kRecordNumberElement = 3;

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

// Slots of the summary tally table, by what they watch. Slots 6, 34 and 38
// are not used.
namespace slot {
enum Slot : std::uint8_t {
    StateCode = 0,            // element 1 never valid
    ReportPeriod = 1,         // element 2 the same in every record
    BlankRecordNumbers = 2,   // element 3 all blanks, counted to two
    NoAgencyInvolvement = 3,  // element 4 coded 2 in every record
    ChildBirthYear = 4,
    Gender = 5,
    ChildRaceUnableShare = 7,      // share of 7f coded 1
    ChildHispanicYes = 8,          // element 8 coded 1 in every record
    ChildHispanicUnableShare = 9,  // share of element 8 coded 3
    SpecialNeeds = 10,
    SpecialNeedsBasis = 11,
    MentalRetardation = 12,  // elements 11 to 15 coded 1 in every record
    VisuallyHearingImpaired = 13,
    PhysicallyDisabled = 14,
    EmotionallyDisturbed = 15,
    OtherCondition = 16,
    MotherBirthYear = 17,
    MotherBirthYearBlankShare = 18,
    ParentsBirthYears = 19,  // elements 16 and 17 alike in every record
    FatherBirthYear = 20,
    FatherBirthYearBlankShare = 21,
    MaritalStatus = 22,
    MaritalStatusUnableShare = 23,
    MotherTprDate = 24,
    ParentsTprDates = 25,  // elements 19 and 20 alike in every record
    FatherTprDate = 26,
    LegalizationDate = 27,
    FamilyUnmarriedCouple = 28,  // element 22 coded 2, 3, 4 in every record
    FamilySingleFemale = 29,
    FamilySingleMale = 30,
    AdoptiveMotherBirthYear = 31,
    AdoptiveParentsBirthYears = 32,
    AdoptiveFatherBirthYear = 33,
    AdoptiveMotherRaceUnableShare = 35,
    AdoptiveMotherHispanic = 36,
    AdoptiveMotherHispanicUnableShare = 37,
    AdoptiveFatherRaceUnableShare = 39,
    AdoptiveFatherHispanic = 40,
    AdoptiveFatherHispanicUnableShare = 41,
    ByStepparent = 42,  // elements 29, 30, 32 coded 1, 31 coded 0
    ByOtherRelative = 43,
    NotByFosterParent = 44,
    ByOtherNonRelative = 45,
    FromAnotherCountry = 46,     // element 33 coded 3
    PlacedByPrivateAgency = 47,  // element 34 coded 2, 3, 4, 5
    PlacedByTribalAgency = 48,
    PlacedByIndependentPerson = 49,
    PlacedByBirthParent = 50,
    NoSubsidy = 51,  // element 35 coded 2
    SubsidyAmount = 52,
    NoAdoptionAssistance = 53,  // element 37 coded 2
    ChildAmericanIndian = 54,   // categories a-e coded 1 in every record
    ChildAsian = 55,
    ChildBlack = 56,
    ChildNativeHawaiian = 57,
    ChildWhite = 58,
    AdoptiveMotherAmericanIndian = 59,
    AdoptiveMotherAsian = 60,
    AdoptiveMotherBlack = 61,
    AdoptiveMotherNativeHawaiian = 62,
    AdoptiveMotherWhite = 63,
    AdoptiveFatherAmericanIndian = 64,
    AdoptiveFatherAsian = 65,
    AdoptiveFatherBlack = 66,
    AdoptiveFatherNativeHawaiian = 67,
    AdoptiveFatherWhite = 68,
    ChildMultiRacial = 69,  // records with two or more of races a-e
    AdoptiveMotherMultiRacial = 70,
    AdoptiveFatherMultiRacial = 71,
    Count = 72,
};
}  // namespace slot

}  // namespace vortel::adoption
