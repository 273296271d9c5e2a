#include "findings/findings_file.h"

#include <cctype>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "findings/findings_json.h"
#include "findings/findings_text.h"

namespace vortel {

namespace {

// CSV rows end in CR LF, the line break of RFC 4180.
constexpr std::string_view kCsvLineEnd = "\r\n";
constexpr std::string_view kCsvHeader = "kind,line,record_number,element,state,meaning,value";

// Memory held back for the end of a JSON document.
constexpr std::size_t kEndReserve = 256 * 1024;

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

std::string_view recordKindName(RecordKind kind) {
    return kind == RecordKind::Adoption ? "adoption" : "foster care";
}

int FindingsFile::create(const std::string& name) {
    if (const int error = file_.create(name)) return error;
    if (format_ == FindingsFormat::Csv) {
        file_.out().put(kCsvHeader);
        file_.out().put(kCsvLineEnd);
    } else {
        file_.out().put("{\n  \"findings\": [");
        reserve_ = std::make_unique<char[]>(kEndReserve);
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
        row_ += kCsvLineEnd;
    } else {
        // One finding object at a time, so that the array streams to the file.
        const nlohmann::ordered_json finding = {{"kind", recordKindName(kind)},
                                                {"line", lineNumber},
                                                {"recordNumber", latin1ToUtf8(recordNumber)},
                                                {"element", f.element},
                                                {"state", latin1ToUtf8(state)},
                                                {"meaning", f.meaning},
                                                {"value", latin1ToUtf8(f.value)}};
        row_ += first_ ? "\n    " : ",\n    ";
        row_ += finding.dump();
    }
    first_ = false;
    file_.out().put(row_);
}

void FindingsFile::finish(const nlohmann::ordered_json& rest, std::span<const MessageList* const> lists) {
    releaseReserve();
    if (format_ == FindingsFormat::Json) {
        file_.out().put(first_ ? "]" : "\n  ]");
        // The rest of the document's members, indented like the findings;
        // names that are not UTF-8 get U+FFFD in place of their bad bytes.
        const std::string text = rest.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
        // text is "{\n  ...\n}": keep its members, after the findings array.
        if (text.size() > 4) {
            file_.out().put(",\n");
            writeWithMessageLists(file_.out(), std::string_view(text).substr(2), lists);
        } else {
            file_.out().put("\n}");
        }
        file_.out().put("\n");
    }
    ended_ = true;
}

void FindingsFile::abandon() {
    if (format_ == FindingsFormat::Json && !ended_)
        file_.out().put(first_ ? "],\n  \"complete\": false\n}\n" : "\n  ],\n  \"complete\": false\n}\n");
}

}  // namespace vortel
