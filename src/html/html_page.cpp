#include "html/html_page.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdio>
#include <new>

#include "catalogue/catalogue.h"
#include "core/record_fields.h"
#include "core/run_context.h"
#include "core/version.h"
#include "findings/fix_first.h"
#include "findings/line_length.h"
#include "html/html_chart.h"
#include "html/html_text.h"
#include "html/page_assets.h"
#include "reports/listing.h"
#include "reports/output_kinds.h"
#include "reports/summary_report.h"

namespace vortel {

namespace {

// The number of the consistency group of a letter state (either case), or 0.
int groupNumberOf(RecordKind kind, char letter) {
    const GroupEntry* g = findGroupOfLetter(groupEntries(kind), letter);
    return g ? g->number : 0;
}

// Records named under "records with the most findings" per kind.
constexpr std::size_t kTopRecords = 10;
// Distinct local agency codes counted one by one; the rest together.
constexpr std::size_t kMaxCounties = 1000;
// Local agencies in the chart.
constexpr std::size_t kChartedCounties = 20;
// Memory held back for writing the page.
constexpr std::size_t kEndReserve = std::size_t{256} * 1024;
// Messages shown of each aggregate or footnote error list.
constexpr std::size_t kShownMessages = 200;

// The columns of foster care element 3, the local agency code.
constexpr int kCountyFirst = fostercare::columnOf(3);
constexpr int kCountyLast = fostercare::lastColumnOf(3);

std::string_view kindTitle(RecordKind kind) { return outputRow(kind).title; }
std::string_view kindId(RecordKind kind) { return outputRow(kind).pageId; }
char kindKey(RecordKind kind) { return outputRow(kind).pageKey; }
// The page names the local agency of each record of the kind.
bool hasCounty(RecordKind kind) { return outputRow(kind).countyColumn; }

// A rank: more findings first, then earlier in the file.
bool ranksAbove(int findings, long order, int otherFindings, long otherOrder) {
    return findings != otherFindings ? findings > otherFindings : order < otherOrder;
}

// Heap order of the listed records: the lowest ranked on top.
bool listedBefore(const HtmlPage::ListedRecord& a, const HtmlPage::ListedRecord& b) {
    return ranksAbove(a.findings, a.order, b.findings, b.order);
}

std::uint64_t countyKey(std::string_view code) {
    std::uint64_t key = 0;
    for (const char c : code) key = key << 8 | static_cast<unsigned char>(c);
    return key;
}

std::string countyCode(std::uint64_t key) {
    std::string code(static_cast<std::size_t>(kCountyLast - kCountyFirst + 1), ' ');
    for (std::size_t i = code.size(); i-- > 0; key >>= 8) code[i] = static_cast<char>(key & 0xFF);
    return code;
}

bool isBlank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

// A value of the data file in a table cell: blanks shown as such.
void appendValue(std::string& out, std::string_view value) {
    if (isBlank(value)) {
        out.append("<i>blank</i>");
    } else {
        out.append("<span class=v>");
        appendHtmlText(out, value);
        out.append("</span>");
    }
}

std::string percent(long part, long whole) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f%%",
                  whole == 0 ? 0.0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole));
    return text;
}

// "1 finding", "3 findings".
std::string counted(long n, std::string_view one, std::string_view many) {
    std::string text = groupedNumber(n);
    text.append(" ").append(n == 1 ? one : many);
    return text;
}

// The state of a finding as the filter selects it: missing, out of range,
// likely error (lower-case letter), will be deleted (upper-case letter).
char stateKey(const Finding& f) {
    if (isLengthFinding(f)) return 'r';
    if (isUpperState(f.state)) return 'u';
    if (isLetterState(f.state)) return 'l';
    return f.state;
}

// The findings a record ranks by: a record whose line has the wrong length
// counts once, by its length finding (its element findings follow from it).
int rankedFindings(std::span<const Finding> findings) {
    if (std::any_of(findings.begin(), findings.end(), isLengthFinding)) return 1;
    return static_cast<int>(findings.size());
}

// Where a listed record's rows take the marks of what changed, known only at
// the end of the run: bytes that no rendered text holds (the page escapes
// control characters).
constexpr char kChangePlace = '\x01';  // the row's data-c attribute
constexpr char kNewPlace = '\x02';     // the "new" mark after the element

constexpr ChartSeries kElementSeries[] = {
    {"bm", "missing", "data-missing"},
    {"bo", "out of range", "data-out-of-range"},
    {"bl", "likely errors", "data-likely-error"},
};
constexpr ChartSeries kCountySeries[] = {{"bf", "records with findings", "data-records-with-findings"}};

}  // namespace

HtmlPage::HtmlPage(long listedRecords, std::size_t listBudget, bool marksChanges)
    : listedLimit_(listedRecords), listBudget_(listBudget), marksChanges_(marksChanges) {}

// ------------------------------------------------------------ while checking

int HtmlPage::create(const std::string& name) {
    if (const int error = file_.create(name)) return error;
    reserve_ = std::make_unique<char[]>(kEndReserve);
    return 0;
}

