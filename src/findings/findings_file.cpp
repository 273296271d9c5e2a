#include "findings/findings_file.h"

#include <cctype>
#include <filesystem>
#include <new>
#include <nlohmann/json.hpp>

#include "findings/findings_json.h"
#include "findings/findings_text.h"

namespace vortel {

namespace {

// CSV rows end in CR LF, the line break of RFC 4180.
constexpr std::string_view kCsvLineEnd = "\r\n";
// What a JSON document sets aside for writing its end.
constexpr std::size_t kReserveBytes = std::size_t{1} << 20;
constexpr std::string_view kCsvHeader =
    "kind,line,record_number,element,state,meaning,value,element_name,rule,explanation";

struct FormatName {
    std::string_view extension;
    FindingsFormat format;
};
constexpr FormatName kFormats[] = {{".csv", FindingsFormat::Csv}, {".json", FindingsFormat::Json}};

}  // namespace

std::optional<FindingsFormat> findingsFormatOf(std::string_view fileName) {
    std::string extension = std::filesystem::path(fileName).extension().string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const FormatName& f : kFormats)
        if (extension == f.extension) return f.format;
    return std::nullopt;
}

std::string_view recordKindName(RecordKind kind) { return kind == RecordKind::Adoption ? "adoption" : "foster care"; }

int FindingsFile::create(const std::string& name) {
    if (const int error = file_.create(name)) return error;
    if (format_ == FindingsFormat::Csv) {
        file_.out().put(kCsvHeader);
        file_.out().put(kCsvLineEnd);
    } else {
        if (const int error = records_.create(name)) return error;
        file_.out().put("{\n  \"findings\": [");
        reserve_.reset(new (std::nothrow) char[kReserveBytes]);
    }
    return 0;
}

void FindingsFile::write(RecordKind kind, long lineNumber, std::string_view recordNumber, const Finding& f) {
    row_.clear();
    const std::string line = std::to_string(lineNumber);
    const std::string_view state(&f.state, 1);
    if (format_ == FindingsFormat::Csv) {
        appendCsvField(row_, recordKindName(kind));
        row_ += ',';
        row_ += line;
        row_ += ',';
        appendCsvField(row_, recordNumber);
        row_ += ',';
        appendCsvField(row_, f.element);
        row_ += ',';
        appendCsvField(row_, state);
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
    } else {
        // One finding object at a time, so that the array streams to the file.
        const nlohmann::ordered_json finding = {{"kind", recordKindName(kind)},
                                                {"line", lineNumber},
                                                {"recordNumber", latin1ToUtf8(recordNumber)},
                                                {"element", f.element},
                                                {"state", latin1ToUtf8(state)},
                                                {"meaning", f.meaning},
                                                {"value", latin1ToUtf8(f.value)},
                                                {"elementName", f.elementName},
                                                {"rule", f.rule},
                                                {"explanation", latin1ToUtf8(f.explanation)}};
        row_ += first_ ? "\n    " : ",\n    ";
        row_ += finding.dump();
    }
    first_ = false;
    file_.out().put(row_);
}

void FindingsFile::finish(const nlohmann::ordered_json& rest, std::span<const MessageList* const> lists) {
    if (format_ == FindingsFormat::Json) {
        reserve_.reset();
        file_.out().flush();
        finishFrom_ = file_.file().position();
        // The rest of the document's members, indented like the findings;
        // names that are not UTF-8 get U+FFFD in place of their bad bytes.
        // Made before anything is written, so that a run that fails here can
        // still close the document (abandon).
        const std::string text = rest.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
        file_.out().put(first_ ? "]" : "\n  ]");
        // text is "{\n  ...\n}": keep its members, after the findings array.
        if (text.size() > 4) {
            file_.out().put(",\n");
            writeWithMessageLists(file_.out(), std::string_view(text).substr(2, text.size() - 4), lists);
        }
        // The record numbers last: the longest member, copied from where
        // they were kept during the run.
        Writer& out = file_.out();
        out.put(",\n  \"recordNumbers\": {");
        for (const RecordKind kind : {RecordKind::Adoption, RecordKind::FosterCare}) {
            out.put(kind == RecordKind::Adoption ? "\n    \"adoption\": [" : ",\n    \"fosterCare\": [");
            out.put(records_.writeJsonItems(out, kind, 6) == 0 ? "]" : "\n    ]");
        }
        out.put("\n  }\n}\n");
        finishFrom_ = -1;
    }
}

void FindingsFile::abandon() {
    if (format_ == FindingsFormat::Json && finishFrom_ >= 0) {
        Writer& out = file_.out();
        out.detach();
        if (const int error = file_.file().cutBackTo(finishFrom_)) throw OutputWriteError{file_.name(), error};
        out.attach(file_.file().file(), false, file_.name());
    }
    if (format_ == FindingsFormat::Json)
        file_.out().put(first_ ? "],\n  \"complete\": false\n}\n" : "\n  ],\n  \"complete\": false\n}\n");
}

}  // namespace vortel
