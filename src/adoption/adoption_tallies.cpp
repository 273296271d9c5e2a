#include "adoption/adoption_tallies.h"

#include "run/run_context.h"

namespace vortel {

void initAdoptionTallies(RunContext&) {}
void tallyAdoptionRecord(RunContext&, std::string_view) {}
void finishAdoptionTallies(RunContext&) {}

}  // namespace vortel
