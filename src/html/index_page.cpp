// The index of a many-file run as a page (index.html), in the style of the
// run's page: the run's date and State, one row per data file with what its
// run counted, how it ended and links to its outputs, and a totals row.
#include "core/number_text.h"
#include "core/run_context.h"
#include "core/version.h"
#include "findings/file_index.h"
#include "html/html_text.h"
#include "html/page_assets.h"

namespace vortel {

namespace {

// A link to a file beside the index: a relative reference beginning "./",
// every byte but A-Z a-z 0-9 - . _ ~ / percent-encoded (RFC 3986), so that no
// name can become a scheme, a query or a fragment; then escaped as HTML.
// A row's count cells: records, records with findings, their share,
// findings; then the status cell is opened.
void appendCountCells(std::string& html, const RunTotals& t) {
    html.append("<td class=n>")
        .append(groupedNumber(static_cast<long>(t.records())))
        .append("</td><td class=n>")
        .append(groupedNumber(static_cast<long>(t.recordsWithFindings())))
        .append("</td><td class=n>")
        .append(shareText(static_cast<long>(t.recordsWithFindings()), static_cast<long>(t.records())))
        .append("</td><td class=n>")
        .append(groupedNumber(static_cast<long>(t.findings)))
        .append("</td><td class=status>");
}

std::string linkTo(const std::string& fileName) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string reference = "./";
    for (const char ch : fileName) {
        const auto c = static_cast<unsigned char>(ch);
        const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                                c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
        if (unreserved) {
            reference.push_back(ch);
        } else {
            reference.push_back('%');
            reference.push_back(kHex[c >> 4]);
            reference.push_back(kHex[c & 0x0F]);
        }
    }
    return htmlText(reference, TextBytes::Utf8, TextPlace::Attribute);
}

// What the index adds to the page's style: failed files and the totals row.
constexpr std::string_view kIndexStyle =
    "table.index tr.failed td{color:var(--o)}\n"
    "table.index tfoot td,table.index tfoot th{font-weight:650;border-top:2px solid var(--head);"
    "background:var(--soft)}\n";

class IndexPage final : public Output {
public:
    int create(const std::string& name) override { return file_.create(name); }
    void start(RunContext& ctx) override;
    void record(RunContext&, const CheckedRecord&) override {}
    void fileChecked(const CheckedFile& f) override;
    void end(const RunEnd& run) override;
    WrittenOutput& output() override { return file_; }

private:
    WrittenOutput file_;
    RunTotals totals_;
    long files_ = 0;
    long withFindings_ = 0;
    long failed_ = 0;
};

void IndexPage::start(RunContext& ctx) {
    std::string html =
        "<!DOCTYPE html>\n<html lang=en>\n<head>\n<meta charset=utf-8>\n"
        "<meta name=viewport content=\"width=device-width, initial-scale=1\">\n"
        "<title>VORTEL data quality: files checked</title>\n<style>";
    html.append(kPageStyle).append(kIndexStyle).append("</style>\n</head>\n<body>\n");
    html.append("<header>\n<h1>VORTEL data quality: files checked</h1>\n<p>State ");
    appendHtmlText(html, ctx.facts.stateCode, TextBytes::Utf8);
    html.append(" &middot; checked ");
    appendHtmlText(html, ctx.runTimestamp);
    html.append(
        "</p>\n</header>\n<main>\n<div class=frame>\n<table class=index>\n<thead><tr><th>File</th>"
        "<th class=n>Records checked</th><th class=n>Records with findings</th><th class=n>Share</th>"
        "<th class=n>Findings</th><th>Status</th><th>Outputs</th></tr></thead>\n<tbody>\n");
    file_.out().put(html);
}

void IndexPage::fileChecked(const CheckedFile& f) {
    const RunTotals& t = f.totals;
    ++files_;
    if (f.status == -1) ++failed_;
    if (f.status != -1 && t.anyFinding) ++withFindings_;
    totals_.adoptionRecords += t.adoptionRecords;
    totals_.fosterCareRecords += t.fosterCareRecords;
    totals_.adoptionRecordsWithFindings += t.adoptionRecordsWithFindings;
    totals_.fosterCareRecordsWithFindings += t.fosterCareRecordsWithFindings;
    totals_.findings += t.findings;

    std::string html = f.status == -1 ? "<tr class=failed><td>" : "<tr><td>";
    appendHtmlText(html, f.dataFile, TextBytes::Utf8);
    html.append("</td>");
    appendCountCells(html, t);
    appendHtmlText(html, outcomeWords(f), TextBytes::Utf8);
    html.append("</td><td>");
    for (const OutputRow& row : outputTable()) {
        if (!row.file || row.manyFileName.empty() || row.linkWord.empty()) continue;
        html.append("<a href=\"")
            .append(linkTo(std::string(f.stem).append(row.manyFileName)))
            .append("\">")
            .append(row.linkWord)
            .append("</a> ");
    }
    html.append("</td></tr>\n");
    file_.out().put(html);
}

void IndexPage::end(const RunEnd&) {
    const RunTotals& t = totals_;
    std::string html = "</tbody>\n<tfoot><tr class=totals><th>Total, ";
    html.append(groupedNumber(files_)).append(files_ == 1 ? " file" : " files").append("</th>");
    appendCountCells(html, t);
    html.append(groupedNumber(withFindings_))
        .append(" with findings, ")
        .append(groupedNumber(failed_))
        .append(" failed</td><td></td></tr></tfoot>\n</table>\n</div>\n<footer>vortel-dq ")
        .append(kVersion)
        .append("</footer>\n</main>\n</body>\n</html>\n");
    file_.out().put(html);
}

}  // namespace

std::unique_ptr<Output> makeIndexPage(RunContext&, const FindingsOptions&, const std::string&) {
    return std::make_unique<IndexPage>();
}

}  // namespace vortel
