#include "fostercare/fostercare_tallies.h"

#include "run/run_context.h"

namespace vortel {

namespace {

using enum TallyKind;
using enum TallyGate;

// Cells of the race sub-elements: 8a-8f, 52a-52f, 54a-54f.
constexpr std::uint8_t k8a = fostercare::kChildRaceA;
constexpr std::uint8_t k52a = fostercare::kFirstCaretakerRaceA;
constexpr std::uint8_t k54a = fostercare::kSecondCaretakerRaceA;

// Slots 8, 61 and 65 are not used. An eight-character date tallied by its
// year alone names the columns of the year.
constexpr TallyRow kFosterCareTallyRows[] = {
    {.slot = 0, .cell = 1, .cols = {1, 2}, .kind = SameText, .reference = "  "},
    {.slot = 1, .cell = 2, .cols = {3, 8}, .kind = SameDate},
    {.slot = 2, .cell = 3, .cols = {9, 13}, .kind = SameText},
    {.slot = 3, .cell = 4, .cols = {14, 25}, .kind = BlankCount, .reference = "            ", .gate = MatchAtMostOne},
    {.slot = 4, .cell = 5, .cols = {26, 33}, .kind = SameDate},
    {.slot = 5, .cell = 6, .cols = {34, 37}, .kind = SameDate},
    {.slot = 6, .cell = 7, .cols = {42, 42}, .kind = SameCode},
    {.slot = 80, .cell = k8a + 0, .cols = {43, 43}, .kind = SameCode, .reference = "1"},
    {.slot = 81, .cell = k8a + 1, .cols = {44, 44}, .kind = SameCode, .reference = "1"},
    {.slot = 82, .cell = k8a + 2, .cols = {45, 45}, .kind = SameCode, .reference = "1"},
    {.slot = 83, .cell = k8a + 3, .cols = {46, 46}, .kind = SameCode, .reference = "1"},
    {.slot = 84, .cell = k8a + 4, .cols = {47, 47}, .kind = SameCode, .reference = "1"},
    {.slot = 7, .cell = k8a + 5, .cols = {48, 48}, .kind = CodeShare, .reference = "1", .threshold = 5},
    {.slot = 95, .cell = k8a, .cols = {43, 48}, .kind = MultiRacial},
    {.slot = 9, .cell = 9, .cols = {49, 49}, .kind = CodeShare, .reference = "3", .threshold = 5},
    {.slot = 10, .cell = 9, .cols = {49, 49}, .kind = SameCode, .reference = "1"},
    {.slot = 11, .cell = 10, .cols = {50, 50}, .kind = SameCode, .reference = "1"},
    {.slot = 12, .cell = 11, .cols = {51, 51}, .kind = SameCode, .reference = "1"},
    {.slot = 13, .cell = 12, .cols = {52, 52}, .kind = SameCode, .reference = "1"},
    {.slot = 14, .cell = 13, .cols = {53, 53}, .kind = SameCode, .reference = "1"},
    {.slot = 15, .cell = 14, .cols = {54, 54}, .kind = SameCode, .reference = "1"},
    {.slot = 16, .cell = 15, .cols = {55, 55}, .kind = SameCode, .reference = "1"},
    {.slot = 17, .cell = 16, .cols = {56, 56}, .kind = CodeShare, .reference = "1", .threshold = 5},
    {.slot = 18, .cell = 16, .cols = {56, 56}, .kind = CodeShare, .reference = "3", .threshold = 5},
    {.slot = 19, .cell = 17, .cols = {57, 57}, .kind = SameCode, .gate = ColumnNotZero, .gateColumn = 57},
    {.slot = 20, .cell = 17, .cols = {57, 57}, .kind = CodeShare, .reference = "5", .threshold = 5,
     .gate = ColumnNotZero, .gateColumn = 57},
    {.slot = 21, .cell = 18, .cols = {58, 61}, .kind = SameDate},
    {.slot = 22, .cell = 19, .cols = {66, 67}, .kind = Above, .reference = "10"},
    {.slot = 23, .cell = 19, .cols = {66, 67}, .kind = SameNumber},
    {.slot = 24, .cell = 20, .cols = {68, 71}, .kind = SameDate},
    {.slot = 25, .cell = 21, .cols = {76, 79}, .kind = SameDate},
    {.slot = 26, .cell = 22, .cols = {84, 87}, .kind = SameDate},
    {.slot = 27, .cell = 23, .cols = {92, 95}, .kind = SameDate},
    {.slot = 28, .cell = 24, .cols = {100, 101}, .kind = Above, .reference = "10"},
    {.slot = 29, .cell = 24, .cols = {100, 101}, .kind = SameNumber},
    {.slot = 30, .cell = 25, .cols = {102, 102}, .kind = SameCode, .reference = "1"},
    {.slot = 31, .cell = 25, .cols = {102, 102}, .kind = SameCode, .reference = "3"},
    {.slot = 32, .cell = 26, .cols = {103, 103}, .kind = SameCode, .reference = "1"},
    {.slot = 33, .cell = 27, .cols = {104, 104}, .kind = SameCode, .reference = "1"},
    {.slot = 34, .cell = 28, .cols = {105, 105}, .kind = SameCode, .reference = "1"},
    {.slot = 35, .cell = 29, .cols = {106, 106}, .kind = SameCode, .reference = "1"},
    {.slot = 36, .cell = 30, .cols = {107, 107}, .kind = SameCode, .reference = "1"},
    {.slot = 37, .cell = 31, .cols = {108, 108}, .kind = SameCode, .reference = "1"},
    {.slot = 38, .cell = 32, .cols = {109, 109}, .kind = SameCode, .reference = "1"},
    {.slot = 39, .cell = 33, .cols = {110, 110}, .kind = SameCode, .reference = "1"},
    {.slot = 40, .cell = 34, .cols = {111, 111}, .kind = SameCode, .reference = "1"},
    {.slot = 41, .cell = 35, .cols = {112, 112}, .kind = SameCode, .reference = "1"},
    {.slot = 42, .cell = 36, .cols = {113, 113}, .kind = SameCode, .reference = "1"},
    {.slot = 43, .cell = 37, .cols = {114, 114}, .kind = SameCode, .reference = "1"},
    {.slot = 44, .cell = 38, .cols = {115, 115}, .kind = SameCode, .reference = "1"},
    {.slot = 45, .cell = 39, .cols = {116, 116}, .kind = SameCode, .reference = "1"},
    {.slot = 46, .cell = 40, .cols = {117, 117}, .kind = SameCode, .reference = "1"},
    {.slot = 47, .cell = 41, .cols = {118, 118}, .kind = SameCode},
    {.slot = 48, .cell = 42, .cols = {119, 119}, .kind = SameCode, .reference = "1"},
    {.slot = 49, .cell = 43, .cols = {120, 120}, .kind = SameCode},
    {.slot = 50, .cell = 44, .cols = {121, 121}, .kind = SameCode},
    {.slot = 51, .cell = 44, .cols = {121, 121}, .kind = CodeShare, .reference = "5", .threshold = 10},
    {.slot = 52, .cell = 45, .cols = {122, 125}, .kind = SameDate},
    {.slot = 53, .cell = 46, .cols = {126, 129}, .kind = SameDate},
    {.slot = 54, .cell = 45, .cols = {122, 125}, .kind = SamePair, .pairCell = 46, .pairCols = {126, 129}},
    {.slot = 55, .cell = 47, .cols = {130, 133}, .kind = SameDate},
    {.slot = 56, .cell = 47, .cols = {130, 137}, .kind = SamePair, .pairCell = 48, .pairCols = {138, 145}},
    {.slot = 57, .cell = 48, .cols = {138, 141}, .kind = SameDate},
    {.slot = 58, .cell = 49, .cols = {146, 146}, .kind = SameCode, .gate = ColumnNotZero, .gateColumn = 146},
    {.slot = 59, .cell = 50, .cols = {147, 150}, .kind = SameDate},
    {.slot = 60, .cell = 51, .cols = {151, 154}, .kind = SameDate},
    {.slot = 85, .cell = k52a + 0, .cols = {155, 155}, .kind = SameCode, .reference = "1"},
    {.slot = 86, .cell = k52a + 1, .cols = {156, 156}, .kind = SameCode, .reference = "1"},
    {.slot = 87, .cell = k52a + 2, .cols = {157, 157}, .kind = SameCode, .reference = "1"},
    {.slot = 88, .cell = k52a + 3, .cols = {158, 158}, .kind = SameCode, .reference = "1"},
    {.slot = 89, .cell = k52a + 4, .cols = {159, 159}, .kind = SameCode, .reference = "1"},
    {.slot = 62, .cell = k52a + 5, .cols = {160, 160}, .kind = CodeShare, .reference = "1", .threshold = 10},
    {.slot = 96, .cell = k52a, .cols = {155, 160}, .kind = MultiRacial},
    {.slot = 63, .cell = 53, .cols = {161, 161}, .kind = SameCode, .gate = ColumnNotZero, .gateColumn = 161},
    {.slot = 64, .cell = 53, .cols = {161, 161}, .kind = CodeShare, .reference = "3", .threshold = 10,
     .gate = ColumnNotZero, .gateColumn = 161},
    {.slot = 90, .cell = k54a + 0, .cols = {162, 162}, .kind = SameCode, .reference = "1"},
    {.slot = 91, .cell = k54a + 1, .cols = {163, 163}, .kind = SameCode, .reference = "1"},
    {.slot = 92, .cell = k54a + 2, .cols = {164, 164}, .kind = SameCode, .reference = "1"},
    {.slot = 93, .cell = k54a + 3, .cols = {165, 165}, .kind = SameCode, .reference = "1"},
    {.slot = 94, .cell = k54a + 4, .cols = {166, 166}, .kind = SameCode, .reference = "1"},
    {.slot = 66, .cell = k54a + 5, .cols = {167, 167}, .kind = CodeShare, .reference = "1", .threshold = 10},
    {.slot = 97, .cell = k54a, .cols = {162, 167}, .kind = MultiRacial},
    {.slot = 67, .cell = 55, .cols = {168, 168}, .kind = SameCode, .gate = ColumnNotZero, .gateColumn = 168},
    {.slot = 68, .cell = 55, .cols = {168, 168}, .kind = CodeShare, .reference = "3", .threshold = 10,
     .gate = ColumnNotZero, .gateColumn = 168},
    {.slot = 69, .cell = 56, .cols = {169, 176}, .kind = SameDate},
    {.slot = 70, .cell = 57, .cols = {177, 184}, .kind = SameDate},
    {.slot = 71, .cell = 58, .cols = {185, 185}, .kind = SameCode, .gate = ColumnNotZero, .gateColumn = 185},
    {.slot = 72, .cell = 59, .cols = {186, 186}, .kind = SameCode, .reference = "0"},
    {.slot = 73, .cell = 60, .cols = {187, 187}, .kind = SameCode},
    {.slot = 74, .cell = 61, .cols = {188, 188}, .kind = SameCode},
    {.slot = 75, .cell = 62, .cols = {189, 189}, .kind = SameCode},
    {.slot = 76, .cell = 63, .cols = {190, 190}, .kind = SameCode, .reference = "0"},
    {.slot = 77, .cell = 64, .cols = {191, 191}, .kind = SameCode},
    {.slot = 78, .cell = 65, .cols = {192, 192}, .kind = SameCode, .reference = "1"},
    {.slot = 79, .cell = 66, .cols = {193, 197}, .kind = SameNumber},
};

}  // namespace

std::span<const TallyRow> fosterCareTallyRows() { return kFosterCareTallyRows; }

void initFosterCareTallies(RunContext& ctx) { initTallySlots(ctx.tallies.fosterCare, kFosterCareTallyRows, ctx.tallies.fosterCareRows); }

void tallyFosterCareRecord(RunContext& ctx, std::string_view record) {
    tallyRecordSlots(ctx.tallies.fosterCare, kFosterCareTallyRows, ctx.tallies.fosterCareRows, ctx.fosterCareCells, record);
}

void finishFosterCareTallies(RunContext& ctx) { finishTallySlots(ctx.tallies.fosterCare); }

}  // namespace vortel
