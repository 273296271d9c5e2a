#include "fostercare/fostercare_tallies.h"

#include "run/run_context.h"

namespace vortel {

void initFosterCareTallies(RunContext&) {}
void tallyFosterCareRecord(RunContext&, std::string_view) {}
void finishFosterCareTallies(RunContext&) {}

}  // namespace vortel
