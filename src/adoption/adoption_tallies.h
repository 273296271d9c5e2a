// Adoption summary tallies.
#pragma once

#include <span>
#include <string_view>

#include "core/summary_tally.h"

namespace vortel {

class ElementTable;

// Start values of the 72 adoption slots; once per run, before the data file.
void initAdoptionTallies(AdoptionTallies& tallies);
// After the record's listing line.
void tallyAdoptionRecord(AdoptionTallies& tallies, const ElementTable& cells, std::string_view record);
// End of each Adoption section with detail records in the run.
void finishAdoptionTallies(AdoptionTallies& tallies);

// The adoption tally table, in the order in which a record visits it.
std::span<const TallyRow> adoptionTallyRows();

}  // namespace vortel
