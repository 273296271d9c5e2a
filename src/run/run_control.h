// The program: the command line, the dialogue, the pass over the data file,
// and the end of the run, where the outputs are moved into place or removed.
#pragma once

#include "core/files.h"
#include "core/run_context.h"
#include "run/dialogue.h"
#include "run/file_pass.h"
#include "run/options.h"
#include "run/run_request.h"

namespace vortel {

// Runs the whole program; returns the exit status: 0, or 1 with
// --fail-on-findings when a finding was made or no detail record was
// checked; -1 after a fatal error; 2 for a bad command line. `limits` lets
// tests stand in for exhausted memory.
int runProgram(int argc, const char* const argv[], const ProgramIo& io, const MemoryLimits& limits = {});

// One run: the dialogue (asking what the request leaves open), the pass over
// the data file and the end of the run; the same statuses. `totals`, when
// given, receives what the run counted.
int runOne(const RunRequest& request, const ProgramIo& io, const MemoryLimits& limits = {},
           RunTotals* totals = nullptr);

}  // namespace vortel
