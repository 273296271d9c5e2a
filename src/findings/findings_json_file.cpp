// The findings file as JSON: one document whose "findings" array is streamed
// a finding at a time as records are checked; the members that describe the
// whole run follow it when the run ends, the record numbers last.
#include <array>
#include <cassert>
#include <charconv>
#include <new>
#include <nlohmann/json.hpp>

#include "core/run_context.h"
#include "core/version.h"
#include "findings/comparison.h"
#include "findings/findings_file.h"
#include "findings/findings_json.h"
#include "findings/findings_text.h"
#include "findings/line_length.h"
#include "findings/marked_rows.h"
#include "findings/record_list.h"
#include "reports/output_kinds.h"

namespace vortel {

namespace {

using Json = nlohmann::ordered_json;

// What a JSON document sets aside for writing its end.
constexpr std::size_t kReserveBytes = std::size_t{1} << 20;

std::string runDateText(const RunDate& d) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
    return text;
}

void appendNumber(std::string& out, int n) {
    char text[16];
    out.append(text, std::to_chars(text, text + sizeof text, n).ptr);
}

// A finding's change as its last member (none without a comparison).
std::string_view jsonChange(Change change) {
    static constexpr std::string_view kMembers[] = {"", ",\"change\":\"new\"", ",\"change\":\"stillOpen\"",
                                                    ",\"change\":\"ofAddedRecord\"", ",\"change\":\"unmatched\""};
    return kMembers[static_cast<std::size_t>(change)];
}

class JsonFindings final : public Output {
public:
    explicit JsonFindings(bool marksChanges) : marksChanges_(marksChanges) {}
    int create(const std::string& name) override {
        if (const int error = file_.create(name)) return error;
        if (const int error = records_.create(name)) return error;
        if (marksChanges_)
            if (const int error = marked_.create(file_)) return error;
        file_.out().put("{\n  \"findings\": [");
        reserve_.reset(new (std::nothrow) char[kReserveBytes]);
        return 0;
    }

    void record(RunContext&, const CheckedRecord& r) override {
        assert(!finishing_ && !closed_);
        records_.add(r.kind, r.recordNumber);
        if (r.findings.empty()) return;
        // Each finding as the JSON library dumps an object of these members,
        // written straight from the finding where the writer keeps what it
        // is to write.
        Writer& out = marked_.rows(file_);
        const DecimalText line(r.lineNumber);
        for (std::size_t i = 0; i < r.findings.size(); ++i) {
            const Finding& f = r.findings[i];
            std::string& row = out.appendTo();
            row += first_ ? "\n    " : ",\n    ";
            first_ = false;
            row += "{\"kind\":\"";
            row += recordKindName(r.kind);
            row += "\",\"line\":";
            row += line.view();
            row += ",\"recordNumber\":";
            appendJsonString(row, r.recordNumber, JsonText::Latin1);
            row += ",\"element\":";
            appendJsonString(row, f.element, JsonText::Utf8);
            row += ",\"state\":";
            appendJsonString(row, stateText(f), JsonText::Latin1);
            row += ",\"meaning\":";
            appendJsonString(row, f.meaning, JsonText::Utf8);
            row += ",\"value\":";
            appendJsonString(row, f.value, JsonText::Latin1);
            row += ",\"elementName\":";
            appendJsonString(row, f.elementName, JsonText::Utf8);
            row += ",\"rule\":";
            appendJsonString(row, f.rule, JsonText::Utf8);
            row += ",\"explanation\":";
            appendJsonString(row, f.explanation, JsonText::Latin1);
            row += ",\"columns\":";
            if (f.first == 0) {
                row += "null";
            } else {
                row += '[';
                appendNumber(row, f.first);
                row += ',';
                appendNumber(row, f.last);
                row += ']';
            }
            if (marked_.active()) marked_.mark(file_, r.kind, r.recordNumber, r.changes[i]);
            out.put('}');
        }
    }

    // A complete run finishes the document; one that did not complete, or
    // whose finish failed halfway (out of memory), abandons it.
    void end(const RunEnd& run) override {
        if (closed_) return;
        if (run.complete && !finishing_) {
            finishing_ = true;
            finish(run);
        } else {
            abandon();
        }
        closed_ = true;
    }

    WrittenOutput& output() override { return file_; }
    bool explains() const override { return true; }

private:
    // The members of the document that follow its findings.
    Json endOfRunJson(const RunEnd& run) const;
    // Ends the document: the findings array closed, the members of the run
    // after it, then "recordNumbers".
    void finish(const RunEnd& run);
    // Ends a run that did not complete: the document is closed with
    // "complete": false. What a `finish` that failed (out of memory) had
    // written is cut off first, where the file allows it.
    void abandon();

