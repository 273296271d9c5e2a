// Many data files in one command: each file is checked as a run of its own
// with the same options, State and clock, its outputs written to one folder
// under the file's name, with an index of all runs (index.csv, index.html).
#pragma once

#include "run/dialogue.h"
#include "run/options.h"

namespace vortel {

struct MemoryLimits;

// Returns the highest status of the runs (-1 standing for 255), or 2 when
// two files would write an output of the same name.
int runManyFiles(const Options& options, const ProgramIo& io, const MemoryLimits& limits);

}  // namespace vortel
