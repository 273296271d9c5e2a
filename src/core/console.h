// The run's two console streams, and the end of a run by a fatal error.
#pragma once

#include <string_view>

#include "core/writer.h"

namespace vortel {

// Standard output and standard error, for a step that shows running counts
// or reports a failure: a fatal message comes after whatever the console
// line in progress holds.
struct Console {
    Writer& out;
    Writer& errors;
};

// Thrown to end the run after a fatal error has been reported; carries the
// exit status. Caught only by the program entry.
struct FatalExit {
    int status;
};

// Flushes the console line in progress, writes the message and
// "\nTerminating program.\n" to the standard error stream and ends the run
// with status -1.
[[noreturn]] void fatalError(Console console, std::string_view message);
// The same message without ending the run.
void reportFatal(Console console, std::string_view message);

}  // namespace vortel
