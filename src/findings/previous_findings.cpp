#include "findings/previous_findings.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <vector>

#include "core/files.h"
#include "core/platform.h"
#include "findings/finding_cells.h"
#include "findings/findings_file.h"
#include "findings/findings_text.h"

namespace vortel {

namespace {

using Json = nlohmann::json;

// Where a value stands in the document, as far as the reader cares.
enum class Slot {
    Root,
    FindingsArray,      // "findings"
    Complete,           // "complete"
    FormatVersion,      // "formatVersion"
    RunObject,          // "run"
    RecordListsObject,  // "recordNumbers"
    FindingObject,      // an item of "findings"
    FindingKind,        // its "kind", "recordNumber", "element"
    FindingNumber,
    FindingElement,
    State,         // "run": "state"
    AdoptionList,  // "recordNumbers": "adoption", "fosterCare"
    FosterCareList,
    AdoptionNumber,  // an item of those
    FosterCareNumber,
    Ignored,  // anything else, with all it holds
};

// The containers the reader is inside.
enum class Frame { Top, Findings, Finding, Run, RecordLists, AdoptionList, FosterCareList, Other };

struct Level {
    Frame frame;
    std::string key;  // of the member being read, in an object
};

// The finding being read.
struct PendingFinding {
    std::optional<std::string> kind, recordNumber, element;
};

class Reader final : public nlohmann::json_sax<Json> {
public:
    explicit Reader(RunFindings& out) : out_(out) {}

    bool syntaxError = false;
    bool badShape = false;
    bool sawFindings = false;
    std::optional<bool> complete;
    std::optional<Json::number_integer_t> formatVersion;
    std::optional<std::string> state;
    bool sawList[2] = {false, false};

    bool null() override { return scalar(); }
    bool boolean(bool value) override {
        if (slot() == Slot::Complete) {
            complete = value;
            return true;
        }
        return scalar();
    }
    bool number_integer(number_integer_t value) override { return number(value); }
    bool number_unsigned(number_unsigned_t value) override {
        return number(static_cast<number_integer_t>(std::min<number_unsigned_t>(value, 1u << 30)));
    }
    bool number_float(number_float_t, const string_t&) override { return scalar(); }
    bool binary(binary_t&) override { return scalar(); }

    bool string(string_t& value) override {
        switch (slot()) {
            case Slot::FindingKind:
                pending_.kind = value;
                return true;
            case Slot::FindingNumber:
                pending_.recordNumber = value;
                return true;
            case Slot::FindingElement:
                pending_.element = value;
                return true;
            case Slot::State:
                state = value;
                return true;
            case Slot::AdoptionNumber:
                return addRecord(RecordKind::Adoption, value);
            case Slot::FosterCareNumber:
                return addRecord(RecordKind::FosterCare, value);
            default:
                return scalar();
        }
    }

    bool start_object(std::size_t) override {
        switch (slot()) {
            case Slot::Root:
                return push(Frame::Top);
            case Slot::RunObject:
                return push(Frame::Run);
            case Slot::RecordListsObject:
                return push(Frame::RecordLists);
            case Slot::FindingObject:
                pending_ = {};
                return push(Frame::Finding);
            default:
                shapeIsFine();
                return push(Frame::Other);
        }
    }
    bool end_object() override {
        const Frame ended = levels_.back().frame;
        levels_.pop_back();
        if (ended == Frame::Finding && !badShape) addFinding();
        return true;
    }
    bool start_array(std::size_t) override {
        switch (slot()) {
            case Slot::FindingsArray:
                sawFindings = true;
                return push(Frame::Findings);
            case Slot::AdoptionList:
                sawList[0] = true;
                return push(Frame::AdoptionList);
            case Slot::FosterCareList:
                sawList[1] = true;
                return push(Frame::FosterCareList);
            default:
                shapeIsFine();
                return push(Frame::Other);
        }
    }
    bool end_array() override {
        levels_.pop_back();
        return true;
    }
    bool key(string_t& value) override {
        levels_.back().key = value;
        return true;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        syntaxError = true;
        return false;
    }

private:
    Slot slot() const {
        if (levels_.empty()) return Slot::Root;
        const Level& l = levels_.back();
        switch (l.frame) {
            case Frame::Top:
                if (l.key == "findings") return Slot::FindingsArray;
                if (l.key == "complete") return Slot::Complete;
                if (l.key == "formatVersion") return Slot::FormatVersion;
                if (l.key == "run") return Slot::RunObject;
                if (l.key == "recordNumbers") return Slot::RecordListsObject;
                return Slot::Ignored;
            case Frame::Findings:
                return Slot::FindingObject;
            case Frame::Finding:
                if (l.key == "kind") return Slot::FindingKind;
                if (l.key == "recordNumber") return Slot::FindingNumber;
                if (l.key == "element") return Slot::FindingElement;
                return Slot::Ignored;
            case Frame::Run:
                return l.key == "state" ? Slot::State : Slot::Ignored;
            case Frame::RecordLists:
                if (l.key == "adoption") return Slot::AdoptionList;
                if (l.key == "fosterCare") return Slot::FosterCareList;
                return Slot::Ignored;
            case Frame::AdoptionList:
                return Slot::AdoptionNumber;
            case Frame::FosterCareList:
                return Slot::FosterCareNumber;
            case Frame::Other:
                return Slot::Ignored;
        }
        return Slot::Ignored;
    }

