#include "findings/error_records_file.h"

#include "core/line_reader.h"

namespace vortel {

void ErrorRecordsFile::beginSection(RecordKind, std::string_view markerLine, std::string_view summaryLine) {
    sectionLines_.assign(markerLine);
    sectionLines_.append(summaryLine);
    sectionPending_ = true;
}

void ErrorRecordsFile::copy(std::string_view record, std::string_view rawLine) {
    Writer& out = file_.out();
    if (sectionPending_) {
        out.put(sectionLines_);
        sectionPending_ = false;
    }
    const bool endsLine = !rawLine.empty() && rawLine.back() == '\n';
    if (endsLine || rawLine.size() >= LineReader::kMaxLine) {
        out.put(rawLine);
        return;
    }
    // The last line of the file, without its line feed: a line shorter than
    // its record stays so (it is the last line of this file too), so that
    // its length finding and what its missing columns gave stay the same; a
    // longer one gets its line feed after its record's columns.
    out.put(rawLine);
    if (record.size() <= rawLine.size()) out.put('\n');
}

std::unique_ptr<Output> makeErrorRecordsFile(RunContext&, const FindingsOptions&, const std::string&) {
    return std::make_unique<ErrorRecordsFile>();
}

}  // namespace vortel
