#include "adoption/adoption_tallies.h"

#include "run/run_context.h"

namespace vortel {

namespace {

using enum TallyKind;
using enum TallyGate;

// Cells of the race sub-elements: 7a-7f, 25a-25f, 27a-27f.
constexpr std::uint8_t k7a = adoption::kChildRaceA;
constexpr std::uint8_t k25a = adoption::kMotherRaceA;
constexpr std::uint8_t k27a = adoption::kFatherRaceA;

// Slots 6, 34 and 38 are not used.
constexpr TallyRow kAdoptionTallyRows[] = {
    {.slot = 0, .cell = 1, .cols = {1, 2}, .kind = SameText, .reference = "  "},
    {.slot = 1, .cell = 2, .cols = {3, 8}, .kind = SameDate},
    {.slot = 2, .cell = 3, .cols = {9, 20}, .kind = BlankCount, .reference = "            ", .gate = MatchAtMostOne,
     .countsPendingBlank = true},
    {.slot = 3, .cell = 4, .cols = {21, 21}, .kind = SameCode, .reference = "2"},
    {.slot = 4, .cell = 5, .cols = {22, 25}, .kind = SameDate},
    {.slot = 5, .cell = 6, .cols = {28, 28}, .kind = SameCode},
    {.slot = 54, .cell = k7a + 0, .cols = {29, 29}, .kind = SameCode, .reference = "1"},
    {.slot = 55, .cell = k7a + 1, .cols = {30, 30}, .kind = SameCode, .reference = "1"},
    {.slot = 56, .cell = k7a + 2, .cols = {31, 31}, .kind = SameCode, .reference = "1"},
    {.slot = 57, .cell = k7a + 3, .cols = {32, 32}, .kind = SameCode, .reference = "1"},
    {.slot = 58, .cell = k7a + 4, .cols = {33, 33}, .kind = SameCode, .reference = "1"},
    {.slot = 7, .cell = k7a + 5, .cols = {34, 34}, .kind = CodeShare, .reference = "1", .threshold = 5},
    {.slot = 69, .cell = k7a, .cols = {29, 34}, .kind = MultiRacial},
    {.slot = 8, .cell = 8, .cols = {35, 35}, .kind = SameCode, .reference = "1"},
    {.slot = 9, .cell = 8, .cols = {35, 35}, .kind = CodeShare, .reference = "3", .threshold = 5},
    {.slot = 10, .cell = 9, .cols = {36, 36}, .kind = SameCode},
    {.slot = 11, .cell = 10, .cols = {37, 37}, .kind = SameCode, .gate = ColumnNotZero, .gateColumn = 37},
    {.slot = 12, .cell = 11, .cols = {38, 38}, .kind = SameCode, .reference = "1"},
    {.slot = 13, .cell = 12, .cols = {39, 39}, .kind = SameCode, .reference = "1"},
    {.slot = 14, .cell = 13, .cols = {40, 40}, .kind = SameCode, .reference = "1"},
    {.slot = 15, .cell = 14, .cols = {41, 41}, .kind = SameCode, .reference = "1"},
    {.slot = 16, .cell = 15, .cols = {42, 42}, .kind = SameCode, .reference = "1"},
    {.slot = 17, .cell = 16, .cols = {43, 46}, .kind = SameDate},
    {.slot = 18, .cell = 16, .cols = {43, 46}, .kind = BlankShare, .reference = "    ", .threshold = 10,
     .countsPendingBlank = true},
    {.slot = 19, .cell = 16, .cols = {43, 46}, .kind = SamePair, .pairCell = 17, .pairCols = {47, 50}},
    {.slot = 20, .cell = 17, .cols = {47, 50}, .kind = SameDate},
    {.slot = 21, .cell = 17, .cols = {47, 50}, .kind = BlankShare, .reference = "    ", .threshold = 10,
     .countsPendingBlank = true},
    {.slot = 22, .cell = 18, .cols = {51, 51}, .kind = SameCode},
    {.slot = 23, .cell = 18, .cols = {51, 51}, .kind = CodeShare, .reference = "3", .threshold = 10},
    {.slot = 24, .cell = 19, .cols = {52, 59}, .kind = SameDate},
    {.slot = 25, .cell = 19, .cols = {52, 59}, .kind = SamePair, .pairCell = 20, .pairCols = {60, 67}},
    {.slot = 26, .cell = 20, .cols = {60, 67}, .kind = SameDate},
    {.slot = 27, .cell = 21, .cols = {68, 75}, .kind = SameDate},
    {.slot = 28, .cell = 22, .cols = {76, 76}, .kind = SameCode, .reference = "2"},
    {.slot = 29, .cell = 22, .cols = {76, 76}, .kind = SameCode, .reference = "3"},
    {.slot = 30, .cell = 22, .cols = {76, 76}, .kind = SameCode, .reference = "4"},
    {.slot = 31, .cell = 23, .cols = {77, 80}, .kind = SameDate},
    {.slot = 32, .cell = 23, .cols = {77, 80}, .kind = SamePair, .pairCell = 24, .pairCols = {81, 84}},
    {.slot = 33, .cell = 24, .cols = {81, 84}, .kind = SameDate},
    {.slot = 59, .cell = k25a + 0, .cols = {85, 85}, .kind = SameCode, .reference = "1"},
    {.slot = 60, .cell = k25a + 1, .cols = {86, 86}, .kind = SameCode, .reference = "1"},
    {.slot = 61, .cell = k25a + 2, .cols = {87, 87}, .kind = SameCode, .reference = "1"},
    {.slot = 62, .cell = k25a + 3, .cols = {88, 88}, .kind = SameCode, .reference = "1"},
    {.slot = 63, .cell = k25a + 4, .cols = {89, 89}, .kind = SameCode, .reference = "1"},
    {.slot = 35, .cell = k25a + 5, .cols = {90, 90}, .kind = CodeShare, .reference = "1", .threshold = 10},
    {.slot = 70, .cell = k25a, .cols = {85, 90}, .kind = MultiRacial},
    {.slot = 36, .cell = 26, .cols = {91, 91}, .kind = SameCode, .gate = ColumnNotZero, .gateColumn = 91},
    {.slot = 37, .cell = 26, .cols = {91, 91}, .kind = CodeShare, .reference = "3", .threshold = 10,
     .gate = ColumnNotZero, .gateColumn = 91},
    {.slot = 64, .cell = k27a + 0, .cols = {92, 92}, .kind = SameCode, .reference = "1"},
    {.slot = 65, .cell = k27a + 1, .cols = {93, 93}, .kind = SameCode, .reference = "1"},
    {.slot = 66, .cell = k27a + 2, .cols = {94, 94}, .kind = SameCode, .reference = "1"},
    {.slot = 67, .cell = k27a + 3, .cols = {95, 95}, .kind = SameCode, .reference = "1"},
    {.slot = 68, .cell = k27a + 4, .cols = {96, 96}, .kind = SameCode, .reference = "1"},
    {.slot = 39, .cell = k27a + 5, .cols = {97, 97}, .kind = CodeShare, .reference = "1", .threshold = 10},
    {.slot = 71, .cell = k27a, .cols = {92, 97}, .kind = MultiRacial},
    {.slot = 40, .cell = 28, .cols = {98, 98}, .kind = SameCode, .gate = ColumnNotZero, .gateColumn = 98},
    {.slot = 41, .cell = 28, .cols = {98, 98}, .kind = CodeShare, .reference = "3", .threshold = 10,
     .gate = ColumnNotZero, .gateColumn = 98},
    {.slot = 42, .cell = 29, .cols = {99, 99}, .kind = SameCode, .reference = "1"},
    {.slot = 43, .cell = 30, .cols = {100, 100}, .kind = SameCode, .reference = "1"},
    {.slot = 44, .cell = 31, .cols = {101, 101}, .kind = SameCode, .reference = "0"},
    {.slot = 45, .cell = 32, .cols = {102, 102}, .kind = SameCode, .reference = "1"},
    {.slot = 46, .cell = 33, .cols = {103, 103}, .kind = SameCode, .reference = "3"},
    {.slot = 47, .cell = 34, .cols = {104, 104}, .kind = SameCode, .reference = "2"},
    {.slot = 48, .cell = 34, .cols = {104, 104}, .kind = SameCode, .reference = "3"},
    {.slot = 49, .cell = 34, .cols = {104, 104}, .kind = SameCode, .reference = "4"},
    {.slot = 50, .cell = 34, .cols = {104, 104}, .kind = SameCode, .reference = "5"},
    {.slot = 51, .cell = 35, .cols = {105, 105}, .kind = SameCode, .reference = "2"},
    {.slot = 52, .cell = 36, .cols = {106, 110}, .kind = SameNumber},
    {.slot = 53, .cell = 37, .cols = {111, 111}, .kind = SameCode, .reference = "2"},
};

}  // namespace

std::span<const TallyRow> adoptionTallyRows() { return kAdoptionTallyRows; }

void initAdoptionTallies(RunContext& ctx) { initTallySlots(ctx.tallies.adoption, kAdoptionTallyRows, ctx.tallies.adoptionRows); }

void tallyAdoptionRecord(RunContext& ctx, std::string_view record) {
    tallyRecordSlots(ctx.tallies.adoption, kAdoptionTallyRows, ctx.tallies.adoptionRows, ctx.adoptionCells, record);
}

void finishAdoptionTallies(RunContext& ctx) { finishTallySlots(ctx.tallies.adoption); }

}  // namespace vortel
