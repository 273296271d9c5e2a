// Adoption summary tallies.
#pragma once

#include <span>
#include <string_view>

#include "core/summary_tally.h"

namespace vortel {

struct RunContext;

// Start values of the 72 adoption slots; once per run, before the data file.
void initAdoptionTallies(RunContext& ctx);
// After the record's listing line.
void tallyAdoptionRecord(RunContext& ctx, std::string_view record);
// End of each Adoption section with detail records in the run.
void finishAdoptionTallies(RunContext& ctx);

// The adoption tally table, in the order in which a record visits it.
std::span<const TallyRow> adoptionTallyRows();

}  // namespace vortel