    // A value of a kind its place does not take marks the document as not
    // of this program; reading goes on (to learn its format version).
    bool shapeIsFine() {
        if (slot() != Slot::Ignored) badShape = true;
        return !badShape;
    }
    bool scalar() {
        shapeIsFine();
        return true;
    }
    bool number(number_integer_t value) {
        if (slot() == Slot::FormatVersion) {
            formatVersion = value;
            return true;
        }
        return scalar();
    }
    bool push(Frame frame) {
        levels_.push_back({frame, {}});
        return true;
    }

    // A record number as the record held it: 12 characters U+0000-U+00FF.
    std::optional<RecordNumber> recordNumberOf(const std::string& text) {
        std::string bytes;
        if (!utf8ToLatin1(text, bytes) || bytes.size() != RecordNumber{}.size()) return std::nullopt;
        return toRecordNumber(bytes);
    }

    bool addRecord(RecordKind kind, const std::string& text) {
        const std::optional<RecordNumber> number = recordNumberOf(text);
        if (!number) {
            badShape = true;
        } else if (!badShape) {
            out_.of(kind).records.push_back(*number);
        }
        return true;
    }

    void addFinding() {
        const PendingFinding& p = pending_;
        if (!p.kind || !p.recordNumber || !p.element || (*p.kind != "adoption" && *p.kind != "foster care")) {
            badShape = true;
            return;
        }
        const RecordKind kind = *p.kind == "adoption" ? RecordKind::Adoption : RecordKind::FosterCare;
        const std::optional<RecordNumber> number = recordNumberOf(*p.recordNumber);
        int cell = 0;
        for (const FindingCell& c : findingCells(kind))
            if (c.label() == *p.element) cell = c.cell;
        if (!number || cell == 0) {
            badShape = true;
            return;
        }
        out_.of(kind).findings.push_back({*number, static_cast<std::uint16_t>(cell)});
    }

    RunFindings& out_;
    std::vector<Level> levels_;
    PendingFinding pending_;
};

}  // namespace

std::optional<PreviousRun> readPreviousRun(const std::string& fileName, std::string& error) {
    // A folder is named as one on every system (Windows refuses to open it).
    const bool folder = platform::statusOf(fileName).directory;
    std::FILE* file = folder ? nullptr : platform::openFile(fileName, "rb");
    if (!file) {
        error = "unable to read " + fileName + ": " + errorText(folder ? EISDIR : errno);
        return std::nullopt;
    }
    PreviousRun previous;
    previous.fileName = fileName;
    Reader reader(previous.findings);
    errno = 0;
    Json::sax_parse(file, &reader);
    const int readError = std::ferror(file) ? (errno ? errno : EIO) : 0;
    std::fclose(file);
    if (readError) {
        error = "unable to read " + fileName + ": " + errorText(readError);
        return std::nullopt;
    }
    const std::string notFindings = fileName +
                                    " is not the findings JSON of a run of this program (--compare takes the file that "
                                    "--findings NAME.json wrote)";
    const bool malformed = reader.syntaxError || reader.badShape || !reader.sawFindings || !reader.complete;
    // The order of the tests decides which message a file gets, so two of
    // them share a message.
    if (!reader.syntaxError && reader.formatVersion && *reader.formatVersion > kFindingsFormatVersion) {
        error = fileName + " is findings JSON of format version " + std::to_string(*reader.formatVersion) +
                ", newer than this version of the program reads (" + std::to_string(kFindingsFormatVersion) + ")";
    } else if (malformed) {  // NOLINT(bugprone-branch-clone)
        error = notFindings;
    } else if (!*reader.complete) {
        error = fileName + " holds the findings of a run that did not complete; compare with those of a complete run";
    } else if (!reader.formatVersion || *reader.formatVersion < kFindingsFormatVersion) {
        error = fileName +
                " was written by an earlier version of the program, without record lists; check the earlier "
                "data file again with this version (--findings NAME.json) to get a comparable findings file";
    } else if (!reader.state || !reader.sawList[0] || !reader.sawList[1]) {
        error = notFindings;
    } else {
        previous.state = *reader.state;
        return previous;
    }
    return std::nullopt;
}

std::optional<std::string> previousStateError(const PreviousRun& previous, const std::string& state) {
    if (previous.state == state) return std::nullopt;
    return previous.fileName + " holds the findings of State " + previous.state + ", not of State " + state +
           "; compare with an earlier run of the same State";
}

}  // namespace vortel