std::unique_ptr<Output> makeHtmlPage(RunContext&, const FindingsOptions& options, const std::string&) {
    return std::make_unique<HtmlPage>(options.listedRecords(), HtmlPage::kListBudget, options.marksChanges);
}

void HtmlPage::record(RunContext&, const CheckedRecord& checked) {
    const RecordKind kind = checked.kind;
    const std::string_view record = checked.record;
    const long lineNumber = checked.lineNumber;
    const std::span<const Finding> findings = checked.findings;
    assert(!ended_);
    ++order_;
    if (hasCounty(kind)) countCounty(field(record, kCountyFirst, kCountyLast), findings.size());
    if (findings.empty()) return;

    KindTally& t = tally(kind);
    ++t.recordsWithFindings;
    t.findings += static_cast<long>(findings.size());
    // The element findings of a line of the wrong length follow from it:
    // the chart counts none of them.
    const bool wrongLength = std::any_of(findings.begin(), findings.end(), isLengthFinding);
    std::uint32_t groups = 0;
    for (const Finding& f : findings) {
        if (wrongLength) break;
        ElementCounts& c = t.cells[static_cast<std::size_t>(f.cell)];
        if (f.state == kMissing) {
            ++c.missing;
        } else if (f.state == kOutOfRange) {
            ++c.outOfRange;
        } else {
            ++c.likelyError;
        }
        if (isLetterState(f.state)) groups |= std::uint32_t{1} << groupNumberOf(kind, f.state);
    }
    for (std::size_t g = 1; g < t.groupRecords.size(); ++g)
        if (groups & (std::uint32_t{1} << g)) ++t.groupRecords[g];

    const int count = rankedFindings(findings);
    if (t.top.size() < kTopRecords || ranksAbove(count, order_, t.top.back().findings, t.top.back().order)) {
        const ColumnRange rn = recordNumberColumns(kind);
        RankedRecord r{count, order_, lineNumber, std::string(field(record, rn.first, rn.last)),
                       hasCounty(kind) ? std::string(field(record, kCountyFirst, kCountyLast)) : std::string()};
        auto at = std::find_if(t.top.begin(), t.top.end(),
                               [&](const RankedRecord& o) { return ranksAbove(count, order_, o.findings, o.order); });
        t.top.insert(at, std::move(r));
        if (t.top.size() > kTopRecords) t.top.pop_back();
    }
    listRecord(kind, record, lineNumber, findings);
}

void HtmlPage::countCounty(std::string_view county, std::size_t findings) {
    CountyCounts* c = nullptr;
    const std::uint64_t key = countyKey(county);
    if (const auto it = counties_.find(key); it != counties_.end()) {
        c = &it->second;
    } else if (counties_.size() < kMaxCounties) {
        c = &counties_[key];
    } else {
        c = &otherCounties_;
        otherCountiesSeen_ = true;
    }
    ++c->records;
    if (findings != 0) {
        ++c->recordsWithFindings;
        c->findings += static_cast<long>(findings);
    }
}

