// vortel-dq: checks a VORTEL reporting file and writes the two data quality reports.
#include <cstdio>

#include "run/run_control.h"

int main(int argc, char* argv[]) {
    // Before anything is opened: no file may take the place of a closed
    // standard stream.
    vortel::ensureStandardDescriptors();
    vortel::installSignalHandlers();
    return vortel::runProgram(argc, argv, {stdin, stdout, stderr});
}
