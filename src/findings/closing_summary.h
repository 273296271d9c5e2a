// The few lines a single run ends with when a person watches it on a
// terminal: what was checked, what was found, what to fix first, a State
// code that looks wrong, and where each output went. A console that is a
// file or a pipe never gets them, so that it stays as it always was.
#pragma once

#include <string>

#include "findings/findings.h"

namespace vortel {

struct RunContext;

// The summary, beginning with the line feed that ends the console's last
// line. `findings` has finished with the run; `options` name its files.
std::string closingSummary(const RunContext& ctx, const FindingsExport& findings, const FindingsOptions& options);

}  // namespace vortel
