// Foster care summary tallies.
#pragma once

#include <span>
#include <string_view>

#include "core/summary_tally.h"

namespace vortel {

class ElementTable;

// Start values of the 98 foster care slots; once per run, before the data file.
void initFosterCareTallies(FosterCareTallies& tallies);
// After the record's listing line.
void tallyFosterCareRecord(FosterCareTallies& tallies, const ElementTable& cells, std::string_view record);
// End of each Foster Care section with detail records in the run.
void finishFosterCareTallies(FosterCareTallies& tallies);

// The foster care tally table, in the order in which a record visits it.
std::span<const TallyRow> fosterCareTallyRows();

}  // namespace vortel