void HtmlPage::listRecord(RecordKind kind, std::string_view record, long lineNumber,
                          std::span<const Finding> findings) {
    const int count = rankedFindings(findings);
    if (leftOutBest_ && !ranksAbove(count, order_, leftOutBest_->first, leftOutBest_->second)) return;
    if (static_cast<long>(listed_.size()) >= listedLimit_) {
        // The list is full: a record that ranks below all of it is left out.
        if (listed_.empty() || !ranksAbove(count, order_, listed_.front().findings, listed_.front().order)) {
            leftOutBest_ = {count, order_};
            return;
        }
    }

    ListedRecord entry{count, order_, kind, {}, {}, {}};
    std::string& rows = entry.rows;
    const ColumnRange rn = recordNumberColumns(kind);
    const char* span = hasCounty(kind) ? "3" : "2";
    rows.append("<tbody data-k=").push_back(kindKey(kind));
    rows.append("><tr class=r><td>").append(std::to_string(lineNumber)).append("<td>");
    appendValue(rows, field(record, rn.first, rn.last));
    if (hasCounty(kind)) {
        rows.append("<td>");
        appendValue(rows, field(record, kCountyFirst, kCountyLast));
    }
    rows.append("<td colspan=6>")
        .append(counted(static_cast<long>(findings.size()), "finding", "findings"))
        .append("\n");
    if (marksChanges_) entry.number = toRecordNumber(field(record, rn.first, rn.last));
    const auto row = [&](const Finding& f) {
        rows.append("<tr data-e=").append(f.element).append(" data-s=").push_back(stateKey(f));
        if (isLetterState(f.state)) rows.append(" data-g=").append(std::to_string(groupNumberOf(kind, f.state)));
        if (marksChanges_) {
            // Where the change goes once it is known (see markedRows).
            rows.push_back(kChangePlace);
            entry.cells.push_back(static_cast<std::uint16_t>(f.cell));
        }
        rows.append(">");
        if (!f.followsFromLine) rows.append("<td colspan=").append(span).append(">");
        rows.append("<td>").append(f.element);
        if (marksChanges_) rows.push_back(kNewPlace);
        rows.append("<td>");
        appendHtmlText(rows, f.elementName);
        rows.append("<td class=c>");
        if (f.first != 0) rows.append(std::to_string(f.first)).append("-").append(std::to_string(f.last));
        rows.append("<td>");
        if (!isLengthFinding(f)) appendValue(rows, f.value);
        rows.append("<td>");
        appendHtmlText(rows, f.meaning);
        rows.append("<td>");
        if (!f.rule.empty()) {
            rows.append("<code>");
            appendHtmlText(rows, f.rule);
            rows.append("</code> ");
        }
        appendHtmlText(rows, f.explanation);
        rows.append("\n");
    };
    long following = 0;
    for (const Finding& f : findings) {
        if (f.followsFromLine) {
            ++following;
        } else {
            row(f);
        }
    }
    if (following != 0) {
        // The findings that follow from the line's length, folded under it.
        rows.append("<tr class=fold><td colspan=").append(span).append("><td colspan=6><details><summary>and ");
        rows.append(counted(following, "finding that follows", "findings that follow"));
        rows.append(" from the ").append(findings.front().meaning == "short line" ? "short" : "long");
        rows.append(" line</summary>\n<table class=folded>\n");
        for (const Finding& f : findings)
            if (f.followsFromLine) row(f);
        rows.append("</table></details>\n");
    }
    rows.append("</tbody>\n");

    listedBytes_ += rows.size();
    listed_.push_back(std::move(entry));
    std::push_heap(listed_.begin(), listed_.end(), listedBefore);
    // Drop the lowest ranked until the list keeps its limits.
    while (!listed_.empty() && (static_cast<long>(listed_.size()) > listedLimit_ || listedBytes_ > listBudget_)) {
        std::pop_heap(listed_.begin(), listed_.end(), listedBefore);
        const ListedRecord& last = listed_.back();
        if (!leftOutBest_ || ranksAbove(last.findings, last.order, leftOutBest_->first, leftOutBest_->second))
            leftOutBest_ = {last.findings, last.order};
        listedBytes_ -= last.rows.size();
        listed_.pop_back();
    }
}

// ------------------------------------------------------------ at the end

void HtmlPage::flush() {
    file_.out().put(html_);
    html_.clear();
}

void HtmlPage::end(const RunEnd& run) {
    reserve_.reset();
    if (ended_) return;
    ended_ = true;
    fixFirst_ = &run.fixFirst;
    otherStates_ = &run.otherStates;
    try {
        writePage(run);
    } catch (const std::bad_alloc&) {
        // What was written stands, closed with a note; the memory the page
        // held is given back first.
        std::string().swap(html_);
        std::vector<ListedRecord>().swap(listed_);
        file_.out().put(
            "\n<p class=alert>The page ends here: the run ran out of memory while writing it.</p>"
            "\n</main>\n</body>\n</html>\n");
    }
}

void HtmlPage::writePage(const RunEnd& run) {
    RunContext& ctx = run.ctx;
    const bool complete = run.complete;
    writeHead(ctx);
    writeRun(ctx, run.periods, complete, run.comparison != nullptr);
    if (run.comparison) writeComparison(*run.comparison);
    flush();
    for (const RecordKind kind : kAllRecordKinds) {
        writeKind(ctx, kind, complete);
        flush();
    }
    writeRecordTable(run.marks);
    html_.append("<footer>Written by vortel-dq ").append(kVersion);
    html_.append(
        ". The two text reports of the run are the reference; <code>--findings FILE</code> lists every "
        "finding.</footer>\n</main>\n<script>");
    html_.append(kPageScript);
    html_.append("</script>\n</body>\n</html>\n");
    flush();
}

