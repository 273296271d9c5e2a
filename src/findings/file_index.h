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

}  // namespace vortel
