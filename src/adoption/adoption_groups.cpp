#include "adoption/adoption_groups.h"

#include "run/run_context.h"

namespace vortel {

void checkAdoptionGroups(RunContext&, std::string_view) {}

}  // namespace vortel
