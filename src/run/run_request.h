// What one run is asked to do: the data file, the State, the county list, the
// clock and the outputs. The command line makes one for a single run, and a
// many-file run one for each of its files; whatever a request leaves open,
// the dialogue asks.
#pragma once

#include <optional>
#include <string>

#include "findings/output.h"
#include "run/options.h"

namespace vortel {

struct RunRequest {
    std::optional<std::string> dataFile;   // else asked
    std::optional<std::string> stateCode;  // else asked
    // Else fips.lst in the working folder, or the list installed with the
    // program.
    std::optional<std::string> fipsFile;
    // The local date and time the run takes as its own; else the clock is
    // read at the end of the dialogue.
    std::optional<ClockReading> clock;
    FindingsOptions outputs;                 // the reports' names (else asked) and the other outputs
    std::optional<std::string> compareFile;  // --compare PREVIOUS.json
    bool quiet = false;                      // nothing on the console but errors
};

// The request of a single run's command line.
inline RunRequest runRequestOf(const Options& o) {
    return {o.dataFile, o.stateCode, o.fipsFile, o.asOf, o.findings, o.compareFile, o.quiet};
}

}  // namespace vortel
