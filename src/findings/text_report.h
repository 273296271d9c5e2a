// The two text reports as outputs of the run: each written in text mode
// through the run context's writer of its report, piece by piece as the pass
// reaches the places the report fixes (heading, listing heading per section,
// a line per record with a finding, the listing's end and the summary
// heading per section, and at the end of the run the summary report, the
// data errors table and the error listing).
#pragma once

#include "core/element_table.h"
#include "findings/output.h"

namespace vortel {

class TextReport final : public Output {
public:
    TextReport(RunContext& ctx, RecordKind kind);
    int create(const std::string& name) override { return file_.create(name, true); }
    void start(RunContext& ctx) override;
    void beginSection(RecordKind kind, std::string_view markerLine, std::string_view summaryLine) override;
    void record(RunContext& ctx, const CheckedRecord& record) override;
    void endSection(RunContext& ctx, RecordKind kind) override;
    // A run ended by a fatal error keeps what was written.
    void end(const RunEnd& run) override;
    WrittenOutput& output() override { return file_; }
    bool takesFindings() const override { return false; }

private:
    // True for the sections and records of this report's kind.
    bool ofThisReport(RecordKind kind) const;

    RunContext& ctx_;
    RecordKind kind_;
    WrittenOutput file_;
};

// The end of the kind's report at the end of a complete run: the summary
// report, the data errors table and the error listing when the run checked
// records of the kind, else the error listing alone or the note that the
// kind has no data.
void writeReportEnd(RunContext& ctx, RecordKind kind);

}  // namespace vortel
