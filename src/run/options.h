// The command line: one table of options, read by the parser and by --help.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "findings/findings.h"

namespace vortel {

// A fixed reading of the local clock ("YYYY-MM-DD HH:MM").
struct ClockReading {
    int year, month, day, hour, minute;
};
std::optional<ClockReading> parseClockReading(std::string_view text);

// Answers given on the command line; a question without one is asked.
struct Options {
    std::optional<std::string> dataFile;
    std::optional<std::string> stateCode;
    std::optional<std::string> fipsFile;
    std::optional<ClockReading> asOf;
    FindingsOptions findings;                // the outputs' names (the reports' included)
    std::optional<std::string> compareFile;  // --compare PREVIOUS.json
    std::optional<std::string> rulesFile;    // --rules FILE: write the rules document and stop
    bool help = false;
    bool version = false;
    bool quiet = false;  // no prompts and no running counts
    // Many data files in one command: each checked as a run of its own, its
    // outputs in the folder.
    std::optional<std::string> outDir;
    std::optional<std::string> jobs;  // -j N: how many files at once
    std::vector<std::string> dataFiles;
};

// Parses the command line. On a bad option (unknown, without its value, with
// a malformed value, or given twice) writes one line to `err` and returns
// nothing.
std::optional<Options> parseOptions(int argc, const char* const argv[], std::FILE* err);

// The text of --help, made from the option table.
std::string helpText();

}  // namespace vortel
