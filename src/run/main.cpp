// vortel-dq: checks a VORTEL reporting file and writes the two data quality reports.
#include <cstdio>

#include "run/run_control.h"

int main(int argc, char* argv[]) {
    return vortel::runProgram(argc, argv, {stdin, stdout, stderr});
}