    WrittenOutput file_;
    bool marksChanges_;
    MarkedRows marked_{jsonChange};
    RecordList records_;
    long long finishFrom_ = -1;  // where `finish` began to write, while it is writing
    bool first_ = true;
    bool finishing_ = false;  // finish() has begun
    bool closed_ = false;     // the document has its end
    // Memory set aside when the document is created and given back just
    // before its end is written: the end comes when a long run may have used
    // up what memory there is, and running out halfway through it would leave
    // a document that cannot be closed.
    std::unique_ptr<char[]> reserve_;
};

Json JsonFindings::endOfRunJson(const RunEnd& run) const {
    RunContext& ctx = run.ctx;
    Json periods = Json::array();
    for (const auto& [kind, period] : run.periods)
        periods.push_back({{"kind", recordKindName(kind)}, {"reportPeriod", latin1ToUtf8(period)}});
    auto kindJson = [&](RecordKind kind) {
        Json j = {{"records", ctx.recordCount(kind)},
                  {"recordsWithFindings", run.countsOf(kind).recordsWithFindings},
                  {"findings", run.countsOf(kind).findings},
                  {"dataErrors", dataErrorsJson(ctx, kind)},
                  {"summaryMessages", summaryMessagesJson(ctx, kind)}};
        // Places of the lists as finish() gives them: their index in the run's lists.
        for (const MessageListId id : kindRow(kind).messageLists)
            j[std::string(messageListRow(id).jsonKey)] = messageListJson(ctx.messages(id), listIndex(id));
        return j;
    };
    decltype(FindingCounts{}.findings) findingCount = 0;
    for (const RecordKind kind : kAllRecordKinds) findingCount += run.countsOf(kind).findings;
    Json rest = {{"complete", true},
                 {"formatVersion", kFindingsFormatVersion},
                 {"program", {{"name", "vortel-dq"}, {"version", kVersion}}},
                 {"run",
                  {{"dataFile", ctx.dataFileName},
                   {"state", ctx.facts.stateCode},
                   {"runDate", runDateText(ctx.facts.runDate)},
                   {"runTimestamp", ctx.runTimestamp},
                   {"reportPeriods", std::move(periods)}}},
                 {"findingCount", findingCount},
                 {"anyFinding", run.anyFinding}};
    for (const RecordKind kind : kAllRecordKinds) rest[std::string(outputRow(kind).jsonKey)] = kindJson(kind);
    if (run.comparison) rest["comparison"] = comparisonJson(*run.comparison);
    return rest;
}

void JsonFindings::finish(const RunEnd& run) {
    std::array<const MessageList*, kMessageLists> lists{};
    for (std::size_t i = 0; i < kMessageLists; ++i) lists[i] = &run.ctx.messageLists[i];
    reserve_.reset();
    marked_.end(file_, run.marks);
    file_.out().flush();
    finishFrom_ = file_.file().position();
    // The rest of the document's members, indented like the findings;
    // names that are not UTF-8 get U+FFFD in place of their bad bytes.
    // Made before anything is written, so that a run that fails here can
    // still close the document (abandon).
    const std::string text = endOfRunJson(run).dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
    file_.out().put(first_ ? "]" : "\n  ]");
    // text is "{\n  ...\n}": keep its members, after the findings array.
    if (text.size() > 4) {
        file_.out().put(",\n");
        writeWithFixedFindings(file_.out(), std::string_view(text).substr(2, text.size() - 4), run.comparison,
                               [&](std::string_view part) { writeWithMessageLists(file_.out(), part, lists); });
    }
    // The record numbers last: the longest member, copied from where
    // they were kept during the run.
    Writer& out = file_.out();
    out.put(",\n  \"recordNumbers\": {");
    const char* separator = "\n    \"";
    for (const RecordKind kind : kAllRecordKinds) {
        out.put(separator);
        out.put(outputRow(kind).jsonKey);
        out.put("\": [");
        separator = ",\n    \"";
        out.put(records_.writeJsonItems(out, kind, 6) == 0 ? "]" : "\n    ]");
    }
    out.put("\n  }\n}\n");
    finishFrom_ = -1;
}

void JsonFindings::abandon() {
    marked_.end(file_, nullptr);
    if (finishFrom_ >= 0) {
        Writer& out = file_.out();
        out.detach();
        if (const int error = file_.file().cutBackTo(finishFrom_)) throw OutputWriteError{file_.name(), error};
        out.attach(file_.file().file(), false, file_.name());
    }
    file_.out().put(first_ ? "],\n  \"complete\": false\n}\n" : "\n  ],\n  \"complete\": false\n}\n");
}

}  // namespace

std::unique_ptr<Output> makeJsonFindings(RunContext&, const FindingsOptions& options, const std::string&) {
    return std::make_unique<JsonFindings>(options.marksChanges);
}

}  // namespace vortel
