// Adoption summary tallies.
#pragma once

#include <string_view>

namespace vortel {

struct RunContext;

void initAdoptionTallies(RunContext& ctx);
// After the record's listing line.
void tallyAdoptionRecord(RunContext& ctx, std::string_view record);
// End of each Adoption section with detail records in the run.
void finishAdoptionTallies(RunContext& ctx);

}  // namespace vortel