// What changed since the earlier run: the counts of each kind, and per
// element the records with a finding there before and after.
void HtmlPage::writeComparison(const Comparison& comparison) {
    static constexpr ChartSeries kBeforeAfter[] = {
        {"bm", "records with a finding before", "data-before"},
        {"bf", "records with a finding now", "data-after"},
    };
    html_.append("<section id=comparison>\n<h2>Compared with the earlier run</h2>\n<p>Earlier findings: <code>");
    appendHtmlText(html_, comparison.previousFile, TextBytes::Utf8, TextPlace::Content);
    html_.append(
        "</code></p>\n<table class=comparison>\n<tr><th>Kind<th class=n>Still open<th class=n>Fixed"
        "<th class=n>Of removed records<th class=n>New<th class=n>Of added records<th class=n>Unmatched"
        "<th class=n>Records removed<th class=n>Records added\n");
    for (const RecordKind kind : kAllRecordKinds) {
        const KindComparison& k = comparison.of(kind);
        html_.append("<tr data-kind=").append(kindId(kind)).append("><td>");
        html_.append(kindTitle(kind));
        for (const long n : {k.stillOpen, k.fixed, k.findingsOfRemovedRecords, k.newFindings, k.findingsOfAddedRecords,
                             k.unmatched, k.recordsRemoved, k.recordsAdded})
            html_.append("<td class=n>").append(std::to_string(n));
        html_.append("\n");
    }
    html_.append(
        "</table>\n<p class=unmatched>Unmatched findings belong to records whose record number is blank or "
        "occurs more than once in either run, so that they cannot be paired with a record of the other run.</p>\n");
    for (const RecordKind kind : kAllRecordKinds) {
        const KindComparison& k = comparison.of(kind);
        html_.append("<h3>").append(kindTitle(kind)).append("</h3>\n");
        // The elements whose share of records with a finding changed, the
        // greatest change first.
        struct Changed {
            const ElementShare* share;
            double change;
        };
        std::vector<Changed> changed;
        for (const ElementShare& e : k.byElement) {
            const double before = sharePercent(e.before, k.recordsBefore).value_or(0.0);
            const double after = sharePercent(e.after, k.recordsAfter).value_or(0.0);
            if (before != after) changed.push_back({&e, after - before});
        }
        std::stable_sort(changed.begin(), changed.end(),
                         [](const Changed& a, const Changed& b) { return std::abs(a.change) > std::abs(b.change); });
        if (changed.empty()) {
            html_.append("<p>No element's share of records with a finding changed.</p>\n");
            continue;
        }
        std::vector<ChartBar> bars;
        for (const Changed& c : changed) {
            const ElementShare& e = *c.share;
            char change[32];
            std::snprintf(change, sizeof change, "%+.2f", c.change);
            ChartBar before;
            before.label = std::string(e.element).append(" before");
            before.tooltip = std::string("Element ").append(e.element).append(", earlier run");
            before.parts = {e.before, 0, 0};
            ChartBar after;
            after.label = std::string(e.element).append(" now");
            after.tooltip = std::string("Element ")
                                .append(e.element)
                                .append(", this run: ")
                                .append(change)
                                .append(" percentage points");
            after.attributes.append(" data-element=").append(e.element).append(" data-change=").append(change);
            after.parts = {0, e.after, 0};
            bars.push_back(std::move(before));
            bars.push_back(std::move(after));
        }
        appendBarChart(html_, std::string(kindTitle(kind)).append(": records with a finding, before and now"),
                       kBeforeAfter, bars);
    }
    html_.append("</section>\n");
}

void HtmlPage::writeHead(RunContext& ctx) {
    html_.append("<!DOCTYPE html>\n<html lang=en>\n<head>\n<meta charset=utf-8>\n");
    html_.append("<meta name=viewport content=\"width=device-width, initial-scale=1\">\n<title>");
    html_.append("VORTEL data quality: ");
    appendHtmlText(html_, ctx.dataFileName, TextBytes::Utf8, TextPlace::Attribute);
    html_.append("</title>\n<style>");
    html_.append(kPageStyle);
    html_.append("</style>\n</head>\n<body>\n");
}

