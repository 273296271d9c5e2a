// Both catalogues behind one record kind: the entries of a kind's elements
// and groups, and an element's entry by its cell or by its label.
#pragma once

#include <span>
#include <string_view>

#include "catalogue/adoption_catalogue.h"
#include "catalogue/fostercare_catalogue.h"

namespace vortel {

constexpr std::span<const ElementEntry> elementEntries(RecordKind kind) {
    if (kind == RecordKind::Adoption) return adoption::kElements;
    return fostercare::kElements;
}
constexpr std::span<const GroupEntry> groupEntries(RecordKind kind) {
    if (kind == RecordKind::Adoption) return adoption::kGroups;
    return fostercare::kGroups;
}

// The record number of a kind, whose columns head each listing line.
inline constexpr const ElementEntry& kAdoptionRecordNumber = adoption::entry(adoption::kRecordNumberElement);
inline constexpr const ElementEntry& kFosterCareRecordNumber = fostercare::entry(fostercare::kRecordNumberElement);
constexpr const ElementEntry& recordNumberEntry(RecordKind kind) {
    return kind == RecordKind::Adoption ? kAdoptionRecordNumber : kFosterCareRecordNumber;
}

// The entry at a cell of the kind's element table, or nullptr.
const ElementEntry* entryAtCell(RecordKind kind, int cell);
// The entry of a label as the findings write it ("07a", "21"), or nullptr.
const ElementEntry* entryLabelled(RecordKind kind, std::string_view label);

}  // namespace vortel
