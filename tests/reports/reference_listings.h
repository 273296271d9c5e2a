// Reference listings of the two tally tables and the two message tables,
// written out independently of the program's tables, one row per line:
//   tally:   slot | element | columns | kind | reference at start | threshold | updated only when
//   message: slot | rule | message (C escapes; two pieces joined by "then")
#pragma once

namespace vortel::testing {

// Adoption tally table, in visiting order.
inline constexpr const char* kAdoptionTallyListing = R"LIST(
| 0 | 1 | 1-2 | same text | two blanks | 100 | |
| 1 | 2 | 3-8 | same date (year, month) | empty | 100 | |
| 2 | 3 | 9-20 | blank count | twelve blanks | 100 | slot 2's matchCount is at most 1 |
| 3 | 4 | 21 | same code | 2 | 100 | |
| 4 | 5 | 22-25 | same date (year) | empty | 100 | |
| 5 | 6 | 28 | same code | empty | 100 | |
| 54 | 7a | 29 | same code | 1 | 100 | |
| 55 | 7b | 30 | same code | 1 | 100 | |
| 56 | 7c | 31 | same code | 1 | 100 | |
| 57 | 7d | 32 | same code | 1 | 100 | |
| 58 | 7e | 33 | same code | 1 | 100 | |
| 7 | 7f | 34 | code share | 1 | 5 | |
| 69 | 7a-7f | 29-34 | multi-racial | (none) | 100 | |
| 8 | 8 | 35 | same code | 1 | 100 | |
| 9 | 8 | 35 | code share | 3 | 5 | |
| 10 | 9 | 36 | same code | empty | 100 | |
| 11 | 10 | 37 | same code | empty | 100 | column 37 does not hold 0 |
| 12 | 11 | 38 | same code | 1 | 100 | |
| 13 | 12 | 39 | same code | 1 | 100 | |
| 14 | 13 | 40 | same code | 1 | 100 | |
| 15 | 14 | 41 | same code | 1 | 100 | |
| 16 | 15 | 42 | same code | 1 | 100 | |
| 17 | 16 | 43-46 | same date (year) | empty | 100 | |
| 18 | 16 | 43-46 | blank share | four blanks | 10 | |
| 19 | 16 and 17 | 43-46 with 47-50 | same pair (year) | (none) | 100 | |
| 20 | 17 | 47-50 | same date (year) | empty | 100 | |
| 21 | 17 | 47-50 | blank share | four blanks | 10 | |
| 22 | 18 | 51 | same code | empty | 100 | |
| 23 | 18 | 51 | code share | 3 | 10 | |
| 24 | 19 | 52-59 | same date (year, month, day) | empty | 100 | |
| 25 | 19 and 20 | 52-59 with 60-67 | same pair (year, month, day) | (none) | 100 | |
| 26 | 20 | 60-67 | same date (year, month, day) | empty | 100 | |
| 27 | 21 | 68-75 | same date (year, month, day) | empty | 100 | |
| 28 | 22 | 76 | same code | 2 | 100 | |
| 29 | 22 | 76 | same code | 3 | 100 | |
| 30 | 22 | 76 | same code | 4 | 100 | |
| 31 | 23 | 77-80 | same date (year) | empty | 100 | |
| 32 | 23 and 24 | 77-80 with 81-84 | same pair (year) | (none) | 100 | |
| 33 | 24 | 81-84 | same date (year) | empty | 100 | |
| 59 | 25a | 85 | same code | 1 | 100 | |
| 60 | 25b | 86 | same code | 1 | 100 | |
| 61 | 25c | 87 | same code | 1 | 100 | |
| 62 | 25d | 88 | same code | 1 | 100 | |
| 63 | 25e | 89 | same code | 1 | 100 | |
| 35 | 25f | 90 | code share | 1 | 10 | |
| 70 | 25a-25f | 85-90 | multi-racial | (none) | 100 | |
| 36 | 26 | 91 | same code | empty | 100 | column 91 does not hold 0 |
| 37 | 26 | 91 | code share | 3 | 10 | column 91 does not hold 0 |
| 64 | 27a | 92 | same code | 1 | 100 | |
| 65 | 27b | 93 | same code | 1 | 100 | |
| 66 | 27c | 94 | same code | 1 | 100 | |
| 67 | 27d | 95 | same code | 1 | 100 | |
| 68 | 27e | 96 | same code | 1 | 100 | |
| 39 | 27f | 97 | code share | 1 | 10 | |
| 71 | 27a-27f | 92-97 | multi-racial | (none) | 100 | |
| 40 | 28 | 98 | same code | empty | 100 | column 98 does not hold 0 |
| 41 | 28 | 98 | code share | 3 | 10 | column 98 does not hold 0 |
| 42 | 29 | 99 | same code | 1 | 100 | |
| 43 | 30 | 100 | same code | 1 | 100 | |
| 44 | 31 | 101 | same code | 0 | 100 | |
| 45 | 32 | 102 | same code | 1 | 100 | |
| 46 | 33 | 103 | same code | 3 | 100 | |
| 47 | 34 | 104 | same code | 2 | 100 | |
| 48 | 34 | 104 | same code | 3 | 100 | |
| 49 | 34 | 104 | same code | 4 | 100 | |
| 50 | 34 | 104 | same code | 5 | 100 | |
| 51 | 35 | 105 | same code | 2 | 100 | |
| 52 | 36 | 106-110 | same number | empty | 100 | |
| 53 | 37 | 111 | same code | 2 | 100 | |
)LIST";

