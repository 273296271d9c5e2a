// What the outputs show of each record kind and of each message list: one row
// per kind and one per list, in order, so that the reports, the findings and
// the page look a kind up instead of naming it.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "adoption/adoption_tallies.h"
#include "core/message_list.h"
#include "core/record_kind.h"
#include "core/summary_tally.h"
#include "fostercare/fostercare_tallies.h"

namespace vortel {

struct OutputKindRow {
    RecordKind kind;
    std::string_view name;        // "adoption": findings, sentences
    std::string_view title;       // "Adoption": the page and the rules document
    std::string_view reportName;  // "Adoption": the comparison's lines
    std::string_view jsonKey;     // "adoption": members of the findings document
    std::string_view pageId;      // "adoption": the page's section
    char pageKey;                 // 'a': the page's record and filter keys
    char tag;                     // 'A': rule ids, kept record numbers
    bool countyColumn;            // records carry a local agency code (element 3), shown on the page
    std::span<const TallyRow> (*tallyRows)();

    // The text report: its title lines, the period line's indent, the end of
    // the legend's note, the element number ruler (dashes left and right of
    // its title, then the blanks before each tens digit), the summary title.
    int titleIndent;
    std::string_view title1;
    int subtitleIndent;
    int periodIndent;
    std::string_view noteEnd;
    int rulerDashesLeft;
    int rulerDashesRight;
    std::span<const int> rulerTens;
    std::string_view summaryTitle;
};

inline constexpr int kAdoptionRulerTens[] = {12, 15, 14};
inline constexpr int kFosterCareRulerTens[] = {12, 9, 9, 9, 15, 13};

inline constexpr std::array<OutputKindRow, kRecordKinds> kOutputKindRows = {{
    {RecordKind::Adoption, "adoption", "Adoption", "Adoption", "adoption", "adoption", 'a', 'A', false,
     adoptionTallyRows, 26, "VORTEL Adoption", 14, 13, "\n       federal VORTEL.\n\n", 20, 20, kAdoptionRulerTens,
     "\n\n\n\n                                VORTEL Adoption"},
    {RecordKind::FosterCare, "foster care", "Foster care", "Foster Care", "fosterCare", "foster-care", 'f', 'F', true,
     fosterCareTallyRows, 41, "VORTEL Foster Care", 30, 29, "\n       federal VORTEL.", 32, 40, kFosterCareRulerTens,
     "\n\n\n\n                               VORTEL Foster Care"},
}};
static_assert(rowsInKindOrder(kOutputKindRows));

constexpr const OutputKindRow& outputRow(RecordKind kind) { return kOutputKindRows[kindIndex(kind)]; }

// How the outputs show a message list.
struct MessageListRow {
    MessageListId id;
    // The report's listing block: its title, the note written in its place
    // when the list ran out of memory (first line), and whether it ends with
    // the pointer to the rules for footnotes.
    int titleIndent;
    std::string_view title;
    std::string_view memoryNote;
    bool bulletinReference;
    std::string_view pageTitle;  // the page's heading
    std::string_view jsonKey;    // the member of the kind in the findings document
};

inline constexpr std::array<MessageListRow, kMessageLists> kMessageListRows = {{
    {MessageListId::AdoptionAggregate, 27, "Adoption Aggregate Errors",
     "\n\nNOTE:  The program was unable to print adoption aggregate errors because", false, "Adoption aggregate errors",
     "aggregateErrors"},
    {MessageListId::AdoptionFootnotes, 32, "Footnote Errors",
     "\n\nNOTE:  The program was unable to print adoption footnote errors because", true, "Footnote errors",
     "footnoteErrors"},
    {MessageListId::FosterCareFootnotes, 32, "Footnote Errors",
     "\n\nNOTE:  The program was unable to print foster care footnote errors because", true, "Footnote errors",
     "footnoteErrors"},
}};
constexpr bool listRowsInOrder() {
    for (std::size_t i = 0; i < kMessageLists; ++i)
        if (listIndex(kMessageListRows[i].id) != i) return false;
    return true;
}
static_assert(listRowsInOrder());

constexpr const MessageListRow& messageListRow(MessageListId id) { return kMessageListRows[listIndex(id)]; }

}  // namespace vortel
