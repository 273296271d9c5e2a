// The findings file as CSV: a header row, then one row per finding.
#include "findings/findings_file.h"
#include "findings/findings_text.h"

namespace vortel {

namespace {

// CSV rows end in CR LF, the line break of RFC 4180.
constexpr std::string_view kCsvLineEnd = "\r\n";
constexpr std::string_view kCsvHeader =
    "kind,line,record_number,element,state,meaning,value,element_name,rule,explanation";

class CsvFindings final : public Output {
public:
    int create(const std::string& name) override {
        if (const int error = file_.create(name)) return error;
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
            appendCsvField(row_, std::string_view(&f.state, 1));
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
            row_ += kCsvLineEnd;
            out.put(row_);
        }
    }

    // Every row is written as its record is checked: nothing is left to end.
    void end(const RunEnd&) override {}
    WrittenOutput& output() override { return file_; }
    bool explains() const override { return true; }

private:
    WrittenOutput file_;
    std::string row_;
};

}  // namespace

std::unique_ptr<Output> makeCsvFindings(RunContext&, const FindingsOptions&, const std::string&) {
    return std::make_unique<CsvFindings>();
}

}  // namespace vortel
