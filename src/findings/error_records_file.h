// The error records file: the detail records that have findings, copied as
// they stood in the data file, each section's marker line and summary record
// before its first copied record, so that the file can be corrected and
// checked again on its own.
//
// Lines longer than the reader's 299 characters are read, checked and copied
// in pieces: a piece of 299 characters is copied without a line feed, so
// that whatever follows it in this file (the rest of its line when that was
// copied too, else the next line copied) is read again as a piece of its
// own, exactly as it was checked. Only the last line of a data file can end
// without a line feed and be shorter than 299 characters: it is the last
// line copied too, and stays without one when it is shorter than its
// record; a longer one gets a line feed, which falls outside the record's
// columns and leaves its length as it was, so the findings stay the same.
#pragma once

#include <string>
#include <string_view>

#include "core/element_table.h"
#include "findings/output.h"
#include "findings/output_file.h"

namespace vortel {

class ErrorRecordsFile final : public Output {
public:
    // Returns 0 or the system's error number.
    int create(const std::string& name) override { return file_.create(name); }
    const std::string& name() const { return file_.name(); }

    // A new section: its lines are copied before its first copied record.
    void beginSection(RecordKind, std::string_view markerLine, std::string_view summaryLine) override;
    // Copies a detail record with findings.
    void record(RunContext&, const CheckedRecord& r) override {
        if (!r.findings.empty()) copy(r.record, r.rawLine);
    }
    // Each record is copied as it is checked: nothing is left to end.
    void end(const RunEnd&) override {}
    WrittenOutput& output() override { return file_; }

    // Copies a detail record: `rawLine` as read, `record` the same record
    // padded to its record length.
    void copy(std::string_view record, std::string_view rawLine);

private:
    WrittenOutput file_;
    std::string sectionLines_;
    bool sectionPending_ = false;
};

}  // namespace vortel
