// Reading the findings JSON of an earlier run for --compare: only what a
// comparison needs (the State, every detail record's number, every finding's
// record number and element) is kept, read by a reader made for this one
// document shape as the document streams by. White space, members it does
// not read and strings it does not need are checked and passed over without
// being kept, so that memory grows with the records and findings alone.
#pragma once

#include <optional>
#include <string>

#include "findings/comparison.h"

namespace vortel {

struct PreviousRun {
    std::string fileName;
    std::string state;
    RunFindings findings;
};

// Reads `fileName`. When it cannot be read, is not the findings JSON of a
// complete run in this format, or contradicts itself (a member read twice, a
// finding of a record its record lists lack, a finding twice for a record
// listed once), returns nothing with the reason in `error`, a sentence
// without its full stop for the command line's error message.
std::optional<PreviousRun> readPreviousRun(const std::string& fileName, std::string& error);

// The refusal of a previous run of another State than `state`, or nothing.
std::optional<std::string> previousStateError(const PreviousRun& previous, const std::string& state);

}  // namespace vortel
