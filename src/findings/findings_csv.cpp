// The findings file as CSV: a header row, then one row per finding.
#include <charconv>

#include "findings/findings_file.h"
#include "findings/findings_text.h"
#include "findings/line_length.h"
#include "findings/marked_rows.h"
#include "findings/row_pieces.h"

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

// The fields of a row from the element to the columns.
void appendFinding(std::string& row, const Finding& f) {
    appendCsvField(row, f.element);
    row += ',';
    appendCsvField(row, stateText(f));
    row += ',';
    appendCsvField(row, f.meaning);
    row += ',';
    appendCsvField(row, f.value);
    row += ',';
    appendCsvField(row, f.elementName);
    row += ',';
    appendCsvField(row, f.rule);
    row += ',';
    appendCsvField(row, f.explanation);
    row += ',';
    appendColumns(row, f);
}

// A row's change as the last field (empty without a comparison).
std::string_view csvChange(Change change) { return changeName(change); }

class CsvFindings final : public Output {
public:
    explicit CsvFindings(bool marksChanges) : marksChanges_(marksChanges) {}
    int create(const std::string& name) override {
        if (const int error = file_.create(name)) return error;
        if (marksChanges_)
            if (const int error = marked_.create(file_)) return error;
        file_.out().put(kCsvHeader);
        file_.out().put(kCsvLineEnd);
        return 0;
    }

    void record(RunContext&, const CheckedRecord& r) override {
        if (r.findings.empty()) return;
        Writer& out = marked_.rows(file_);
        // What every row of the record starts with: its kind, line and number.
        start_.clear();
        appendCsvField(start_, recordKindName(r.kind));
        start_ += ',';
        start_ += DecimalText(r.lineNumber).view();
        start_ += ',';
        appendCsvField(start_, r.recordNumber);
        start_ += ',';
        for (std::size_t i = 0; i < r.findings.size(); ++i) {
            const Finding& f = r.findings[i];
            // Each row built where the writer keeps what it is to write.
            std::string& row = out.appendTo();
            row += start_;
            if (const std::string* piece = pieces_[r.kind].find(f)) {
                row += *piece;
            } else {
                const std::size_t from = row.size();
                appendFinding(row, f);
                pieces_[r.kind].keep(f, std::string_view(row).substr(from));
            }
            row += ',';
            if (marked_.active()) marked_.mark(file_, r.kind, r.recordNumber, r.changes[i]);
            out.put(kCsvLineEnd);
        }
    }

    // With --compare, the marks that turned out otherwise are mended now.
    void end(const RunEnd& run) override { marked_.end(file_, run.marks); }
    WrittenOutput& output() override { return file_; }
    bool explains() const override { return true; }

private:
    WrittenOutput file_;
    bool marksChanges_;
    MarkedRows marked_{csvChange};
    std::string start_;
    PerKind<RowPieces> pieces_;
};

}  // namespace

std::unique_ptr<Output> makeCsvFindings(RunContext&, const FindingsOptions& options, const std::string&) {
    return std::make_unique<CsvFindings>(options.marksChanges);
}

}  // namespace vortel
