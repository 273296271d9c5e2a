// The fixed texts of the aggregate and footnote error listing, written out
// independently of the program for the tests that check that listing.
#pragma once

#include <string>

namespace vortel::testing {

inline const std::string kAggregateTitle = "\n\n\n" + std::string(27, ' ') + "Adoption Aggregate Errors";
inline const std::string kFootnoteTitle = "\n\n\n" + std::string(32, ' ') + "Footnote Errors";
inline const std::string kColumns = "\n\nError Description\n-----------------";
inline const std::string kBulletin =
    "\n\nPlease refer to VORTEL Technical Bulletin #3 for instructions"
    "\non how to properly format footnotes in an VORTEL submission"
    "\nfile.";
inline const std::string kNoteEnd =
    "\n       there was not enough memory available when processing data.  Please"
    "\n       remove any unnecessary programs from memory and try again.  If this"
    "\n       problem remains contact your technical liaison.";

}  // namespace vortel::testing
