// Foster care summary tallies.
#pragma once

#include <string_view>

namespace vortel {

struct RunContext;

void initFosterCareTallies(RunContext& ctx);
void tallyFosterCareRecord(RunContext& ctx, std::string_view record);
void finishFosterCareTallies(RunContext& ctx);

}  // namespace vortel
