#include "core/number_text.h"
#include "findings/file_index.h"
#include "findings/findings_text.h"

namespace vortel {

namespace {

class IndexCsv final : public Output {
public:
    int create(const std::string& name) override { return file_.create(name); }
    void start(RunContext&) override {
        file_.out().put(
            "file,status,adoption_records,adoption_records_with_findings,foster_care_records,"
            "foster_care_records_with_findings,findings,records,records_with_findings,share_with_findings,outcome\r\n");
    }
    void record(RunContext&, const CheckedRecord&) override {}
    void fileChecked(const CheckedFile& f) override {
        const RunTotals& t = f.totals;
        std::string line;
        appendCsvField(line, f.dataFile);
        line += "," + std::to_string(f.status == -1 ? 255 : f.status);
        for (const long long n : {t.adoptionRecords, t.adoptionRecordsWithFindings, t.fosterCareRecords,
                                  t.fosterCareRecordsWithFindings, t.findings, t.records(), t.recordsWithFindings()})
            line += "," + std::to_string(n);
        // The share as a number, without its % sign.
        std::string share = shareText(static_cast<long>(t.recordsWithFindings()), static_cast<long>(t.records()));
        share.pop_back();
        line += "," + share + ",";
        appendCsvField(line, outcomeWords(f));
        line += "\r\n";
        file_.out().put(line);
    }
    void end(const RunEnd&) override {}
    WrittenOutput& output() override { return file_; }

private:
    WrittenOutput file_;
};

}  // namespace

std::string outcomeWords(const CheckedFile& file) {
    if (file.status == -1) return "failed: " + std::string(file.failure);
    return file.totals.anyFinding ? "findings" : "complete";
}

std::unique_ptr<Output> makeIndexCsv(RunContext&, const FindingsOptions&, const std::string&) {
    return std::make_unique<IndexCsv>();
}

}  // namespace vortel