void HtmlPage::writeRun(RunContext& ctx, const ReportPeriods& periods, bool complete, bool compared) {
    PerKind<long> recordsOf{};
    long records = 0, withFindings = 0, findings = 0;
    for (const RecordKind kind : kAllRecordKinds) {
        recordsOf[kind] = ctx.recordCount(kind);
        records += recordsOf[kind];
        withFindings += tally(kind).recordsWithFindings;
        findings += tally(kind).findings;
    }

    html_.append("<header>\n<h1>VORTEL data quality</h1>\n<p>");
    appendHtmlText(html_, ctx.dataFileName, TextBytes::Utf8);
    html_.append(" &middot; State ");
    appendHtmlText(html_, ctx.facts.stateCode, TextBytes::Utf8);
    html_.append(" &middot; checked ");
    appendHtmlText(html_, ctx.runTimestamp);
    html_.append("</p>\n<nav><a href=\"#run\">The run</a> ");
    if (compared) html_.append("<a href=\"#comparison\">Compared with the earlier run</a> ");
    html_.append("<a href=\"#fix-first\">Fix first</a> ");
    for (const RecordKind kind : kAllRecordKinds)
        html_.append("<a href=\"#").append(kindId(kind)).append("\">").append(kindTitle(kind)).append("</a> ");
    html_.append("<a href=\"#records\">Records with findings</a></nav>\n</header>\n<main>\n");

    html_.append("<section id=run>\n<h2>The run</h2>\n");
    if (!complete) {
        html_.append(
            "<p class=alert>The run did not complete: a fatal error ended it while the data file was read. "
            "This page shows the records checked until then; the summary messages and the aggregate and "
            "footnote errors of the end of the run are missing.</p>\n");
    }
    if (records == 0) {
        html_.append(
            "<p class=\"alert no-records\">No detail record was found: nothing was checked. A VORTEL file holds "
            "an Adoption section (a line starting with $) or a Foster Care section (a line starting with @), "
            "each followed by its summary record and its detail records.</p>\n");
    }
    for (const std::string& warning : otherStates_->warnings(ctx.facts.stateCode, recordsOf)) {
        html_.append("<p class=\"alert state-warning\">");
        appendHtmlText(html_, warning, TextBytes::Utf8);
        html_.append("</p>\n");
    }
    html_.append("<div class=cards>\n<div class=card><span>Detail records checked</span><b>")
        .append(groupedNumber(records))
        .append("</b></div>\n<div class=card><span>Records with findings</span><b>")
        .append(groupedNumber(withFindings))
        .append("</b><small>")
        .append(percent(withFindings, records))
        .append(
            " of the records</small></div>\n<div class=card><span>Findings</span><b id=total-findings "
            "data-total-findings=")
        .append(std::to_string(findings))
        .append(">")
        .append(groupedNumber(findings))
        .append("</b><small>one row each in the findings file</small></div>\n</div>\n");
    writeFixFirst(ctx, complete);

    html_.append("<div class=side>\n<table class=facts>\n<tr><th>Data file<td>");
    appendHtmlText(html_, ctx.dataFileName, TextBytes::Utf8);
    html_.append("\n<tr><th>State<td>");
    appendHtmlText(html_, ctx.facts.stateCode, TextBytes::Utf8);
    html_.append("\n<tr><th>County list<td>");
    appendHtmlText(html_, ctx.fipsFileName, TextBytes::Utf8);
    html_.append("\n<tr><th>Report periods<td>");
    if (periods.empty()) html_.append("none (no section)");
    for (std::size_t i = 0; i < periods.size(); ++i) {
        const auto& [kind, period] = periods[i];
        const PeriodLabel label = periodLabel(period);
        if (i != 0) html_.append("<br>");
        html_.append(kindTitle(kind)).append(": ");
        appendHtmlText(html_, label.month);
        html_.append(" ");
        appendHtmlText(html_, label.year);
        html_.append(" (<span class=v>");
        appendHtmlText(html_, period);
        html_.append("</span>)");
    }
    html_.append("\n<tr><th>Run time<td>");
    appendHtmlText(html_, ctx.runTimestamp);
    html_.append("\n<tr><th>Program<td>vortel-dq ").append(kVersion);
    html_.append("\n<tr><th>Run<td>").append(complete ? "complete" : "<b>did not complete</b>");
    html_.append("\n</table>\n");

    html_.append("<table class=counts>\n<tr><th>");
    for (const RecordKind kind : kAllRecordKinds) html_.append("<th class=n>").append(kindTitle(kind));
    html_.append("<th class=n>Total\n");
    const auto row = [&](std::string_view title, auto count) {
        html_.append("<tr><th>").append(title);
        long total = 0;
        for (const RecordKind kind : kAllRecordKinds) {
            total += count(kind);
            html_.append("<td class=n>").append(groupedNumber(count(kind)));
        }
        html_.append("<td class=n>").append(groupedNumber(total)).append("\n");
    };
    row("Detail records", [&](RecordKind kind) { return recordsOf[kind]; });
    row("Records with findings", [&](RecordKind kind) { return tally(kind).recordsWithFindings; });
    row("Findings", [&](RecordKind kind) { return tally(kind).findings; });
    html_.append("</table>\n</div>\n");
    if (!ctx.markerSeen && complete) {
        html_.append(
            "<p>The data file holds no marker line: no section was found (the reports say "
            "&ldquo;No delimiters found.&rdquo;).</p>\n");
    }
    html_.append("</section>\n");
}

// The actions to take first, each with the records it concerns and a link
// that filters the record table to them (a summary message: a link to it).
void HtmlPage::writeFixFirst(RunContext& ctx, bool complete) {
    const std::vector<FixAction> actions = fixFirst_->actions(ctx, complete);
    html_.append("<div id=fix-first>\n<h3>Fix first</h3>\n");
    if (actions.empty()) {
        html_.append("<p>Nothing to fix: no finding and no summary message over its threshold.</p>\n</div>\n");
        return;
    }
    html_.append(
        "<p>Ranked by the records each concerns; a line of the wrong length counts only under its own "
        "action.</p>\n<ol class=fix>\n");
    for (const FixAction& a : actions) {
        const char k = kindKey(a.kind);
        html_.append("<li data-action=\"").append(a.key()).append("\" data-kind=").append(kindId(a.kind));
        html_.append(" data-records=").append(std::to_string(a.records)).append("><a href=\"");
        switch (a.what) {
            case FixKind::Threshold:
                html_.append("#msg-").push_back(k);
                html_.append("-").append(std::to_string(a.message)).append("\"");
                break;
            case FixKind::Deleted:
                html_.append("#records\" data-w data-s=d data-e=").push_back(k);
                html_.append(":");
                break;
            case FixKind::County:
                html_.append("#records\" data-w data-s=2 data-e=").push_back(k);
                html_.append(":").append(a.element);
                break;
            case FixKind::Element:
                html_.append("#records\" data-w data-e=").push_back(k);
                html_.append(":").append(a.element);
                break;
            case FixKind::Length:
                html_.append("#records\" data-e=").push_back(k);
                html_.append(":").append(a.element);
                break;
        }
        html_.append(">");
        appendHtmlText(html_, a.text, TextBytes::Latin1, TextPlace::Attribute);
        html_.append("</a>: <b>").append(counted(a.records, "record", "records")).append("</b>, ");
        html_.append(percent(a.records, a.kindRecords)).append(" of the ");
        html_.append(outputRow(a.kind).name).append(" records\n");
    }
    html_.append("</ol>\n</div>\n");
}

