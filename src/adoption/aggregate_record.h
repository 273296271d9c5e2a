// Adoption aggregate record: the line after a '#' marker line, a count of
// adopted children per age for one report period. Its errors are gathered in
// the run-wide adoption aggregate error list.
#pragma once

#include <cstddef>
#include <string_view>

namespace vortel {

struct Console;
class MessageList;
struct RunFacts;

// Record length: the State code, the report period and twenty counts.
inline constexpr std::size_t kAggregateRecordLength = 168;
// The error list obtains room for this many messages at a time.
inline constexpr std::size_t kAggregateErrorBlock = 24;

// Checks one aggregate record field by field and appends one message per
// error (without a final full stop) to `errors`. When memory for the list runs
// out the rest of the record is not checked, and the console tells of it.
void checkAdoptionAggregate(const RunFacts& facts, MessageList& errors, Console console, std::string_view line);

}  // namespace vortel
