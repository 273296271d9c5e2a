// The program's spine: options and console dialogue, the run tables, the one
// pass over the data file with its section readers, and the end of the run.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "findings/findings.h"
#include "run/run_context.h"

namespace vortel {

class LineReader;

// The streams a run talks to.
struct ProgramIo {
    std::FILE* in;
    std::FILE* out;
    std::FILE* err;
};

// A fixed reading of the local clock ("YYYY-MM-DD HH:MM").
struct ClockReading {
    int year, month, day, hour, minute;
};
std::optional<ClockReading> parseClockReading(std::string_view text);

// Answers given on the command line; a question without one is asked.
struct Options {
    std::optional<std::string> dataFile;
    std::optional<std::string> fosterCareReport;
    std::optional<std::string> adoptionReport;
    std::optional<std::string> stateCode;
    std::optional<std::string> fipsFile;
    std::optional<ClockReading> asOf;
    FindingsOptions findings;
    bool help = false;
    bool version = false;
};

// Parses the command line. On a bad option writes one line to `err` and
// returns nothing.
std::optional<Options> parseOptions(int argc, const char* const argv[], std::FILE* err);

// Runs the whole program; returns the exit status (0, or 1 with
// --fail-on-findings when a finding was made; -1 after a fatal error; 2 for a
// bad command line). `limits` lets tests stand in for
// exhausted memory.
int runProgram(int argc, const char* const argv[], const ProgramIo& io, const MemoryLimits& limits = {});

bool stateCodeInvalid(std::string_view code);
// True when both names denote one file: the same file on disk (through any
// path or link), or, for files that do not exist yet, the same path.
bool sameFile(const std::string& a, const std::string& b);
void initRunTables(RunContext& ctx);
void resetAdoptionCells(RunContext& ctx);
void resetFosterCareCells(RunContext& ctx);
// Adds the record's final states to the run counts; true when the record has
// a finding (a state other than '.' and '!').
bool tallyElementStates(RunContext& ctx, RecordKind kind);
void scanDataFile(RunContext& ctx, LineReader& reader);

}  // namespace vortel
