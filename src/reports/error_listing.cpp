#include "reports/error_listing.h"

#include "run/run_context.h"

namespace vortel {

void writeErrorListing(RunContext&, RecordKind) {}

}  // namespace vortel