// Foster care tally table, in visiting order.
inline constexpr const char* kFosterCareTallyListing = R"LIST(
| 0 | 1 | 1-2 | same text | two blanks | 100 | |
| 1 | 2 | 3-8 | same date (year, month) | empty | 100 | |
| 2 | 3 | 9-13 | same text | empty | 100 | |
| 3 | 4 | 14-25 | blank count | twelve blanks | 100 | slot 3's matchCount is at most 1 |
| 4 | 5 | 26-33 | same date (year, month, day) | empty | 100 | |
| 5 | 6 | 34-37 | same date (year) | empty | 100 | |
| 6 | 7 | 42 | same code | empty | 100 | |
| 80 | 8a | 43 | same code | 1 | 100 | |
| 81 | 8b | 44 | same code | 1 | 100 | |
| 82 | 8c | 45 | same code | 1 | 100 | |
| 83 | 8d | 46 | same code | 1 | 100 | |
| 84 | 8e | 47 | same code | 1 | 100 | |
| 7 | 8f | 48 | code share | 1 | 5 | |
| 95 | 8a-8f | 43-48 | multi-racial | (none) | 100 | |
| 9 | 9 | 49 | code share | 3 | 5 | |
| 10 | 9 | 49 | same code | 1 | 100 | |
| 11 | 10 | 50 | same code | 1 | 100 | |
| 12 | 11 | 51 | same code | 1 | 100 | |
| 13 | 12 | 52 | same code | 1 | 100 | |
| 14 | 13 | 53 | same code | 1 | 100 | |
| 15 | 14 | 54 | same code | 1 | 100 | |
| 16 | 15 | 55 | same code | 1 | 100 | |
| 17 | 16 | 56 | code share | 1 | 5 | |
| 18 | 16 | 56 | code share | 3 | 5 | |
| 19 | 17 | 57 | same code | empty | 100 | column 57 does not hold 0 |
| 20 | 17 | 57 | code share | 5 | 5 | column 57 does not hold 0 |
| 21 | 18 | 58-61 | same date (year) | empty | 100 | |
| 22 | 19 | 66-67 | above | 10 | 100 | |
| 23 | 19 | 66-67 | same number | empty | 100 | |
| 24 | 20 | 68-71 | same date (year) | empty | 100 | |
| 25 | 21 | 76-79 | same date (year) | empty | 100 | |
| 26 | 22 | 84-87 | same date (year) | empty | 100 | |
| 27 | 23 | 92-95 | same date (year) | empty | 100 | |
| 28 | 24 | 100-101 | above | 10 | 100 | |
| 29 | 24 | 100-101 | same number | empty | 100 | |
| 30 | 25 | 102 | same code | 1 | 100 | |
| 31 | 25 | 102 | same code | 3 | 100 | |
| 32 | 26 | 103 | same code | 1 | 100 | |
| 33 | 27 | 104 | same code | 1 | 100 | |
| 34 | 28 | 105 | same code | 1 | 100 | |
| 35 | 29 | 106 | same code | 1 | 100 | |
| 36 | 30 | 107 | same code | 1 | 100 | |
| 37 | 31 | 108 | same code | 1 | 100 | |
| 38 | 32 | 109 | same code | 1 | 100 | |
| 39 | 33 | 110 | same code | 1 | 100 | |
| 40 | 34 | 111 | same code | 1 | 100 | |
| 41 | 35 | 112 | same code | 1 | 100 | |
| 42 | 36 | 113 | same code | 1 | 100 | |
| 43 | 37 | 114 | same code | 1 | 100 | |
| 44 | 38 | 115 | same code | 1 | 100 | |
| 45 | 39 | 116 | same code | 1 | 100 | |
| 46 | 40 | 117 | same code | 1 | 100 | |
| 47 | 41 | 118 | same code | empty | 100 | |
| 48 | 42 | 119 | same code | 1 | 100 | |
| 49 | 43 | 120 | same code | empty | 100 | |
| 50 | 44 | 121 | same code | empty | 100 | |
| 51 | 44 | 121 | code share | 5 | 10 | |
| 52 | 45 | 122-125 | same date (year) | empty | 100 | |
| 53 | 46 | 126-129 | same date (year) | empty | 100 | |
| 54 | 45 and 46 | 122-125 with 126-129 | same pair (year) | (none) | 100 | |
| 55 | 47 | 130-133 | same date (year) | empty | 100 | |
| 56 | 47 and 48 | 130-137 with 138-145 | same pair (year, month, day) | (none) | 100 | |
| 57 | 48 | 138-141 | same date (year) | empty | 100 | |
| 58 | 49 | 146 | same code | empty | 100 | column 146 does not hold 0 |
| 59 | 50 | 147-150 | same date (year) | empty | 100 | |
| 60 | 51 | 151-154 | same date (year) | empty | 100 | |
| 85 | 52a | 155 | same code | 1 | 100 | |
| 86 | 52b | 156 | same code | 1 | 100 | |
| 87 | 52c | 157 | same code | 1 | 100 | |
| 88 | 52d | 158 | same code | 1 | 100 | |
| 89 | 52e | 159 | same code | 1 | 100 | |
| 62 | 52f | 160 | code share | 1 | 10 | |
| 96 | 52a-52f | 155-160 | multi-racial | (none) | 100 | |
| 63 | 53 | 161 | same code | empty | 100 | column 161 does not hold 0 |
| 64 | 53 | 161 | code share | 3 | 10 | column 161 does not hold 0 |
| 90 | 54a | 162 | same code | 1 | 100 | |
| 91 | 54b | 163 | same code | 1 | 100 | |
| 92 | 54c | 164 | same code | 1 | 100 | |
| 93 | 54d | 165 | same code | 1 | 100 | |
| 94 | 54e | 166 | same code | 1 | 100 | |
| 66 | 54f | 167 | code share | 1 | 10 | |
| 97 | 54a-54f | 162-167 | multi-racial | (none) | 100 | |
| 67 | 55 | 168 | same code | empty | 100 | column 168 does not hold 0 |
| 68 | 55 | 168 | code share | 3 | 10 | column 168 does not hold 0 |
| 69 | 56 | 169-176 | same date (year, month, day) | empty | 100 | |
| 70 | 57 | 177-184 | same date (year, month, day) | empty | 100 | |
| 71 | 58 | 185 | same code | empty | 100 | column 185 does not hold 0 |
| 72 | 59 | 186 | same code | 0 | 100 | |
| 73 | 60 | 187 | same code | empty | 100 | |
| 74 | 61 | 188 | same code | empty | 100 | |
| 75 | 62 | 189 | same code | empty | 100 | |
| 76 | 63 | 190 | same code | 0 | 100 | |
| 77 | 64 | 191 | same code | empty | 100 | |
| 78 | 65 | 192 | same code | 1 | 100 | |
| 79 | 66 | 193-197 | same number | empty | 100 | |
)LIST";

