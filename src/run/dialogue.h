// The console dialogue: the four questions (each answered by its option when
// given), in their order, with the checks of every answer as it comes.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "core/run_context.h"
#include "run/run_request.h"

namespace vortel {

// The streams a run talks to.
struct ProgramIo {
    std::FILE* in;  // null when nothing may be asked (a many-file run)
    std::FILE* out;
    std::FILE* err;
    // The running program's path (empty in tests that run it in-process):
    // where the county list installed with it is looked for.
    std::string programFile = {};
};

// The data file as opened by the dialogue.
struct DataFile {
    std::FILE* file = nullptr;
    long long size = -1;  // a regular file's size when opened, else -1
    ~DataFile() {
        if (file) std::fclose(file);
    }
};

// Asks what the request left open, opens the data file and the outputs (the
// run context's list of outputs, `ctx.findings`) and takes the clock
// reading; a refused answer is a fatal error.
void runDialogue(RunContext& ctx, const RunRequest& request, const ProgramIo& io, DataFile& data);

// The report timestamp of a clock reading ("%m/%d/%Y %I:%M%p").
std::string runTimestampOf(const ClockReading& clock);

// The local clock now, to the minute.
ClockReading clockReadingNow();

bool stateCodeInvalid(std::string_view code);

// The county list installed with the program at `programFile`: beside it, or
// in ../share/vortel-dq/ from its folder. Empty when there is none.
std::string installedLocalAgencyList(const std::string& programFile);

// The county list a run without --fips reads: fips.lst in the working folder,
// else the installed one (with the line that says so written to `err`), else
// fips.lst (which then fails as a missing list).
std::string defaultLocalAgencyList(const std::string& programFile, std::FILE* err);

}  // namespace vortel
