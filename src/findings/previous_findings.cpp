#include "findings/previous_findings.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <vector>

#include "core/console.h"
#include "core/files.h"
#include "core/platform.h"
#include "findings/finding_cells.h"
#include "findings/findings_file.h"
#include "findings/findings_text.h"
#include "findings/line_length.h"
#include "reports/output_kinds.h"

namespace vortel {

namespace {

// The document is read in blocks of this size.
constexpr std::size_t kBlockBytes = std::size_t{1} << 20;
// What is kept of any string, key or number: enough for every value the
// comparison reads (a record number is at most 24 bytes of UTF-8), and for a
// format version to be shown as written.
constexpr std::size_t kKeptBytes = 64;
// Containers nested deeper than this are not of the findings JSON.
constexpr std::size_t kMaxDepth = 10000;

// A string or number as far as it is kept.
struct Text {
    std::string bytes;
    bool whole = true;  // false when more was dropped

    void clear() {
        bytes.clear();
        whole = true;
    }
    void append(const char* from, std::size_t n) {
        const std::size_t room = kKeptBytes - bytes.size();
        if (n > room) {
            whole = false;
            n = room;
        }
        bytes.append(from, n);
    }
    void push(char c) { append(&c, 1); }
    bool is(std::string_view s) const { return whole && bytes == s; }
};

// Bytes that stand for themselves inside a JSON string.
constexpr std::array<bool, 256> kPlainStringBytes = [] {
    std::array<bool, 256> plain{};
    for (int c = 0x20; c < 0x80; ++c) plain[static_cast<std::size_t>(c)] = c != '"' && c != '\\';
    return plain;
}();

// The document's bytes, read a block at a time; nothing is kept but the
// current block.
class Input {
public:
    explicit Input(std::FILE* file) : file_(file), block_(kBlockBytes) {}

    int readError = 0;

    // The next byte without taking it; -1 at the end.
    int peek() {
        if (at_ == end_ && !fill()) return -1;
        return static_cast<unsigned char>(block_[at_]);
    }
    int take() {
        const int c = peek();
        if (c >= 0) ++at_;
        return c;
    }
    void skipSpace() {
        for (;;) {
            while (at_ < end_) {
                const char c = block_[at_];
                if (c != ' ' && c != '\n' && c != '\r' && c != '\t') return;
                ++at_;
            }
            if (!fill()) return;
        }
    }
    // Takes `word` (after its first byte, already taken).
    bool expect(std::string_view rest) {
        for (const char c : rest)
            if (take() != static_cast<unsigned char>(c)) return false;
        return true;
    }
    // A string after its opening quote, checked as JSON and UTF-8 throughout;
    // its decoded text kept in `out` as far as Text keeps it.
    bool string(Text& out) {
        out.clear();
        for (;;) {
            if (at_ == end_ && !fill()) return false;
            const char* from = block_.data() + at_;
            const char* const end = block_.data() + end_;
            const char* to = from;
            while (to < end && kPlainStringBytes[static_cast<unsigned char>(*to)]) ++to;
            if (out.bytes.size() < kKeptBytes) {
                out.append(from, static_cast<std::size_t>(to - from));
            } else if (to != from) {
                out.whole = false;
            }
            at_ += static_cast<std::size_t>(to - from);
            if (to == end) continue;
            const int c = take();
            if (c == '"') return true;
            if (c == '\\') {
                if (!escape(out)) return false;
            } else if (c < 0x20 || !multiByte(c, out)) {
                return false;
            }
        }
    }
    // A number from its first byte on; its text kept in `out`, `integer`
    // false when it has a fraction or an exponent.
    bool number(Text& out, bool& integer) {
        out.clear();
        integer = true;
        if (peek() == '-') out.push(static_cast<char>(take()));
        const int first = take();
        if (first < '0' || first > '9') return false;
        out.push(static_cast<char>(first));
        if (first != '0') digits(out);
        if (peek() == '.') {
            integer = false;
            out.push(static_cast<char>(take()));
            if (!digits(out)) return false;
        }
        if (peek() == 'e' || peek() == 'E') {
            integer = false;
            out.push(static_cast<char>(take()));
            if (peek() == '+' || peek() == '-') out.push(static_cast<char>(take()));
            if (!digits(out)) return false;
        }
        return true;
    }

private:
    bool fill() {
        if (done_) return false;
        errno = 0;
        const std::size_t n = std::fread(block_.data(), 1, block_.size(), file_);
        at_ = 0;
        end_ = n;
        if (n == 0) {
            done_ = true;
            if (std::ferror(file_)) readError = errno ? errno : EIO;
        }
        return n != 0;
    }

