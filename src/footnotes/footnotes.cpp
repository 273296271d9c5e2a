#include "footnotes/footnotes.h"

#include <cstdio>

#include "core/console.h"
#include "core/message_list.h"
#include "core/run_facts.h"
#include "fields/fields.h"
#include "footnotes/padded_line.h"

namespace vortel {

namespace {

// File type letters; case does not matter. Any other character sends the
// messages to both lists and accepts the foster care element numbers.
struct FileTypeRow {
    char letter;
    FootnoteFileType type;
};

constexpr FileTypeRow kFileTypes[] = {
    {'A', {FootnoteLists::Adoption, 37}},   {'a', {FootnoteLists::Adoption, 37}},    // adoption detail record
    {'G', {FootnoteLists::Adoption, 22}},   {'g', {FootnoteLists::Adoption, 22}},    // adoption aggregate record
    {'F', {FootnoteLists::FosterCare, 66}}, {'f', {FootnoteLists::FosterCare, 66}},  // foster care detail record
};
constexpr FootnoteFileType kUnknownFileType = {FootnoteLists::Both, 66};
constexpr std::string_view kFileTypeLetters = "AaFfGg";

// The header checks, run in this order on every footnote record.
struct FootnoteCheck {
    bool (*fails)(const RunFacts& facts, std::string_view record, const FootnoteFileType& type);
    std::string_view text;
    bool toBothLists;  // otherwise the lists of the file type letter
};

constexpr FootnoteCheck kChecks[] = {
    {[](const RunFacts& facts, std::string_view r, const FootnoteFileType&) {
         return fieldDiffers(field(r, 3, 4), facts.stateCode);
     },
     "Incorrect State FIPS code", false},
    {[](const RunFacts& facts, std::string_view r, const FootnoteFileType&) {
         return reportPeriodInvalid(field(r, 5, 10), facts.runDate);
     },
     "Invalid report period end date", false},
    {[](const RunFacts&, std::string_view r, const FootnoteFileType&) {
         return codeNotInList(column(r, 11), kFileTypeLetters);
     },
     "Invalid file type", true},
    {[](const RunFacts&, std::string_view r, const FootnoteFileType& type) {
         const std::string_view element = field(r, 12, 13);
         return isBlankField(element) || numberOutOfRange(element, 0, type.highestElement);
     },
     "Invalid element number", false},
};

constexpr std::string_view kAdoptionMemoryError = "\n\nMemory Error when evaluating adoption footnotes.\n\n";
constexpr std::string_view kFosterCareMemoryError = "\n\nMemory Error when evaluating foster care footnotes.\n\n";

bool appendAdoption(MessageLists& lists, Console console, std::string_view message) {
    return appendMessage(console, listOf(lists, kindRow(RecordKind::Adoption).footnotes), message,
                         kAdoptionFootnoteBlock, kAdoptionMemoryError);
}

bool appendFosterCare(MessageLists& lists, Console console, std::string_view message) {
    return appendMessage(console, listOf(lists, kindRow(RecordKind::FosterCare).footnotes), message,
                         kFosterCareFootnoteBlock, kFosterCareMemoryError);
}

// Appends to the lists named, adoption first. False when memory ran out; the
// message is then not offered to the second list either.
bool appendTo(MessageLists& errors, Console console, FootnoteLists lists, std::string_view message) {
    switch (lists) {
        case FootnoteLists::Adoption:
            return appendAdoption(errors, console, message);
        case FootnoteLists::FosterCare:
            return appendFosterCare(errors, console, message);
        case FootnoteLists::Both:
            return appendAdoption(errors, console, message) && appendFosterCare(errors, console, message);
    }
    return true;
}

}  // namespace

FootnoteFileType footnoteFileType(char letter) {
    for (const FileTypeRow& row : kFileTypes)
        if (row.letter == letter) return row.type;
    return kUnknownFileType;
}

std::string footnoteMessage(std::int64_t number, std::string_view text) {
    char prefix[48];
    std::snprintf(prefix, sizeof prefix, "Footnote %1.3lld:  ", static_cast<long long>(number));
    std::string message(prefix);
    message.append(text);
    return message;
}

void checkFootnote(const RunFacts& facts, MessageLists& errors, std::int64_t& count, Console console,
                   std::string_view line) {
    ++count;
    const PaddedLine padded(line, kFootnoteRecordLength);
    const std::string_view record = padded.record();
    const FootnoteFileType type = footnoteFileType(column(record, 11));

    for (const FootnoteCheck& check : kChecks) {
        if (!check.fails(facts, record, type)) continue;
        const FootnoteLists lists = check.toBothLists ? FootnoteLists::Both : type.lists;
        // Out of memory: the rest of the record is not checked and its count
        // is not shown.
        if (!appendTo(errors, console, lists, footnoteMessage(count, check.text))) return;
    }

    const long long number = static_cast<long long>(count);
    if (count == 1) {
        console.out.printf("\n         Footnote Records Checked.\r%8lld\r", number);
    } else {
        console.out.printf("%8lld Footnote Records Checked.\r", number);
    }
}

}  // namespace vortel
