// The findings file as CSV: a header row, then one row per finding.
#include <charconv>

#include "findings/finding_spool.h"
#include "findings/findings_file.h"
#include "findings/findings_text.h"
#include "findings/line_length.h"

namespace vortel {

namespace {

// CSV rows end in CR LF, the line break of RFC 4180.
constexpr std::string_view kCsvLineEnd = "\r\n";
constexpr std::string_view kCsvHeader =
    "kind,line,record_number,element,state,meaning,value,element_name,rule,explanation,columns,change";

// "58-65": the columns of the finding's value; nothing when it has none.
void appendColumns(std::string& row, const Finding& f) {
    if (f.first == 0) return;
    char text[16];
    row.append(text, std::to_chars(text, text + sizeof text, f.first).ptr);
    row += '-';
    row.append(text, std::to_chars(text, text + sizeof text, f.last).ptr);
}

class CsvFindings final : public Output {
public:
    explicit CsvFindings(bool marksChanges) : marksChanges_(marksChanges) {}
    int create(const std::string& name) override {
        if (const int error = file_.create(name)) return error;
        if (marksChanges_)
            if (const int error = spool_.create(name)) return error;
        file_.out().put(kCsvHeader);
        file_.out().put(kCsvLineEnd);
        return 0;
    }

    void record(RunContext&, const CheckedRecord& r) override {
        Writer& out = file_.out();
        const std::string line = std::to_string(r.lineNumber);
        for (const Finding& f : r.findings) {
            row_.clear();
            appendCsvField(row_, recordKindName(r.kind));
            row_ += ',';
            row_ += line;
            row_ += ',';
            appendCsvField(row_, r.recordNumber);
            row_ += ',';
            appendCsvField(row_, f.element);
            row_ += ',';
            appendCsvField(row_, stateText(f));
            row_ += ',';
            appendCsvField(row_, f.meaning);
            row_ += ',';
            appendCsvField(row_, f.value);
            row_ += ',';
            appendCsvField(row_, f.elementName);
            row_ += ',';
            appendCsvField(row_, f.rule);
            row_ += ',';
            appendCsvField(row_, f.explanation);
            row_ += ',';
            appendColumns(row_, f);
            row_ += ',';
            if (spool_.active()) {
                spool_.add(r.kind, r.recordNumber, f.cell, row_);
                continue;
            }
            row_ += kCsvLineEnd;
            out.put(row_);
        }
    }

    // Every row is written as its record is checked, or with --compare
    // copied from the scratch file now, with its change.
    void end(const RunEnd& run) override {
        if (!spool_.active() || ended_) return;
        ended_ = true;
        Writer& out = file_.out();
        spool_.copy(run.marks, [&](std::string_view row, Change change) {
            out.put(row);
            out.put(changeName(change));
            out.put(kCsvLineEnd);
        });
    }
    WrittenOutput& output() override { return file_; }
    bool explains() const override { return true; }

private:
    WrittenOutput file_;
    bool marksChanges_;
    bool ended_ = false;
    FindingSpool spool_;
    std::string row_;
};

}  // namespace

std::unique_ptr<Output> makeCsvFindings(RunContext&, const FindingsOptions& options, const std::string&) {
    return std::make_unique<CsvFindings>(options.marksChanges);
}

}  // namespace vortel