void HtmlPage::writeKind(RunContext& ctx, RecordKind kind, bool complete) {
    const KindTally& t = tally(kind);
    const long records = ctx.recordCount(kind);
    html_.append("<section id=").append(kindId(kind)).append(">\n<h2>").append(kindTitle(kind)).append("</h2>\n<p>");
    if (records == 0) {
        html_.append("No ").append(outputRow(kind).name).append(" detail record was checked.");
    } else {
        html_.append(counted(records, "detail record", "detail records"))
            .append(", ")
            .append(groupedNumber(t.recordsWithFindings))
            .append(" with findings (")
            .append(percent(t.recordsWithFindings, records))
            .append("), ")
            .append(counted(t.findings, "finding", "findings"))
            .append(".");
    }
    html_.append("</p>\n");

    if (t.findings != 0) {
        // Elements, most records with a finding first (ties in the order of
        // the data errors table), with their share of the kind's records.
        std::vector<ChartBar> bars;
        for (const FindingCell& c : findingCells(kind)) {
            const ElementCounts& n = t.cells[static_cast<std::size_t>(c.cell)];
            if (n.total() == 0) continue;
            ChartBar b;
            b.label.append(c.label()).append(" ").append(entryAtCell(kind, c.cell)->name);
            b.tooltip = b.label;
            b.attributes.append(" data-element=").append(c.label());
            b.parts = {n.missing, n.outOfRange, n.likelyError};
            // One finding per element and record: the total is the records'.
            b.share = percent(n.total(), records);
            bars.push_back(std::move(b));
        }
        std::stable_sort(bars.begin(), bars.end(), [](const ChartBar& a, const ChartBar& b) {
            return a.parts[0] + a.parts[1] + a.parts[2] > b.parts[0] + b.parts[1] + b.parts[2];
        });
        html_.append(
            "<h3>Elements by records with findings</h3>\n<p class=key><span class=km>missing</span> "
            "<span class=ko>out of range</span> <span class=kl>likely error (consistency group)</span></p>\n");
        appendBarChart(html_, std::string(kindTitle(kind)).append(": records with findings by element"), kElementSeries,
                       bars);

        // Groups, most records marked first.
        std::vector<const GroupEntry*> groups;
        for (const GroupEntry& g : groupEntries(kind))
            if (t.groupRecords[static_cast<std::size_t>(g.number)] != 0) groups.push_back(&g);
        std::stable_sort(groups.begin(), groups.end(), [&](const GroupEntry* a, const GroupEntry* b) {
            return t.groupRecords[static_cast<std::size_t>(a->number)] >
                   t.groupRecords[static_cast<std::size_t>(b->number)];
        });
        html_.append("<h3>Consistency groups by records marked</h3>\n");
        if (groups.empty()) {
            html_.append("<p>No record was marked by a consistency group.</p>\n");
        } else {
            html_.append(
                "<table class=groups>\n<tr><th>Group<th>Letter<th>Elements<th class=n>Records marked"
                "<th class=n>Share of records\n");
            for (const GroupEntry* g : groups) {
                const long marked = t.groupRecords[static_cast<std::size_t>(g->number)];
                html_.append("<tr data-group=").append(std::to_string(g->number)).append(" data-records=");
                html_.append(std::to_string(marked)).append("><td>").append(std::to_string(g->number));
                html_.append("<td>").push_back(g->letter);
                html_.append(" / ").push_back(g->upperLetter());
                html_.append("<td>");
                const char* separator = "";
                for (const std::uint8_t e : g->elements) {
                    if (e == 0) continue;
                    html_.append(separator).append(std::to_string(e));
                    separator = ", ";
                }
                html_.append("<td class=n>").append(groupedNumber(marked));
                html_.append("<td class=n>").append(percent(marked, records)).append("\n");
            }
            html_.append("</table>\n");
        }

        html_.append(
            "<h3>Records with the most findings</h3>\n<table class=top>\n<tr><th class=n>Line"
            "<th>Record number");
        if (hasCounty(kind)) html_.append("<th>County");
        html_.append("<th class=n>Findings\n");
        for (const RankedRecord& r : t.top) {
            html_.append("<tr><td class=n>").append(std::to_string(r.line)).append("<td>");
            appendValue(html_, r.recordNumber);
            if (hasCounty(kind)) {
                html_.append("<td>");
                appendValue(html_, r.county);
            }
            html_.append("<td class=n>").append(std::to_string(r.findings)).append("\n");
        }
        html_.append("</table>\n");
    }
    if (hasCounty(kind) && records != 0) writeCounties();

    if (complete && records != 0) {
        const std::vector<SummaryMessage> messages = summaryMessages(ctx, kind);
        html_.append("<h3>Summary data quality messages</h3>\n");
        if (messages.empty()) html_.append("<p>None: no file-wide pattern was found.</p>\n");
        for (std::size_t i = 0; i < messages.size(); ++i) {
            const SummaryMessage& m = messages[i];
            html_.append("<pre class=msg id=msg-").push_back(kindKey(kind));
            html_.append("-").append(std::to_string(i)).append(">");
            appendProgramText(html_, m.text);
            html_.append("</pre>\n");
        }
    }
    if (complete) {
        for (const MessageListId id : kindRow(kind).messageLists)
            writeMessageList(ctx.messages(id), messageListRow(id).pageTitle);
    }
    html_.append("</section>\n");
}

