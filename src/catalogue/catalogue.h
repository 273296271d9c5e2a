// Both catalogues behind one record kind: the entries of a kind's elements
// and groups, and an element's entry by its cell or by its label.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "catalogue/adoption_catalogue.h"
#include "catalogue/fostercare_catalogue.h"

namespace vortel {

// What the catalogue layer holds of a kind.
struct CatalogueKindRow {
    RecordKind kind;
    std::span<const ElementEntry> elements;
    std::span<const GroupEntry> groups;
    // The record number, whose columns head each listing line.
    const ElementEntry& recordNumber;
    const ElementEntry* (*entryAtCell)(int cell);
};

inline constexpr std::array<CatalogueKindRow, kRecordKinds> kCatalogueKindRows = {{
    {RecordKind::Adoption, adoption::kElements, adoption::kGroups, adoption::entry(adoption::kRecordNumberElement),
     adoption::entryAtCell},
    {RecordKind::FosterCare, fostercare::kElements, fostercare::kGroups,
     fostercare::entry(fostercare::kRecordNumberElement), fostercare::entryAtCell},
}};
static_assert(rowsInKindOrder(kCatalogueKindRows));

constexpr const CatalogueKindRow& catalogueRow(RecordKind kind) { return kCatalogueKindRows[kindIndex(kind)]; }

constexpr std::span<const ElementEntry> elementEntries(RecordKind kind) { return catalogueRow(kind).elements; }
constexpr std::span<const GroupEntry> groupEntries(RecordKind kind) { return catalogueRow(kind).groups; }
constexpr const ElementEntry& recordNumberEntry(RecordKind kind) { return catalogueRow(kind).recordNumber; }

// The entry at a cell of the kind's element table, or nullptr.
const ElementEntry* entryAtCell(RecordKind kind, int cell);
// The entry of a label as the findings write it ("07a", "21"), or nullptr.
const ElementEntry* entryLabelled(RecordKind kind, std::string_view label);

}  // namespace vortel
