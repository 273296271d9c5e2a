// Footnote records: lines beginning with "%%", each a remark about one
// element of one of the State's files. Their header is checked and the
// errors are gathered in the adoption and foster care footnote error lists.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/message_list.h"

namespace vortel {

struct Console;
struct RunFacts;

// Only the header (columns 1-13) is read; shorter lines are padded to this.
inline constexpr std::size_t kFootnoteRecordLength = 14;
// The error lists obtain room for this many messages at a time.
inline constexpr std::size_t kAdoptionFootnoteBlock = 50;
inline constexpr std::size_t kFosterCareFootnoteBlock = 100;

// Which error lists a footnote's messages go to.
enum class FootnoteLists { Adoption, FosterCare, Both };

// What a file type letter (column 11) decides: where the messages go and the
// highest element number a footnote about that file may name.
struct FootnoteFileType {
    FootnoteLists lists;
    int highestElement;
};
FootnoteFileType footnoteFileType(char letter);

// "Footnote %1.3d:  <text>": the number at least three digits, zero-filled,
// and written whole however long it is.
std::string footnoteMessage(std::int64_t number, std::string_view text);

// Counts the footnote record in `count`, checks its header, appends one
// message per error to the footnote lists of `errors` and shows the running
// count on the console.
void checkFootnote(const RunFacts& facts, MessageLists& errors, std::int64_t& count, Console console,
                   std::string_view line);

}  // namespace vortel