void HtmlPage::writeCounties() {
    struct County {
        std::string code;
        bool other;
        CountyCounts counts;
    };
    std::vector<County> rows;
    for (const auto& [key, counts] : counties_) rows.push_back({countyCode(key), false, counts});
    std::sort(rows.begin(), rows.end(), [](const County& a, const County& b) {
        if (a.counts.recordsWithFindings != b.counts.recordsWithFindings)
            return a.counts.recordsWithFindings > b.counts.recordsWithFindings;
        if (a.counts.findings != b.counts.findings) return a.counts.findings > b.counts.findings;
        return a.code < b.code;
    });
    if (otherCountiesSeen_) rows.push_back({"", true, otherCounties_});

    html_.append("<h3>Records with findings by local agency (county, element 3)</h3>\n");
    std::vector<ChartBar> bars;
    for (const County& c : rows) {
        if (c.other || c.counts.findings == 0 || bars.size() == kChartedCounties) continue;
        ChartBar b;
        b.label = isBlank(c.code) ? "(blank)" : c.code;
        b.tooltip.append("County ").append(b.label);
        b.attributes.append(" data-county=\"").append(htmlText(c.code, TextBytes::Latin1, TextPlace::Attribute));
        b.attributes.append("\"");
        b.parts = {c.counts.recordsWithFindings, 0, 0};
        b.share = percent(c.counts.recordsWithFindings, c.counts.records);
        bars.push_back(std::move(b));
    }
    if (!bars.empty()) {
        if (bars.size() == kChartedCounties)
            html_.append("<p>The 20 local agencies with the most records with findings:</p>\n");
        appendBarChart(html_, "Foster care: records with findings by local agency (share of its records)",
                       kCountySeries, bars);
    }
    html_.append(
        "<table class=counties>\n<tr><th>County<th class=n>Records<th class=n>Records with findings"
        "<th class=n>Share<th class=n>Findings\n");
    for (const County& c : rows) {
        html_.append("<tr");
        if (!c.other) {
            html_.append(" data-county=\"").append(htmlText(c.code, TextBytes::Latin1, TextPlace::Attribute));
            html_.append("\" data-records=").append(std::to_string(c.counts.records));
            html_.append(" data-records-with-findings=").append(std::to_string(c.counts.recordsWithFindings));
            html_.append(" data-findings=").append(std::to_string(c.counts.findings));
        }
        html_.append("><td>");
        if (c.other) {
            html_.append("<i>other codes (past ").append(groupedNumber(kMaxCounties)).append(" distinct ones)</i>");
        } else {
            appendValue(html_, c.code);
        }
        html_.append("<td class=n>").append(groupedNumber(c.counts.records));
        html_.append("<td class=n>").append(groupedNumber(c.counts.recordsWithFindings));
        html_.append("<td class=n>").append(percent(c.counts.recordsWithFindings, c.counts.records));
        html_.append("<td class=n>").append(groupedNumber(c.counts.findings)).append("\n");
    }
    html_.append("</table>\n");
}

void HtmlPage::writeMessageList(const MessageList& list, std::string_view title) {
    if (!list.hasListing()) return;
    html_.append("<h3>").append(title).append("</h3>\n");
    if (list.count() == 0) {
        html_.append("<p>The list could not be kept: there was not enough memory. The report says so too.</p>\n");
        return;
    }
    html_.append("<ol class=msgs>\n");
    const std::size_t shown = std::min(list.count(), kShownMessages);
    for (std::size_t i = 0; i < shown; ++i) {
        html_.append("<li>");
        appendHtmlText(html_, list[i]);
        html_.append(".\n");
    }
    html_.append("</ol>\n");
    if (shown < list.count()) {
        html_.append("<p>")
            .append(counted(static_cast<long>(list.count() - shown), "more message", "more messages"))
            .append(": the report lists them all.</p>\n");
    }
}