// Adoption summary messages, in writing order.
inline constexpr const char* kAdoptionMessageListing = R"LIST(
| 0 | none | "\nElement 01:  No valid information submitted for State FIPS code." |
| 1 | not same | "\nElement 02:  All records do not have the same report period end date." |
| 1 | none | "\nElement 02:  No valid information submitted for report period end date." |
| 2 | repeated blank | "\nElement 03:  More than 1 record has all blanks in record number." |
| 3 | same | "\nElement 04:  All records are coded as having no State agency involvement." |
| 3 | none | "\nElement 04:  No valid information submitted for State agency involvement." |
| 4 | same | "\nElement 05:  All records have the same child's birth YEAR." |
| 4 | none | "\nElement 05:  No valid information submitted for child's birth date." |
| 5 | same | "\nElement 06:  All records have the same gender." |
| 5 | none | "\nElement 06:  No valid information submitted for gender." |
| 69 | multi | "\nElement 07:  %d record(s) of %d valid record(s) (%6.2f%%) have the child's race" then "\n\t\t\t as multi-racial." |
| 69 | none | "\nElement 07:  No valid information submitted for the child's race." |
| 69 | no multi | "\nElement 07:  No records have the child's race as multi-racial." |
| 54 | same | "\nElement 07a: All records indicate \"American Indian or Alaska Native\" as a child's race." |
| 54 | none | "\nElement 07a: No valid information submitted for the \"American Indian or Alaska Native\"" then "\n\t\t\t category for the child's race." |
| 55 | same | "\nElement 07b: All records indicate \"Asian\" as a child's race." |
| 55 | none | "\nElement 07b: No valid information submitted for the \"Asian\" category for the child's race." |
| 56 | same | "\nElement 07c: All records indicate \"Black or African American\" as a child's race." |
| 56 | none | "\nElement 07c: No valid information submitted for the \"Black or African American\" category " then "\n\t\t\t for the child's race." |
| 57 | same | "\nElement 07d: All records indicate \"Native Hawaiian or Other Pacific Islander\" as a child's race." |
| 57 | none | "\nElement 07d: No valid information submitted for the \"Native Hawaiian or Other Pacific Islander\"" then "\n\t\t\t category for the child's race." |
| 58 | same | "\nElement 07e: All records indicate \"White\" as a child's race." |
| 58 | none | "\nElement 07e: No valid information submitted for the \"White\" category for the child's race." |
| 7 | over threshold | "\nElement 07f: %6.2f%% of the records have child's race coded as \"unable to determine.\"" |
| 8 | same | "\nElement 08:  All records have child's Hispanic or Latino origin coded as \"yes.\"" |
| 8 | none | "\nElement 08:  No valid information submitted for child's Hispanic or Latino origin." |
| 9 | over threshold | "\nElement 08:  %6.2f%% of the records have child's Hispanic or Latino origin coded as" then "\n             \"unable to determine.\"" |
| 10 | same | "\nElement 09:  All records have the same determination of special needs." |
| 10 | none | "\nElement 09:  No valid information submitted for determination of special needs." |
| 11 | same | "\nElement 10:  All records have the same primary basis for determining special" then "\n             needs." |
| 11 | none | "\nElement 10:  No valid information submitted for primary basis for determining special" then "\n             needs." |
| 12 | same | "\nElement 11:  All records indicate the child has mental retardation." |
| 12 | none | "\nElement 11:  No valid information submitted for mental retardation." |
| 13 | same | "\nElement 12:  All records indicate the child is visually/hearing impaired." |
| 13 | none | "\nElement 12:  No valid information submitted for visually/hearing impaired." |
| 14 | same | "\nElement 13:  All records indicate the child is physically disabled." |
| 14 | none | "\nElement 13:  No valid information submitted for physically disabled." |
| 15 | same | "\nElement 14:  All records indicate the child is emotionally disturbed." |
| 15 | none | "\nElement 14:  No valid information submitted for emotionally disturbed." |
| 16 | same | "\nElement 15:  All records indicate the child has another medically diagnosed" then "\n             condition." |
| 16 | none | "\nElement 15:  No valid information submitted for another medically diagnosed condition." |
| 17 | same | "\nElement 16:  All records have the same birth year for the mother." |
| 17 | none, blank share not 100 (slot 18) | "\nElement 16:  No valid information submitted for birth year for the mother." |
| 19 | same | "\nElement 16 and 17: All records have the same birth year for both parents." |
| 18 | over threshold | "\nElement 16:  %6.2f%% of the records have the mother's birth year blank." |
| 20 | same | "\nElement 17:  All records have the same birth year for the father." |
| 20 | none, blank share not 100 (slot 21) | "\nElement 17:  No valid information submitted for birth year for the father." |
| 21 | over threshold | "\nElement 17:  %6.2f%% of the records have the father's birth year blank." |
| 22 | same | "\nElement 18:  All records have the same marital status for the mother at the" then "\n             time of the child's birth." |
| 22 | none | "\nElement 18:  No valid information submitted for marital status for the mother at the" then "\n             time of the child's birth." |
| 23 | over threshold | "\nElement 18:  %6.2f%% of the records have \"unable to determine\" as the marital" then "\n             status for the mother at the time of the child's birth." |
| 25 | same | "\nElement 19 and 20: All records have the same TPR date for both parents." |
| 24 | same | "\nElement 19:  All records have the same TPR date for the mother." |
| 24 | none | "\nElement 19:  No valid information submitted for TPR date for the mother." |
| 26 | same | "\nElement 20:  All records have the same TPR date for the father." |
| 26 | none | "\nElement 20:  No valid information submitted for TPR date for the father." |
| 27 | same | "\nElement 21:  All records have the same legalization date." |
| 27 | none | "\nElement 21:  No valid information submitted for legalization date." |
| 28 | same | "\nElement 22:  All records have the adoptive family structure coded as \"unmarried" then "\n             couple.\"" |
| 28 | none | "\nElement 22:  No valid information submitted for adoptive family structure." |
| 29 | same | "\nElement 22:  All records have the adoptive family structure coded as \"single" then "\n             female.\"" |
| 30 | same | "\nElement 22:  All records have the adoptive family structure coded as \"single" then "\n             male.\"" |
| 32 | same | "\nElement 23 and 24: All records have the same birth year for the adoptive" then "\n             mother and father." |
| 31 | same | "\nElement 23:  All records have the same birth year for the adoptive mother." |
| 31 | none | "\nElement 23:  No valid information submitted for birth year for the adoptive mother." |
| 33 | same | "\nElement 24:  All records have the same birth year for the adoptive father." |
| 33 | none | "\nElement 24:  No valid information submitted for birth year for the adoptive father." |
| 70 | multi | "\nElement 25:  %d record(s) of %d valid record(s) (%6.2f%%) have the adoptive" then "\n\t\t\t mother's race as multi-racial." |
| 70 | none | "\nElement 25:  No valid information submitted for the race of the adoptive mother." |
| 70 | no multi | "\nElement 25:  No records have the adoptive mother's race as multi-racial." |
| 59 | same | "\nElement 25a: All records indicate \"American Indian or Alaska Native\" for the" then "\n\t\t\t adoptive mother's race." |
| 59 | none | "\nElement 25a: No valid information submitted for the \"American Indian or Alaska Native\"" then "\n\t\t\t category for the race of the adoptive mother." |
| 60 | same | "\nElement 25b: All records indicate \"Asian\" for the adoptive mother's race." |
| 60 | none | "\nElement 25b: No valid information submitted for the \"Asian\" category for the race" then "\n\t\t\t of the adoptive mother." |
| 61 | same | "\nElement 25c: All records indicate \"Black or African American\" for the adoptive" then "\n\t\t\t mother's race." |
| 61 | none | "\nElement 25c: No valid information submitted for the \"Black or African American\"" then "\n\t\t\t category for the race of the adoptive mother." |
| 62 | same | "\nElement 25d: All records indicate \"Native Hawaiian or Other Pacific Islander\"" then "\n\t\t\t for the adoptive mother's race." |
| 62 | none | "\nElement 25d: No valid information submitted for the \"Native Hawaiian or Other Pacific Islander\"" then "\n\t\t\t category for the race of the adoptive mother." |
| 63 | same | "\nElement 25e: All records indicate \"White\" for the adoptive mother's race." |
| 63 | none | "\nElement 25e: No valid information submitted for the \"White category\" for the  race of the adoptive mother." |
| 35 | over threshold | "\nElement 25f: %6.2f%% of the records have the adoptive mother's race coded as" then "\n             \"unable to determine.\"" |
| 37 | over threshold | "\nElement 26:  %6.2f%% of the records have the adoptive mother's Hispanic or Latino origin" then "\n             coded as \"unable to determine.\"" |
| 36 | same | "\nElement 26:  All records have the same Hispanic or Latino origin code for the adoptive mother." |
| 36 | none | "\nElement 26:  No valid information submitted for Hispanic or Latino origin for the adoptive mother." |
| 71 | multi | "\nElement 27:  %d record(s) of %d valid record(s) (%6.2f%%) have the adoptive" then "\n\t\t\t father's race as multi-racial." |
| 71 | none | "\nElement 27:  No valid information submitted for the race of the adoptive father." |
| 71 | no multi | "\nElement 27:  No records have the adoptive father's race as multi-racial." |
| 64 | same | "\nElement 27a: All records indicate \"American Indian or Alaska Native\" for the" then "\n\t\t\t adoptive father's race." |
| 64 | none | "\nElement 27a: No valid information submitted for the \"American Indian or Alaska Native\"" then "\n\t\t\t category for the race of the adoptive father." |
| 65 | same | "\nElement 27b: All records indicate \"Asian\" for the adoptive father's race." |
| 65 | none | "\nElement 27b: No valid information submitted for the \"Asian\" category for the" then "\n\t\t\t race of the adoptive father." |
| 66 | same | "\nElement 27c: All records indicate \"Black or African American\" for the" then "\n\t\t\t adoptive father's race." |
| 66 | none | "\nElement 27c: No valid information submitted for the \"Black or African American\"" then "\n\t\t\t category for the race of the adoptive father." |
| 67 | same | "\nElement 27d: All records indicate \"Native Hawaiian or Other Pacific Islander\"" then "\n\t\t\t for the adoptive father's race." |
| 67 | none | "\nElement 27d: No valid information submitted for the \"Native Hawaiian or Other Pacific Island\"" then "\n\t\t\t category for the race of the adoptive father." |
| 68 | same | "\nElement 27e: All records indicate \"White\" for the adoptive father's race." |
| 68 | none | "\nElement 27e: No valid information submitted for the \"White\" category for the race" then "\n\t\t\t of the adoptive father." |
| 39 | over threshold | "\nElement 27f: %6.2f%% of the records have the adoptive father's race coded as" then "\n             \"unable to determine.\"" |
| 41 | over threshold | "\nElement 28:  %6.2f%% of the records have the adoptive father's Hispanic or Latino origin" then "\n             coded as \"unable to determine.\"" |
| 40 | same | "\nElement 28:  All records have the same Hispanic or Latino origin code for the adoptive father." |
| 40 | none | "\nElement 28:  No valid information submitted for Hispanic or Latino origin for the adoptive father." |
| 42 | same | "\nElement 29:  All records indicate the child was adopted by a stepparent." |
| 42 | none | "\nElement 29:  No valid information submitted for child was adopted by a stepparent." |
| 43 | same | "\nElement 30:  All records indicate the child was adopted by another relative." |
| 43 | none | "\nElement 30:  No valid information submitted for child was adopted by another relative." |
| 44 | same | "\nElement 31:  All records indicate the child was not adopted by a foster parent." |
| 44 | none | "\nElement 31:  No valid information submitted for child was adopted by a foster parent." |
| 45 | same | "\nElement 32:  All records indicate the child was adopted by another non-" then "\n             relative." |
| 45 | none | "\nElement 32:  No valid information submitted for child was adopted by another non-" then "\n             relative." |
| 46 | same | "\nElement 33:  All records indicate the child was adopted from another country." |
| 46 | none | "\nElement 33:  No valid information submitted for child was adopted from another country." |
| 47 | same | "\nElement 34:  All records indicate the child was placed by a private agency." |
| 47 | none | "\nElement 34:  No valid information submitted for child was placed by." |
| 48 | same | "\nElement 34:  All records indicate the child was placed by a tribal agency." |
| 49 | same | "\nElement 34:  All records indicate the child was placed by an independent person." |
| 50 | same | "\nElement 34:  All records indicate the child was placed by a birth parent." |
| 51 | same | "\nElement 35:  All records indicate that a subsidy is not being paid on behalf of" then "\n             the child." |
| 51 | none | "\nElement 35:  No valid information submitted for subsidy is being paid on behalf of" then "\n             the child." |
| 52 | same; the value is reference read as a number | "\nElement 36:  All records have the monthly subsidy amount as: %5ld." |
| 52 | none | "\nElement 36:  No valid information submitted for monthly subsidy amount." |
| 53 | same | "\nElement 37:  All records indicate that the child is not receiving adoption" then "\n             assistance." |
| 53 | none | "\nElement 37:  No valid information submitted for child is receiving adoption assistance." |
)LIST";