    bool digits(Text& out) {
        bool any = false;
        for (int c = peek(); c >= '0' && c <= '9'; c = peek()) {
            out.push(static_cast<char>(take()));
            any = true;
        }
        return any;
    }

    // Four hexadecimal digits of a \u escape; -1 when they are not.
    int hex4() {
        int value = 0;
        for (int i = 0; i < 4; ++i) {
            const int c = take();
            int digit = -1;
            if (c >= '0' && c <= '9') digit = c - '0';
            if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
            if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
            if (digit < 0) return -1;
            value = value * 16 + digit;
        }
        return value;
    }

    bool escape(Text& out) {
        const int c = take();
        static constexpr std::string_view kFrom = "\"\\/bfnrt", kTo = "\"\\/\b\f\n\r\t";
        if (c < 0) return false;
        if (const std::size_t at = kFrom.find(static_cast<char>(c)); at != std::string_view::npos) {
            out.push(kTo[at]);
            return true;
        }
        if (c != 'u') return false;
        long code = hex4();
        if (code < 0 || (code >= 0xDC00 && code <= 0xDFFF)) return false;
        if (code >= 0xD800 && code <= 0xDBFF) {  // a surrogate pair
            if (take() != '\\' || take() != 'u') return false;
            const int low = hex4();
            if (low < 0xDC00 || low > 0xDFFF) return false;
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        }
        char utf8[4];
        std::size_t n;
        if (code < 0x80) {
            utf8[0] = static_cast<char>(code);
            n = 1;
        } else if (code < 0x800) {
            utf8[0] = static_cast<char>(0xC0 | (code >> 6));
            utf8[1] = static_cast<char>(0x80 | (code & 0x3F));
            n = 2;
        } else if (code < 0x10000) {
            utf8[0] = static_cast<char>(0xE0 | (code >> 12));
            utf8[1] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            utf8[2] = static_cast<char>(0x80 | (code & 0x3F));
            n = 3;
        } else {
            utf8[0] = static_cast<char>(0xF0 | (code >> 18));
            utf8[1] = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            utf8[2] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            utf8[3] = static_cast<char>(0x80 | (code & 0x3F));
            n = 4;
        }
        out.append(utf8, n);
        return true;
    }

    // A character of two to four bytes of well-formed UTF-8 from its lead.
    bool multiByte(int lead, Text& out) {
        int more;
        int low = 0x80, high = 0xBF;  // the second byte's range
        if (lead >= 0xC2 && lead <= 0xDF) {
            more = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            more = 2;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            more = 3;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        out.push(static_cast<char>(lead));
        for (int i = 0; i < more; ++i) {
            const int c = take();
            if (c < (i == 0 ? low : 0x80) || c > (i == 0 ? high : 0xBF)) return false;
            out.push(static_cast<char>(c));
        }
        return true;
    }

    std::FILE* file_;
    std::vector<char> block_;
    std::size_t at_ = 0, end_ = 0;
    bool done_ = false;
};

// The containers the reader is inside.
enum class Frame { Top, Findings, Finding, Run, RecordLists, AdoptionList, FosterCareList, Other };

// The members the comparison reads, in the objects that hold them.
enum class Member {
    None,
    Findings,
    Complete,
    FormatVersion,
    Run,
    RecordNumbers,
    Kind,
    RecordNumber,
    Element,
    Value,
    State,
    Adoption,
    FosterCare
};
struct MemberName {
    Frame frame;
    std::string_view name;
    Member member;
};
constexpr MemberName kMembers[] = {
    {Frame::Top, "findings", Member::Findings},
    {Frame::Top, "complete", Member::Complete},
    {Frame::Top, "formatVersion", Member::FormatVersion},
    {Frame::Top, "run", Member::Run},
    {Frame::Top, "recordNumbers", Member::RecordNumbers},
    {Frame::Finding, "kind", Member::Kind},
    {Frame::Finding, "recordNumber", Member::RecordNumber},
    {Frame::Finding, "element", Member::Element},
    {Frame::Finding, "value", Member::Value},
    {Frame::Run, "state", Member::State},
    {Frame::RecordLists, "adoption", Member::Adoption},
    {Frame::RecordLists, "fosterCare", Member::FosterCare},
};

// Where a value stands in the document, as far as the reader cares.
enum class Slot {
    Root,
    FindingsArray,
    Complete,
    FormatVersion,
    RunObject,
    RecordListsObject,
    FindingObject,  // an item of "findings"
    FindingKind,    // its "kind", "recordNumber", "element"
    FindingNumber,
    FindingElement,
    FindingValue,
    State,           // "run": "state"
    AdoptionList,    // "recordNumbers": "adoption", "fosterCare"
    FosterCareList,  // and their items:
    AdoptionNumber,
    FosterCareNumber,
    Ignored,  // anything else, with all it holds
};

struct Level {
    Frame frame;
    bool array;
    bool empty = true;  // no item or member read yet
    Member member = Member::None;
    unsigned seen = 0;  // the members read, one bit each
};

// The finding being read.
struct PendingFinding {
    Text kind, recordNumber, element, value;
    unsigned given = 0;  // one bit each
};

// Reads the document in one pass and keeps what the comparison needs.
class Reader {
public:
    Reader(std::FILE* file, RunFindings& out) : input_(file), out_(out) {
        for (const RecordKind kind : kAllRecordKinds) {
            auto& labels = labels_[kind];
            for (const FindingCell& c : findingCells(kind)) labels.emplace_back(c.label(), c.cell);
            labels.emplace_back(kRecordElement, kRecordCell);  // a line's length
            std::sort(labels.begin(), labels.end());
        }
    }

