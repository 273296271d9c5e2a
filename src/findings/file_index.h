// The index of a many-file run: one row per data file with what its run
// counted and how it ended, as CSV (index.csv) and as a page (index.html,
// html/index_page.cpp). Both are outputs of the command, written once every
// file has been checked.
#pragma once

#include <string>

#include "findings/output.h"

namespace vortel {

// How a file's run ended, in words: "complete", "findings", or "failed: "
// and the message of the error that ended it.
std::string outcomeWords(const CheckedFile& file);

// The share of `part` in `whole` as a percentage with one decimal ("12.5"),
// "0.0" when `whole` is 0.
std::string shareText(long long part, long long whole);

}  // namespace vortel
