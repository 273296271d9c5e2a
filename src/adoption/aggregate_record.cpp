#include "adoption/aggregate_record.h"

#include "run/run_context.h"

namespace vortel {

void checkAdoptionAggregate(RunContext&, std::string_view) {}
void releaseAggregateErrors(RunContext& ctx) { ctx.aggregateErrors.release(); }

}  // namespace vortel
