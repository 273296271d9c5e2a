// Adoption aggregate record: the line after a '#' marker line, a count of
// adopted children per age for one report period. Its errors are gathered in
// the run-wide adoption aggregate error list.
#pragma once

#include <cstddef>
#include <string_view>

namespace vortel {

struct RunContext;

// Record length: the State code, the report period and twenty counts.
inline constexpr std::size_t kAggregateRecordLength = 168;
// The error list obtains room for this many messages at a time.
inline constexpr std::size_t kAggregateErrorBlock = 24;

// Checks one aggregate record field by field and appends one message per
// error (without a final full stop) to the aggregate error list. When memory
// for the list runs out the rest of the record is not checked.
void checkAdoptionAggregate(RunContext& ctx, std::string_view line);
// Empties the aggregate error list at the end of the run.
void releaseAggregateErrors(RunContext& ctx);

}  // namespace vortel