    bool syntaxError = false;
    bool badShape = false;
    bool sawFindings = false;
    std::optional<bool> complete;
    std::optional<std::string> formatVersion;  // an integer as written
    std::optional<std::string> state;
    bool sawList[2] = {false, false};
    std::string repeated;  // the first member the document holds twice

    int readError() const { return input_.readError; }

    void read() {
        if (input_.peek() == 0xEF) {  // a byte order mark
            input_.take();
            if (!input_.expect("\xBB\xBF")) return fail();
        }
        input_.skipSpace();
        if (!value()) return fail();
        while (!levels_.empty()) {
            input_.skipSpace();
            Level& level = levels_.back();
            const int c = input_.peek();
            if (c == (level.array ? ']' : '}')) {
                input_.take();
                end();
                continue;
            }
            if (!level.empty) {
                if (c != ',') return fail();
                input_.take();
                input_.skipSpace();
            }
            level.empty = false;
            if (!level.array) {
                if (input_.take() != '"' || !input_.string(text_)) return fail();
                input_.skipSpace();
                if (input_.take() != ':') return fail();
                input_.skipSpace();
                key();
            }
            if (!value()) return fail();
            if (levels_.size() > kMaxDepth) {
                badShape = true;  // the reading stops here
                return;
            }
        }
        input_.skipSpace();
        if (input_.peek() != -1) fail();
    }

private:
    void fail() { syntaxError = true; }

