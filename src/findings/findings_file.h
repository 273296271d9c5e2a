// The findings file: one CSV row or one JSON object per finding, streamed to
// the file as records are checked, so that memory does not grow with the
// number of findings.
#pragma once

#include <nlohmann/json_fwd.hpp>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "findings/finding_cells.h"
#include "findings/output_file.h"
#include "core/message_list.h"

namespace vortel {

enum class FindingsFormat { Csv, Json };

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

    // Gives back the memory held for the end of the document, before what
    // goes there is made.
    void releaseReserve() { reserve_.reset(); }

    // Ends the file: the JSON document gets the findings array closed and
    // the members of `rest` (an object) after it.
    // Markers of message lists in `rest` are replaced by the lists' messages.
    void finish(const nlohmann::ordered_json& rest, std::span<const MessageList* const> lists);
    // Ends a run that did not complete: a JSON document is closed with
    // "complete": false.
    void abandon();
    WrittenOutput& output() { return file_; }

private:
    FindingsFormat format_;
    WrittenOutput file_;
    // Memory held back from the start of the run and given back when the
    // document's end is written: a run whose message lists took all the
    // memory there was can still write it whole.
    std::unique_ptr<char[]> reserve_;
    std::string row_;
    bool first_ = true;
    bool ended_ = false;  // finish() wrote the end: abandon() leaves it
};

}  // namespace vortel
