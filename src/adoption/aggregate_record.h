// Adoption aggregate record: the line after a '#' marker line.
#pragma once

#include <string_view>

namespace vortel {

struct RunContext;

void checkAdoptionAggregate(RunContext& ctx, std::string_view line);
void releaseAggregateErrors(RunContext& ctx);

}  // namespace vortel
