#include "catalogue/catalogue.h"

#include <tuple>

#include <gtest/gtest.h>

namespace vortel {
namespace {

constexpr RecordKind A = RecordKind::Adoption, F = RecordKind::FosterCare;

TEST(Catalogue, EntriesByLabelWithTheirCellsColumnsAndNames) {
    struct Row {
        RecordKind kind;
        const char* label;
        int cell, first, last;
        const char* name;
    };
    const Row rows[] = {
        {A, "03", 3, 9, 20, "Record number"},
        {A, "05", 5, 22, 27, "Child's birth date"},
        {A, "07", 7, 29, 34, "Child's race"},
        {A, "07b", 39, 30, 30, "Child's race: Asian"},
        {A, "19", 19, 52, 59, "TPR date for the mother"},
        {A, "21", 21, 68, 75, "Legalization date"},
        {A, "27f", 55, 97, 97, "Adoptive father's race: unable to determine"},
        {A, "37", 37, 111, 111, "Child is receiving adoption assistance"},
        {F, "04", 4, 14, 25, "record number"},
        {F, "08a", 67, 43, 43, "race: American Indian or Alaska Native"},
        {F, "41", 41, 118, 118, "placement setting"},
        {F, "54", 54, 162, 167, "2nd foster caretaker's race"},
        {F, "52c", 75, 157, 157, "1st foster caretaker's race: Black or African American"},
        {F, "66", 66, 193, 197, "monthly amount"},
    };
    for (const Row& r : rows) {
        const ElementEntry* e = entryLabelled(r.kind, r.label);
        ASSERT_NE(e, nullptr) << r.label;
        EXPECT_EQ(std::tuple(e->cell(), e->first(), e->last(), e->name),
                  std::tuple(r.cell, r.first, r.last, std::string_view(r.name)));
    }
}

TEST(Catalogue, EveryCellAndLabelLeadsToItsOwnEntry) {
    for (RecordKind kind : {A, F}) {
        for (int cell = 1; cell <= cellCount(kind); ++cell) {
            const ElementEntry* e = entryAtCell(kind, cell);
            ASSERT_NE(e, nullptr) << cell;
            EXPECT_EQ(e->cell(), cell);
            EXPECT_EQ(entryLabelled(kind, e->label()), e) << e->label();
            EXPECT_FALSE(e->name.empty()) << e->label();
        }
        EXPECT_EQ(entryAtCell(kind, 0), nullptr);
        EXPECT_EQ(entryAtCell(kind, cellCount(kind) + 1), nullptr);
        EXPECT_EQ(entryLabelled(kind, "7a"), nullptr);
    }
}

}  // namespace
}  // namespace vortel
