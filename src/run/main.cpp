// vortel-dq: checks a VORTEL reporting file and writes the two data quality reports.
#include <cstdio>

#include "core/platform.h"
#include "run/run_control.h"

int main(int argc, char* argv[]) {
    // Before anything is opened: no file may take the place of a closed
    // standard stream.
    vortel::ensureStandardDescriptors();
    vortel::installSignalHandlers();
    const vortel::platform::Arguments args = vortel::platform::utf8Arguments(argc, argv);
    const int status =
        vortel::runProgram(args.count, args.values, {stdin, stdout, stderr, vortel::platform::programPath()});
    // A failed run ends with 255 on every system.
    return status == -1 ? 255 : status;
}
