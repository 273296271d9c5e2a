// The rules the program checks with, as a document: per record kind the
// record layout with each element's test, the date-pair rows, each
// consistency group's decision table and the summary tallies. Made from the
// catalogues, the check tables and the words the findings explain with, so
// that it always says what the program does.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vortel {

enum class RulesFormat { Markdown, Html };

// The format a file name asks for: ".md" or ".html"; nothing for another
// ending.
std::optional<RulesFormat> rulesFormatOf(std::string_view fileName);

// The whole document.
std::string rulesDocument(RulesFormat format);

// Writes the document to `fileName` as every output is written (a temporary
// moved into place once complete). Returns 0 or the system's error number.
int writeRulesDocument(const std::string& fileName, RulesFormat format);

}  // namespace vortel
