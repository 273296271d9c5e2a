// What the checks read of the run besides the record itself: the State
// answered in the dialogue, the one reading of the clock, and the State's
// local agency codes (loaded at each Foster Care section).
#pragma once

#include <string>

#include "core/local_agency_list.h"
#include "core/record_fields.h"

namespace vortel {

struct RunFacts {
    std::string stateCode;
    RunDate runDate;
    LocalAgencyList localAgencies;
};

}  // namespace vortel
