#include "datepairs/date_pairs.h"

#include "run/run_context.h"

namespace vortel {

void checkAdoptionDatePairs(RunContext&, std::string_view) {}
void checkFosterCareDatePairs(RunContext&, std::string_view) {}

}  // namespace vortel