std::string HtmlPage::markedRows(const ListedRecord& r, const ChangeMarks* marks) const {
    std::string out;
    out.reserve(r.rows.size() + 32);
    std::size_t next = 0;  // the finding whose row comes next
    Change change = Change::None;
    for (const char c : r.rows) {
        if (c == kChangePlace) {
            change = marks && next < r.cells.size() ? marks->of(r.kind, r.number, r.cells[next]) : Change::None;
            ++next;
            if (change != Change::None) out.append(" data-c=").append(changeName(change));
        } else if (c == kNewPlace) {
            if (change == Change::New) out.append(" <mark>new</mark>");
        } else {
            out.push_back(c);
        }
    }
    return out;
}

void HtmlPage::writeRecordTable(const ChangeMarks* marks) {
    long withFindings = 0;
    for (const KindTally& t : tallies_) withFindings += t.recordsWithFindings;
    const long listed = static_cast<long>(listed_.size());
    const long leftOut = withFindings - listed;
    html_.append("<section id=records>\n<h2>Records with findings</h2>\n<p>");
    if (withFindings == 0) {
        html_.append(withFindings + order_ == 0 ? "No detail record was checked.</p>\n</section>\n"
                                                : "No record has a finding.</p>\n</section>\n");
        return;
    }
    html_.append(listed == withFindings ? "Every record with findings is listed: "
                                        : "Listed are the records with the most findings (ties in the order of the "
                                          "file): ");
    html_.append(groupedNumber(listed)).append(" of ").append(groupedNumber(withFindings)).append(".");
    if (leftOut != 0) {
        html_.append(" <b id=left-out data-left-out=").append(std::to_string(leftOut)).append(">");
        html_.append(counted(leftOut, "record", "records")).append(" with findings ");
        html_.append(leftOut == 1 ? "is" : "are").append(" left out</b>");
        if (listed < listedLimit_) {
            html_.append(" (the list stops short of the ")
                .append(groupedNumber(listedLimit_))
                .append(" records of <code>--html-records</code> to keep the page small)");
        }
        html_.append("; <code>--findings FILE</code> lists every finding of every record.");
    }
    html_.append("</p>\n");

    // Most findings first; the heap is given up.
    std::sort(listed_.begin(), listed_.end(), listedBefore);

    // The filter: element, group and state. Hidden until the script runs.
    html_.append("<form id=filter hidden>\n<label>Element <select name=e><option value=\"\">all</option>");
    for (const RecordKind kind : kAllRecordKinds) {
        const KindTally& t = tally(kind);
        if (t.findings == 0) continue;
        html_.append("<optgroup label=\"").append(kindTitle(kind)).append("\">");
        for (const FindingCell& c : findingCells(kind)) {
            if (t.cells[static_cast<std::size_t>(c.cell)].total() == 0) continue;
            html_.append("<option value=").push_back(kindKey(kind));
            html_.append(":").append(c.label()).append(">").append(c.label()).append(" ");
            appendHtmlText(html_, entryAtCell(kind, c.cell)->name);
        }
        html_.append("</optgroup>");
    }
    html_.append("</select></label>\n<label>Group <select name=g><option value=\"\">all</option>");
    for (const RecordKind kind : kAllRecordKinds) {
        const KindTally& t = tally(kind);
        for (const GroupEntry& g : groupEntries(kind)) {
            if (t.groupRecords[static_cast<std::size_t>(g.number)] == 0) continue;
            html_.append("<option value=").push_back(kindKey(kind));
            html_.append(":").append(std::to_string(g.number)).append(">").append(kindTitle(kind));
            html_.append(" group ").append(std::to_string(g.number)).append(" (").push_back(g.letter);
            html_.append(")");
        }
    }
    html_.append(
        "</select></label>\n<label>Finding <select name=s><option value=\"\">all</option>"
        "<option value=1>1 missing<option value=2>2 out of range<option value=l>likely error (a-z)"
        "<option value=u>will be deleted (A-Z)<option value=d>will be deleted (2, A-Z)<option value=r>line "
        "length</select></label>\n"
        "<label>Record number <input type=search name=n size=14 autocomplete=off></label>\n");
    if (marks) html_.append("<label><input type=checkbox name=c value=new> New only</label>\n");
    html_.append("<output id=shown></output>\n</form>\n");

    // The listed records of each kind, in rank order.
    PerKind<std::vector<ListedRecord*>> listedOf;
    for (ListedRecord& r : listed_) listedOf[r.kind].push_back(&r);
    for (const RecordKind kind : kAllRecordKinds) {
        if (listedOf[kind].empty()) continue;
        html_.append("<h3>")
            .append(kindTitle(kind))
            .append(
                "</h3>\n<table class=recs>\n<thead><tr><th>Line"
                "<th>Record number");
        if (hasCounty(kind)) html_.append("<th>County");
        html_.append("<th>Element<th>Name<th>Columns<th>Value<th>Meaning<th>Explanation</thead>\n");
        flush();
        for (ListedRecord* r : listedOf[kind]) {
            file_.out().put(marksChanges_ ? markedRows(*r, marks) : r->rows);
            std::string().swap(r->rows);  // given back as soon as written
        }
        html_.append("</table>\n");
    }
    html_.append("</section>\n");
}

}  // namespace vortel
