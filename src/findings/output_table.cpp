#include "findings/findings_file.h"
#include "findings/output.h"

namespace vortel {

// Each output's factory, defined beside its class.
std::unique_ptr<Output> makeFosterCareReport(RunContext&, const FindingsOptions&, const std::string&);
std::unique_ptr<Output> makeAdoptionReport(RunContext&, const FindingsOptions&, const std::string&);
std::unique_ptr<Output> makeErrorRecordsFile(RunContext&, const FindingsOptions&, const std::string&);
std::unique_ptr<Output> makeHtmlPage(RunContext&, const FindingsOptions&, const std::string&);
std::unique_ptr<Output> makeIndexCsv(RunContext&, const FindingsOptions&, const std::string&);
std::unique_ptr<Output> makeIndexPage(RunContext&, const FindingsOptions&, const std::string&);

namespace {

constexpr OutputRow kOutputs[] = {
    {"--foster-care-report", &FindingsOptions::fosterCareReport, ".foster-care.txt", "a report file",
     "the foster care report file", "the other report file", "foster care", makeFosterCareReport},
    {"--adoption-report", &FindingsOptions::adoptionReport, ".adoption.txt", "a report file",
     "the adoption report file", "the other report file", "adoption", makeAdoptionReport},
    {"--findings", &FindingsOptions::findingsFile, ".findings.json", "a findings file", "the findings file", "",
     "findings", makeFindingsFile},
    {"--error-records", &FindingsOptions::errorRecordsFile, "", "an error records file", "the error records file", "",
     "", makeErrorRecordsFile},
    {"--html", &FindingsOptions::htmlFile, ".html", "an HTML page", "the HTML page", "", "page", makeHtmlPage},
    // The index of a many-file run.
    {"--out-dir", nullptr, "index.csv", "an index", "the index", "", "", makeIndexCsv},
    {"--out-dir", nullptr, "index.html", "an index", "the index", "", "", makeIndexPage},
};

}  // namespace

std::span<const OutputRow> outputTable() { return kOutputs; }

const OutputRow* outputRowOf(std::optional<std::string> FindingsOptions::*file) {
    for (const OutputRow& row : kOutputs)
        if (row.file == file) return &row;
    return nullptr;
}

}  // namespace vortel
