#include "fostercare/fostercare_groups.h"

#include "run/run_context.h"

namespace vortel {

void checkFosterCareGroups(RunContext&, std::string_view) {}

}  // namespace vortel
