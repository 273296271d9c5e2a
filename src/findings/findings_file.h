// The findings file: one CSV row or one JSON object per finding, streamed to
// the file as records are checked, so that memory does not grow with the
// number of findings.
#pragma once

#include <memory>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/message_list.h"
#include "findings/finding_cells.h"
#include "findings/output_file.h"
#include "findings/record_list.h"

namespace vortel {

enum class FindingsFormat { Csv, Json };

// The version of the JSON document's layout ("formatVersion"): 2, the first
// with record lists (documents without the member are version 1).
inline constexpr int kFindingsFormatVersion = 2;

// The format named by the file's extension (.csv, .json, in any case), or
// nothing.
std::optional<FindingsFormat> findingsFormatOf(std::string_view fileName);

// "adoption" or "foster care".
std::string_view recordKindName(RecordKind kind);

class FindingsFile {
public:
    explicit FindingsFile(FindingsFormat format) : format_(format) {}

    // Creates the file and writes its start (the CSV header row, the JSON
    // document up to its findings array). Returns 0 or the system's error
    // number when it cannot be created.
    int create(const std::string& name);
    const std::string& name() const { return file_.name(); }
    FindingsFormat format() const { return format_; }

    void write(RecordKind kind, long lineNumber, std::string_view recordNumber, const Finding& finding);
    // Every detail record, with findings or without: the JSON document lists
    // their record numbers at its end.
    void listRecord(RecordKind kind, std::string_view recordNumber) {
        if (format_ == FindingsFormat::Json) records_.add(kind, recordNumber);
    }

    // Ends the file: the JSON document gets the findings array closed, the
    // members of `rest` (an object) after it, then "recordNumbers".
    // Markers of message lists in `rest` are replaced by the lists' messages.
    void finish(const nlohmann::ordered_json& rest, std::span<const MessageList* const> lists);
    // Ends a run that did not complete: a JSON document is closed with
    // "complete": false. What a `finish` that failed (out of memory) had
    // written is cut off first, where the file allows it.
    void abandon();
    WrittenOutput& output() { return file_; }

private:
    FindingsFormat format_;
    WrittenOutput file_;
    RecordList records_;
    long long finishFrom_ = -1;  // where `finish` began to write, while it is writing
    std::string row_;
    bool first_ = true;
    // Memory set aside when a JSON document is created and given back just
    // before its end is written: the end comes when a long run may have used
    // up what memory there is, and running out halfway through it would leave
    // a document that cannot be closed.
    std::unique_ptr<char[]> reserve_;
};

}  // namespace vortel
