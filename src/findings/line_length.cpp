#include "findings/line_length.h"

#include <string>
#include <string_view>

#include "reports/output_kinds.h"

namespace vortel {

namespace {

std::string columnsText(long long first, long long last) {
    if (first == last) return "column " + std::to_string(first);
    return "columns " + std::to_string(first) + "-" + std::to_string(last);
}

// "characters 112-299", "character 112"; `more` between them and the verb.
std::string charactersText(long long first, long long last, std::string_view more = {}) {
    if (first == last) return "character " + std::to_string(first) + std::string(more) + " is";
    return "characters " + std::to_string(first) + "-" + std::to_string(last) + std::string(more) + " are";
}

// "The line holds 43 characters; an adoption record has 111".
std::string lineHolds(RecordKind kind, const LinePiece& p) {
    std::string text = p.lineLength < 0 ? "The line holds more than " + std::to_string(LineReader::kMaxLine)
                                        : "The line holds " + std::to_string(p.lineLength);
    text += p.lineLength == 1 ? " character; " : " characters; ";
    const std::string_view name = outputRow(kind).name;
    text += std::string_view("aeiou").find(name.front()) == std::string_view::npos ? "a " : "an ";
    text += name;
    text += " record has ";
    text += std::to_string(recordLength(kind));
    return text;
}

// What stands in the record's columns past the end of a short line.
std::string shortLineText(RecordKind kind, const LinePiece& p) {
    const long long length = recordLength(kind);
    const long long end = p.lineLength + 1;  // the first column past the line's characters
    std::string text = lineHolds(kind, p) + ": ";
    long long blankFrom = end;
    if (p.carriageReturn && end + 1 <= length) {
        text += columnsText(end, end + 1) + " hold the carriage return and line feed";
        blankFrom = end + 2;
    } else if (p.carriageReturn) {
        text += columnsText(end, end) + " holds the carriage return";
        blankFrom = end + 1;
    } else if (p.lineFeed) {
        text += columnsText(end, end) + " holds the line feed";
        blankFrom = end + 1;
    }
    if (blankFrom <= length) {
        if (blankFrom != end) text += " and ";
        text += columnsText(blankFrom, length) + (blankFrom == length ? " is" : " are") + " read as blank";
    }
    return text + ".";
}

std::string longLineText(RecordKind kind, const LinePiece& p) {
    const long long length = recordLength(kind);
    const auto max = static_cast<long long>(LineReader::kMaxLine);
    std::string text = lineHolds(kind, p) + ": ";
    if (p.pieces == 1) return text + charactersText(length + 1, p.lineLength) + " not checked.";
    text += "it is read as ";
    text += p.pieces > 1 ? std::to_string(p.pieces) + " records" : std::string("several records");
    text += " of at most " + std::to_string(max) + " characters, and ";
    const long long firstEnd = p.lineLength < 0 ? max : std::min(p.lineLength, max);
    return text + charactersText(length + 1, firstEnd, " of the first") + " not checked.";
}

}  // namespace

void addLengthFinding(RecordKind kind, const LinePiece& piece, long lineNumber, std::vector<Finding>& findings,
                      RecordWords& words) {
    const long long length = recordLength(kind);
    const bool rest = piece.index > 0;
    if (!rest && piece.lineLength == length) return;
    const bool isShort = !rest && piece.lineLength >= 0 && piece.lineLength < length;

    Finding f;
    f.element = kRecordElement;
    f.state = '\0';
    f.cell = kRecordCell;
    f.elementName = "line length";
    f.rule = words.keep(std::string(1, outputRow(kind).tag) + "-length");
    // The columns of the line that this record holds.
    const auto max = static_cast<long long>(LineReader::kMaxLine);
    const long long lineEnd = piece.lineLength < 0 ? piece.firstColumn + max - 1 : piece.lineLength;
    const long long last = std::min(lineEnd, piece.firstColumn + max - 1);
    if (piece.firstColumn <= last) {
        f.first = static_cast<int>(std::min<long long>(piece.firstColumn, 1'000'000'000));
        f.last = static_cast<int>(std::min<long long>(rest ? last : lineEnd, 1'000'000'000));
    }
    if (rest) {
        f.meaning = "rest of a long line";
        f.explanation = words.keep("The rest of line " + std::to_string(lineNumber) + ", read as a record of its own.");
    } else if (isShort) {
        f.meaning = "short line";
        f.explanation = words.keep(shortLineText(kind, piece));
    } else {
        f.meaning = "long line";
        f.explanation = words.keep(longLineText(kind, piece));
    }
    for (Finding& e : findings) e.followsFromLine = rest || (isShort && e.last > piece.lineLength);
    findings.insert(findings.begin(), f);
}

}  // namespace vortel