    Slot slot() const {
        if (levels_.empty()) return Slot::Root;
        const Level& l = levels_.back();
        switch (l.frame) {
            case Frame::Top:
                switch (l.member) {
                    case Member::Findings:
                        return Slot::FindingsArray;
                    case Member::Complete:
                        return Slot::Complete;
                    case Member::FormatVersion:
                        return Slot::FormatVersion;
                    case Member::Run:
                        return Slot::RunObject;
                    case Member::RecordNumbers:
                        return Slot::RecordListsObject;
                    default:
                        return Slot::Ignored;
                }
            case Frame::Findings:
                return Slot::FindingObject;
            case Frame::Finding:
                if (l.member == Member::Kind) return Slot::FindingKind;
                if (l.member == Member::RecordNumber) return Slot::FindingNumber;
                if (l.member == Member::Element) return Slot::FindingElement;
                if (l.member == Member::Value) return Slot::FindingValue;
                return Slot::Ignored;
            case Frame::Run:
                return l.member == Member::State ? Slot::State : Slot::Ignored;
            case Frame::RecordLists:
                if (l.member == Member::Adoption) return Slot::AdoptionList;
                if (l.member == Member::FosterCare) return Slot::FosterCareList;
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

    void key() {
        Level& level = levels_.back();
        level.member = Member::None;
        if (level.frame == Frame::Other || !text_.whole) return;
        for (const MemberName& m : kMembers) {
            if (m.frame != level.frame || m.name != text_.bytes) continue;
            const unsigned bit = 1u << static_cast<unsigned>(m.member);
            if ((level.seen & bit) && repeated.empty()) repeated = m.name;
            level.seen |= bit;
            level.member = m.member;
            return;
        }
    }

    // A value of a kind its place does not take marks the document as not
    // of this program; reading goes on (to learn its format version).
    void shapeIsFine() {
        if (slot() != Slot::Ignored) badShape = true;
    }

    void push(Frame frame, bool array) { levels_.push_back({frame, array}); }

    bool value() {
        const int c = input_.peek();
        if (c == '-' || (c >= '0' && c <= '9')) {
            bool integer = true;
            if (!input_.number(text_, integer)) return false;
            if (slot() == Slot::FormatVersion && integer) {
                formatVersion = text_.bytes + (text_.whole ? "" : "...");
            } else {
                shapeIsFine();
            }
            return true;
        }
        input_.take();
        switch (c) {
            case '{':
                startObject();
                return true;
            case '[':
                startArray();
                return true;
            case '"':
                if (!input_.string(text_)) return false;
                string();
                return true;
            case 't':
            case 'f':
                if (!input_.expect(c == 't' ? "rue" : "alse")) return false;
                if (slot() == Slot::Complete) {
                    complete = c == 't';
                } else {
                    shapeIsFine();
                }
                return true;
            case 'n':
                if (!input_.expect("ull")) return false;
                shapeIsFine();
                return true;
            default:
                return false;
        }
    }

    void startObject() {
        switch (slot()) {
            case Slot::Root:
                return push(Frame::Top, false);
            case Slot::RunObject:
                return push(Frame::Run, false);
            case Slot::RecordListsObject:
                return push(Frame::RecordLists, false);
            case Slot::FindingObject:
                pending_.given = 0;
                return push(Frame::Finding, false);
            default:
                shapeIsFine();
                return push(Frame::Other, false);
        }
    }
    void startArray() {
        switch (slot()) {
            case Slot::FindingsArray:
                sawFindings = true;
                return push(Frame::Findings, true);
            case Slot::AdoptionList:
                sawList[0] = true;
                return push(Frame::AdoptionList, true);
            case Slot::FosterCareList:
                sawList[1] = true;
                return push(Frame::FosterCareList, true);
            default:
                shapeIsFine();
                return push(Frame::Other, true);
        }
    }
    void end() {
        const Frame ended = levels_.back().frame;
        levels_.pop_back();
        if (ended == Frame::Finding && !badShape) addFinding();
    }

    void string() {
        switch (slot()) {
            case Slot::FindingKind:
                return keep(pending_.kind, 1);
            case Slot::FindingNumber:
                return keep(pending_.recordNumber, 2);
            case Slot::FindingElement:
                return keep(pending_.element, 4);
            case Slot::FindingValue:
                return keep(pending_.value, 8);
            case Slot::State:
                state = text_.bytes + (text_.whole ? "" : "...");
                return;
            case Slot::AdoptionNumber:
                return addRecord(RecordKind::Adoption);
            case Slot::FosterCareNumber:
                return addRecord(RecordKind::FosterCare);
            default:
                return shapeIsFine();
        }
    }
    void keep(Text& into, unsigned bit) {
        std::swap(into, text_);
        pending_.given |= bit;
    }

    // A record number as the record held it: 12 characters U+0000-U+00FF.
    std::optional<RecordNumber> recordNumberOf(const Text& text) {
        if (!text.whole || !utf8ToLatin1(text.bytes, bytes_) || bytes_.size() != RecordNumber{}.size())
            return std::nullopt;
        return toRecordNumber(bytes_);
    }

    void addRecord(RecordKind kind) {
        const std::optional<RecordNumber> number = recordNumberOf(text_);
        if (!number) {
            badShape = true;
        } else if (!badShape) {
            out_.of(kind).records.push_back(*number);
        }
    }

    void addFinding() {
        const PendingFinding& p = pending_;
        const OutputKindRow* row = nullptr;
        for (const OutputKindRow& r : kOutputKindRows)
            if (p.kind.is(r.name)) row = &r;
        if ((p.given & 7) != 7 || !row) {
            badShape = true;
            return;
        }
        const RecordKind kind = row->kind;
        const std::optional<RecordNumber> number = recordNumberOf(p.recordNumber);
        const auto& labels = labels_[kind];
        const auto cell =
            std::lower_bound(labels.begin(), labels.end(), std::pair<std::string_view, int>(p.element.bytes, 0));
        if (!number || !p.element.whole || cell == labels.end() || cell->first != p.element.bytes) {
            badShape = true;
            return;
        }
        FindingKey key{*number, static_cast<std::uint16_t>(cell->second), {}};
        // The earlier value, as far as a finding's value reaches.
        if ((p.given & 8) && utf8ToLatin1(p.value.bytes, bytes_)) {
            key.value.size = static_cast<std::uint8_t>(std::min(bytes_.size(), key.value.bytes.size()));
            std::copy_n(bytes_.begin(), key.value.size, key.value.bytes.begin());
        }
        out_.of(kind).findings.push_back(key);
    }

    Input input_;
    RunFindings& out_;
    std::vector<Level> levels_;
    PendingFinding pending_;
    Text text_;  // the last string, key or number read
    std::string bytes_;
    PerKind<std::vector<std::pair<std::string_view, int>>> labels_;  // element label -> cell
};

// True when the integer `text` (as JSON writes one) is above `version`.
bool newerThan(const std::string& text, int version) {
    if (text.empty() || text[0] == '-') return false;
    const std::string bound = std::to_string(version);
    if (text.size() != bound.size()) return text.size() > bound.size();
    return text > bound;
}

// True when the integer `text` is a version --compare reads.
bool readsVersion(const std::string& text) {
    for (int v = kOldestComparedVersion; v <= kFindingsFormatVersion; ++v)
        if (text == std::to_string(v)) return true;
    return false;
}

std::string_view cellLabel(RecordKind kind, int cell) {
    if (cell == kRecordCell) return kRecordElement;
    for (const FindingCell& c : findingCells(kind))
        if (c.cell == cell) return c.label();
    return "?";
}

std::string recordText(RecordKind kind, const RecordNumber& number) {
    return std::string(recordKindName(kind)) + " record \"" +
           visibleText(latin1ToUtf8(std::string_view(number.data(), number.size()))) + "\"";
}

}  // namespace

std::optional<PreviousRun> readPreviousRun(const std::string& fileName, std::string& error) {
    const std::string shownName = visibleText(fileName);
    // A folder is named as one on every system (Windows refuses to open it).
    const bool folder = platform::statusOf(fileName).directory;
    std::FILE* file = folder ? nullptr : platform::openFile(fileName, "rb");
    if (!file) {
        const int openError = folder ? EISDIR : errno;
        error = "unable to read " + shownName + ": " + errorText(openError);
        return std::nullopt;
    }
    PreviousRun previous;
    previous.fileName = fileName;
    Reader reader(file, previous.findings);
    reader.read();
    const int readError = reader.readError();
    std::fclose(file);
    if (readError) {
        error = "unable to read " + shownName + ": " + errorText(readError);
        return std::nullopt;
    }
    const std::string notFindings = shownName +
                                    " is not the findings JSON of a run of this program (--compare takes the file that "
                                    "--findings NAME.json wrote)";
    const bool malformed = reader.syntaxError || reader.badShape || !reader.sawFindings || !reader.complete;
    // The order of the tests decides which message a file gets, so two of
    // them share a message.
    if (!reader.syntaxError && reader.formatVersion && newerThan(*reader.formatVersion, kFindingsFormatVersion)) {
        error = shownName + " is findings JSON of format version " + *reader.formatVersion +
                ", newer than this version of the program reads (" + std::to_string(kFindingsFormatVersion) + ")";
    } else if (malformed) {  // NOLINT(bugprone-branch-clone)
        error = notFindings;
    } else if (!reader.repeated.empty()) {
        error = shownName + " holds the member \"" + reader.repeated +
                "\" more than once, so it cannot be the findings JSON a run wrote";
    } else if (!*reader.complete) {
        error = shownName + " holds the findings of a run that did not complete; compare with those of a complete run";
    } else if (!reader.formatVersion || !readsVersion(*reader.formatVersion)) {
        error = shownName +
                " was written by an earlier version of the program, without record lists; check the earlier "
                "data file again with this version (--findings NAME.json) to get a comparable findings file";
    } else if (!reader.state || !reader.sawList[0] || !reader.sawList[1]) {
        error = notFindings;
    } else if (const std::optional<Contradiction> c = findContradiction(previous.findings)) {
        const std::string element(cellLabel(c->kind, c->key.cell));
        error = c->repeated ? shownName + " holds the finding of " + recordText(c->kind, c->key.recordNumber) +
                                  " at element " + element + " twice, for a record listed once"
                            : shownName + " holds a finding of " + recordText(c->kind, c->key.recordNumber) +
                                  " that its record numbers do not list";
    } else {
        previous.state = *reader.state;
        return previous;
    }
    return std::nullopt;
}

std::optional<std::string> previousStateError(const PreviousRun& previous, const std::string& state) {
    if (previous.state == state) return std::nullopt;
    return visibleText(previous.fileName) + " holds the findings of State " + visibleText(previous.state) +
           ", not of State " + visibleText(state) + "; compare with an earlier run of the same State";
}

}  // namespace vortel