// Foster care summary messages, in writing order.
inline constexpr const char* kFosterCareMessageListing = R"LIST(
| 0 | none | "\nElement 01:  No valid information submitted for State FIPS code." |
| 1 | not same | "\nElement 02:  All records do not have the same report period end date." |
| 1 | none | "\nElement 02:  No valid information submitted for report period end date." |
| 2 | same | "\nElement 03:  All records have the same local agency FIPS code." |
| 2 | none | "\nElement 03:  No valid information submitted for local agency FIPS code." |
| 3 | repeated blank | "\nElement 04:  More than 1 record has all blanks in record number." |
| 4 | same | "\nElement 05:  All records have the same review date." |
| 4 | none | "\nElement 05:  No valid information submitted for review date." |
| 5 | same | "\nElement 06:  All records have the same child's birth YEAR." |
| 5 | none | "\nElement 06:  No valid information submitted for child's birth date." |
| 6 | same | "\nElement 07:  All records have the same gender." |
| 6 | none | "\nElement 07:  No valid information submitted for gender." |
| 95 | multi | "\nElement 08:  %d record(s) of %d valid record(s) (%6.2f%%) have the child's race" then "\n\t\t\t as multi-racial." |
| 95 | none | "\nElement 08:  No valid information submitted for the child's race." |
| 95 | no multi | "\nElement 08:  No records have the child's race as multi-racial." |
| 80 | same | "\nElement 08a: All records indicate \"American Indian or Alaska Native\" as a child's race." |
| 80 | none | "\nElement 08a: No valid information submitted for the \"American Indian or Alaska Native\"" then "\n\t\t\t category for the child's race." |
| 81 | same | "\nElement 08b: All records indicate \"Asian\" as a child's race." |
| 81 | none | "\nElement 08b: No valid information submitted for the \"Asian category\" for the child's race." |
| 82 | same | "\nElement 08c: All records indicate \"Black or African American\" as a child's race." |
| 82 | none | "\nElement 08c: No valid information submitted for the \"Black or African American\" category" then "\n\t\t\t for the child's race." |
| 83 | same | "\nElement 08d: All records indicate \"Native Hawaiian or other Pacific Islander\" as a child's race." |
| 83 | none | "\nElement 08d: No valid information submitted for the \"Native Hawaiian or Other Pacific Islander\"" then "\n\t\t\t category for the child's race." |
| 84 | same | "\nElement 08e: All records indicate \"White\" as a child's race." |
| 84 | none | "\nElement 08e: No valid information submitted for the \"White\" category for the child's race." |
| 7 | over threshold | "\nElement 08f: %6.2f%% of the records have child's race coded as \"unable to determine.\"" |
| 9 | over threshold | "\nElement 09:  %6.2f%% of the records have child's Hispanic or Latino origin coded as" then "\n             \"unable to determine.\"" |
| 9 | none | "\nElement 09:  No valid information submitted for child's Hispanic or Latino origin." |
| 10 | same | "\nElement 09:  All records have child's Hispanic or Latino origin coded as \"yes.\"" |
| 11 | same | "\nElement 10:  All records indicate the child has a disability." |
| 11 | none | "\nElement 10:  No valid information submitted for child has a disability." |
| 12 | same | "\nElement 11:  All records indicate the child has mental retardation." |
| 12 | none | "\nElement 11:  No valid information submitted for mental retardation." |
| 13 | same | "\nElement 12:  All records indicate the child is visually/hearing impaired." |
| 13 | none | "\nElement 12:  No valid information submitted for visually/hearing impaired." |
| 14 | same | "\nElement 13:  All records indicate the child is physically disabled." |
| 14 | none | "\nElement 13:  No valid information submitted for physically disabled." |
| 15 | same | "\nElement 14:  All records indicate the child is emotionally disturbed." |
| 15 | none | "\nElement 14:  No valid information submitted for emotionally disturbed." |
| 16 | same | "\nElement 15:  All records indicate the child has another medically diagnosed" then "\n             condition." |
| 16 | none | "\nElement 15:  No valid information submitted for another medically diagnosed condition." |
| 17 | over threshold | "\nElement 16:  %6.2f%% of the records indicate the child has been previously" then "\n             adopted." |
| 17 | none | "\nElement 16:  No valid information submitted for child has been previously adopted." |
| 18 | over threshold | "\nElement 16:  %6.2f%% of the records are coded as \"unable to determine\" for was" then "\n             the child previously adopted?" |
| 20 | over threshold | "\nElement 17:  %6.2f%% of the records have age at adoption coded as \"unable to" then "\n             determine.\"" |
| 19 | same | "\nElement 17:  All records indicate the child was previously adopted in the same" then "\n             age range." |
| 19 | none | "\nElement 17:  No valid information submitted for age of child when adopted." |
| 21 | same | "\nElement 18:  All records indicate the child was first removed in the same YEAR." |
| 21 | none | "\nElement 18:  No valid information submitted for first removal date." |
| 22 | same | "\nElement 19:  All records indicate that the child has had more than 10 removals." |
| 22 | none | "\nElement 19:  No valid information submitted for number of removals." |
| 23 | same | "\nElement 19:  All records have the same number of removals." |
| 24 | same | "\nElement 20:  All records have the same previous discharge YEAR." |
| 24 | none | "\nElement 20:  No valid information submitted for previous discharge date." |
| 25 | same | "\nElement 21:  All records have the same latest removal YEAR." |
| 25 | none | "\nElement 21:  No valid information submitted for latest removal date." |
| 26 | same | "\nElement 22:  All records have the same transaction YEAR." |
| 26 | none | "\nElement 22:  No valid information submitted for removal transaction date." |
| 27 | same | "\nElement 23:  All records have the same placement YEAR." |
| 27 | none | "\nElement 23:  No valid information submitted for placement date." |
| 28 | same | "\nElement 24:  All records indicate the child has had more than 10 settings in" then "\n             this episode." |
| 28 | none | "\nElement 24:  No valid information submitted for number of placements." |
| 29 | same | "\nElement 24:  All records have the same number of placements." |
| 30 | same | "\nElement 25:  All records have removal from home coded as \"voluntary.\"" |
| 30 | none | "\nElement 25:  No valid information submitted for removal from home." |
| 31 | same | "\nElement 25:  All records have removal from home coded as \"not yet determined.\"" |
| 32 | same | "\nElement 26:  All records indicate physical abuse as a condition associated with" then "\n             removal." |
| 32 | none | "\nElement 26:  No valid information submitted for physical abuse." |
| 33 | same | "\nElement 27:  All records indicate sexual abuse as a condition associated with" then "\n             removal." |
| 33 | none | "\nElement 27:  No valid information submitted for sexual abuse." |
| 34 | same | "\nElement 28:  All records indicate neglect as a condition associated with" then "\n             removal." |
| 34 | none | "\nElement 28:  No valid information submitted for neglect." |
| 35 | same | "\nElement 29:  All records indicate parental alcohol abuse as a condition" then "\n             associated with removal." |
| 35 | none | "\nElement 29:  No valid information submitted for parental alcohol abuse." |
| 36 | same | "\nElement 30:  All records indicate parental drug abuse as a condition associated" then "\n             with removal." |
| 36 | none | "\nElement 30:  No valid information submitted for parental drug abuse." |
| 37 | same | "\nElement 31:  All records indicate child's alcohol abuse as a condition" then "\n             associated with removal." |
| 37 | none | "\nElement 31:  No valid information submitted for child's alcohol abuse." |
| 38 | same | "\nElement 32:  All records indicate child's drug abuse as a condition associated" then "\n             with removal." |
| 38 | none | "\nElement 32:  No valid information submitted for child's drug abuse." |
| 39 | same | "\nElement 33:  All records indicate child's disability as a condition associated" then "\n             with removal." |
| 39 | none | "\nElement 33:  No valid information submitted for child's disability." |
| 40 | same | "\nElement 34:  All records indicate child's behavior problem as a condition" then "\n             associated with removal." |
| 40 | none | "\nElement 34:  No valid information submitted for child's behavior problem." |
| 41 | same | "\nElement 35:  All records indicate death of parent as a condition associated" then "\n             with removal." |
| 41 | none | "\nElement 35:  No valid information submitted for death of parent." |
| 42 | same | "\nElement 36:  All records indicate incarceration of parent as a condition" then "\n             associated with removal." |
| 42 | none | "\nElement 36:  No valid information submitted for incarceration of parent." |
| 43 | same | "\nElement 37:  All records indicate caretaker inability to cope as a condition" then "\n             associated with removal." |
| 43 | none | "\nElement 37:  No valid information submitted for caretaker inability to cope." |
| 44 | same | "\nElement 38:  All records indicate abandonment as a condition associated with" then "\n             removal." |
| 44 | none | "\nElement 38:  No valid information submitted for abandonment." |
| 45 | same | "\nElement 39:  All records indicate relinquishment as a condition associated with" then "\n             removal." |
| 45 | none | "\nElement 39:  No valid information submitted for relinquishment." |
| 46 | same | "\nElement 40:  All records indicate inadequate housing as a condition associated" then "\n             with removal." |
| 46 | none | "\nElement 40:  No valid information submitted for inadequate housing." |
| 47 | same | "\nElement 41:  All records have the same placement setting." |
| 47 | none | "\nElement 41:  No valid information submitted for placement setting." |
| 48 | same | "\nElement 42:  All records indicate the child is placed out of State." |
| 48 | none | "\nElement 42:  No valid information submitted for child is placed out of State." |
| 49 | same | "\nElement 43:  All records have the same case plan goal." |
| 49 | none | "\nElement 43:  No valid information submitted for case plan goal." |
| 51 | over threshold | "\nElement 44:  %6.2f%% of the records have caretaker family structure coded as" then "\n             \"unable to determine.\"" |
| 50 | same | "\nElement 44:  All records have the same primary caretaker family structure." |
| 50 | none | "\nElement 44:  No valid information submitted for primary caretaker family structure." |
| 54 | same | "\nElement 45 and 46: All records have the same birth year entered for both" then "\n             caretakers." |
| 52 | same | "\nElement 45:  All records have the same birth year entered for the 1st primary" then "\n             caretaker." |
| 52 | none | "\nElement 45:  No valid information submitted for birth year for the 1st primary" then "\n             caretaker." |
| 53 | same | "\nElement 46:  All records have the same birth year entered for the 2nd primary" then "\n             caretaker." |
| 53 | none | "\nElement 46:  No valid information submitted for birth year for the 2nd primary" then "\n             caretaker." |
| 55 | same | "\nElement 47:  All records have the same YEAR of TPR for the mother." |
| 55 | none | "\nElement 47:  No valid information submitted for TPR for the mother." |
| 56 | same | "\nElement 47 and 48: All records have the same YEAR of TPR for both parents." |
| 57 | same | "\nElement 48:  All records have the same YEAR of TPR for the father." |
| 57 | none | "\nElement 48:  No valid information submitted for TPR for the father." |
| 58 | same | "\nElement 49:  All records have the same foster family structure." |
| 58 | none | "\nElement 49:  No valid information submitted for foster family structure." |
| 59 | same | "\nElement 50:  All records have the same birth year for the 1st foster caretaker." |
| 59 | none | "\nElement 50:  No valid information submitted for birth year for the 1st foster caretaker." |
| 60 | same | "\nElement 51:  All records have the same birth year for the 2nd foster caretaker." |
| 60 | none | "\nElement 51:  No valid information submitted for birth year for the 2nd foster caretaker." |
| 96 | multi | "\nElement 52:  %d record(s) of %d valid record(s) (%6.2f%%) have the 1st foster" then "\n\t\t\t caretaker's race as multi-racial." |
| 96 | none | "\nElement 52:  No valid information submitted for the race the 1st foster caretaker." |
| 96 | no multi | "\nElement 52:  No records have the 1st foster caretaker's race as multi-racial." |
| 85 | same | "\nElement 52a: All records indicate \"American Indian or Alaska Native\" for the 1st foster" then "\n\t\t\t caretaker's race." |
| 85 | none | "\nElement 52a: No valid information submitted for the \"American Indian or Alaska Native\"" then "\n\t\t\t category for the race of the 1st foster caretaker." |
| 86 | same | "\nElement 52b: All records indicate \"Asian\" for the 1st foster caretaker's race." |
| 86 | none | "\nElement 52b: No valid information submitted for the \"Asian\" category for the race" then "\n\t\t\t of the 1st foster caretaker." |
| 87 | same | "\nElement 52c: All records indicate \"Black or African American\" for the 1st foster caretaker's race." |
| 87 | none | "\nElement 52c: No valid information submitted for the \"Black or African American\"" then "\n\t\t\t category for the race of the 1st foster caretaker." |
| 88 | same | "\nElement 52d: All records indicate \"Native Hawaiian or Other Pacific Islander\"" then "\n\t\t\t for the 1st foster caretaker's race." |
| 88 | none | "\nElement 52d: No valid information submitted for the \"Native Hawaiian or Other Pacific Islander\"" then "\n\t\t\t category for the race of the 1st foster caretaker." |
| 89 | same | "\nElement 52e: All records indicate \"White\" for the 1st foster caretaker's race." |
| 89 | none | "\nElement 52e: No valid information submitted for the \"White\" category for the race of" then "\n\t\t\t the 1st foster caretaker." |
| 62 | over threshold | "\nElement 52f: %6.2f%% of the records have the 1st foster caretaker's race coded" then "\n             as \"unable to determine.\"" |
| 63 | same | "\nElement 53:  All records have the same Hispanic or Latino origin code for the 1st foster" then "\n             caretaker." |
| 63 | none | "\nElement 53:  No valid information submitted for Hispanic or Latino origin for the 1st foster" then "\n             caretaker." |
| 64 | over threshold | "\nElement 53:  %6.2f%% of the records have the 1st foster caretaker's Hispanic or Latino origin" then "\n             coded as \"unable to determine.\"" |
| 97 | multi | "\nElement 54:  %d record(s) of %d valid record(s) (%6.2f%%) have the 2nd foster" then "\n\t\t\t caretaker's race as multi-racial." |
| 97 | none | "\nElement 54:  No valid information submitted for the race the 2nd foster caretaker." |
| 97 | no multi | "\nElement 54:  No records have the 2nd foster caretaker's race as multi-racial." |
| 90 | same | "\nElement 54a: All records indicate \"American Indian or Alaska Native\" for the 2nd foster caretaker's race." |
| 90 | none | "\nElement 54a: No valid information submitted for the \"American Indian or Alaska Native\" category" then "\n\t\t\t for the race of the 2nd foster caretaker." |
| 91 | same | "\nElement 54b: All records indicate \"Asian\" for the 2nd foster caretaker's race." |
| 91 | none | "\nElement 54b: No valid information submitted for the \"Asian\" category for the race" then "\n\t\t\t of the 2nd foster caretaker." |
| 92 | same | "\nElement 54c: All records indicate \"Black or African American\" for the 2nd foster caretaker's race." |
| 92 | none | "\nElement 54c: No valid information submitted for the \"Black or African American\" category" then "\n\t\t\t for the race of the 2nd foster caretaker." |
| 93 | same | "\nElement 54d: All records indicate \"Native Hawaiian or Other Pacific Islander\" for the" then "\n\t\t\t 2nd foster caretaker's race." |
| 93 | none | "\nElement 54d: No valid information submitted for the \"Native Hawaiian or Other Pacific Islander\"" then "\n\t\t\t category for the race of the 2nd foster caretaker." |
| 94 | same | "\nElement 54e: All records indicate \"White\" for the 2nd foster caretaker's race." |
| 94 | none | "\nElement 54e: No valid information submitted for the \"White\" category for the race of the" then "\n\t\t\t 2nd foster caretaker." |
| 66 | over threshold | "\nElement 54f: %6.2f%% of the records have the 2nd foster caretaker's race coded" then "\n             as \"unable to determine.\"" |
| 67 | same | "\nElement 55:  All records have the same Hispanic or Latino origin code for the 2nd foster" then "\n             caretaker." |
| 67 | none | "\nElement 55:  No valid information submitted for Hispanic or Latino origin for the 2nd foster" then "\n             caretaker." |
| 68 | over threshold | "\nElement 55:  %6.2f%% of the records have the 2nd foster caretaker's Hispanic or Latino origin" then "\n             coded as \"unable to determine.\"" |
| 69 | same | "\nElement 56:  All records have the same discharge date." |
| 69 | none | "\nElement 56:  No valid information submitted for discharge date." |
| 70 | same | "\nElement 57:  All records have the same discharge transaction date." |
| 70 | none | "\nElement 57:  No valid information submitted for discharge transaction date." |
| 71 | same | "\nElement 58:  All records have the same reason for discharge." |
| 71 | none | "\nElement 58:  No valid information submitted for reason for discharge." |
| 72 | same | "\nElement 59:  All records have title IVE - foster care coded as \"does not" then "\n             apply.\"" |
| 72 | none | "\nElement 59:  No valid information submitted for title IVE - foster care." |
| 73 | same | "\nElement 60:  All records have the same value for title IVE - adoption." |
| 73 | none | "\nElement 60:  No valid information submitted for title IVE - adoption." |
| 74 | same | "\nElement 61:  All records have the same value for title IVA - AFDC." |
| 74 | none | "\nElement 61:  No valid information submitted for title IVA - AFDC." |
| 75 | same | "\nElement 62:  All records have the same value for title IVD - child support." |
| 75 | none | "\nElement 62:  No valid information submitted for title IVD - child support." |
| 76 | same | "\nElement 63:  All records have Medicaid coded as \"does not apply.\"" |
| 76 | none | "\nElement 63:  No valid information submitted for Medicaid." |
| 77 | same | "\nElement 64:  All records have the same value for SSI." |
| 77 | none | "\nElement 64:  No valid information submitted for SSI." |
| 78 | same | "\nElement 65:  All records have \"none of the above\" coded as \"applies.\"" |
| 78 | none | "\nElement 65:  No valid information submitted for none of the above." |
| 79 | same | "\nElement 66:  All records have the same monthly amount." |
| 79 | none | "\nElement 66:  No valid information submitted for monthly amount." |
)LIST";

}  // namespace vortel::testing
