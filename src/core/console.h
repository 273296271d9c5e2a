// The run's two console streams, and the end of a run by a fatal error.
#pragma once

#include <string>
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

// Text from outside the program (an answer, a file name, a value read from a
// file) as shown on the console or the error stream: bytes below 0x20 and
// 0x7F become "\x1B"-style escapes, so that none can start a terminal
// sequence or a line of its own. Never used for the reports' bytes.
std::string visibleText(std::string_view text);

}  // namespace vortel
