#include "findings/findings_file.h"
#include "findings/output.h"

namespace vortel {

// Each output's factory, defined beside its class.
std::unique_ptr<Output> makeErrorRecordsFile(const FindingsOptions&, const std::string&);
std::unique_ptr<Output> makeHtmlPage(const FindingsOptions&, const std::string&);

namespace {

constexpr OutputRow kOutputs[] = {
    {"--findings", &FindingsOptions::findingsFile, ".findings.json", "a findings file", "the findings file",
     makeFindingsFile},
    {"--error-records", &FindingsOptions::errorRecordsFile, "", "an error records file", "the error records file",
     makeErrorRecordsFile},
    {"--html", &FindingsOptions::htmlFile, ".html", "an HTML page", "the HTML page", makeHtmlPage},
};

}  // namespace

std::span<const OutputRow> outputTable() { return kOutputs; }

}  // namespace vortel
