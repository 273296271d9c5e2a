// Date-pair checks: order and distance of pairs of dates and years of one
// detail record, and the letter 'a' on the element most likely in error.
#pragma once

#include <string_view>

namespace vortel {

struct RunContext;

// Run on the padded record after the element checks, before the groups.
void checkAdoptionDatePairs(RunContext& ctx, std::string_view record);
void checkFosterCareDatePairs(RunContext& ctx, std::string_view record);

}  // namespace vortel
