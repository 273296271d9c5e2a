#include "findings/findings_text.h"

#include <array>
#include <cstdint>

#include "core/record_fields.h"

namespace vortel {

namespace {

void appendLatin1Char(std::string& out, unsigned char c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// The bytes that a JSON string cannot hold as they are: quotation mark,
// backslash and control characters; in Latin1 text also 0x80-0xFF, each
// written as two bytes of UTF-8.
constexpr std::array<bool, 256> specialBytes(bool latin1) {
    std::array<bool, 256> special{};
    for (int c = 0; c < 256; ++c)
        special[static_cast<std::size_t>(c)] = c < 0x20 || c == '"' || c == '\\' || (latin1 && c >= 0x80);
    return special;
}
constexpr std::array<bool, 256> kLatin1Special = specialBytes(true);
constexpr std::array<bool, 256> kUtf8Special = specialBytes(false);

// Word-at-a-time tests of 8 bytes (for the JSON strings): true when some
// byte is zero, or below n (n at most 128). Each is exact for the word as a
// whole.
constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
constexpr bool someByteZero(std::uint64_t x) { return ((x - kOnes) & ~x & kHighBits) != 0; }
constexpr bool someByteBelow(std::uint64_t x, unsigned n) { return ((x - kOnes * n) & ~x & kHighBits) != 0; }
constexpr bool someByteIs(std::uint64_t x, char c) { return someByteZero(x ^ (kOnes * static_cast<unsigned char>(c))); }

// The end of the run of bytes from `from` that `special` passes: whole words
// while none of their bytes can be special (`mayHold`), then byte by byte.
template <class MayHold>
std::size_t plainRunEnd(std::string_view text, std::size_t from, const std::array<bool, 256>& special,
                        MayHold mayHold) {
    std::size_t j = from;
    while (j + 8 <= text.size() && !mayHold(loadWord(text.data() + j))) j += 8;
    while (j < text.size() && !special[static_cast<unsigned char>(text[j])]) ++j;
    return j;
}

// The bytes that make a CSV field quoted.
constexpr std::array<bool, 256> kCsvSpecial = [] {
    std::array<bool, 256> special{};
    for (const char c : {',', '"', '\n', '\r'}) special[static_cast<unsigned char>(c)] = true;
    return special;
}();

}  // namespace

void appendCsvField(std::string& out, std::string_view field) {
    // Whether the field needs quotes: a short field by a look-up per byte, a
    // long one by a (fast) search for each byte that quotes it. A quoted field
    // is then copied in runs between its double quotes.
    bool plain;
    if (field.size() < 32) {
        std::size_t i = 0;
        while (i < field.size() && !kCsvSpecial[static_cast<unsigned char>(field[i])]) ++i;
        plain = i == field.size();
    } else {  // a long field (a sentence)
        plain = field.find(',') == std::string_view::npos && field.find('"') == std::string_view::npos &&
                field.find('\n') == std::string_view::npos && field.find('\r') == std::string_view::npos;
    }
    if (plain) {
        out.append(field);
        return;
    }
    out.push_back('"');
    for (std::size_t from = 0;;) {
        const std::size_t q = field.find('"', from);
        if (q == std::string_view::npos) {
            out.append(field.substr(from));
            break;
        }
        out.append(field.substr(from, q + 1 - from));
        out.push_back('"');
        from = q + 1;
    }
    out.push_back('"');
}

std::string latin1ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) appendLatin1Char(out, static_cast<unsigned char>(c));
    return out;
}

void appendJsonString(std::string& out, std::string_view text, JsonText bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    out.push_back('"');
    std::size_t i = 0;
    while (i < text.size()) {
        // A run of characters that stand as they are, appended at once.
        const bool latin1 = bytes == JsonText::Latin1;
        const std::size_t j = plainRunEnd(text, i, latin1 ? kLatin1Special : kUtf8Special, [latin1](std::uint64_t x) {
            return someByteBelow(x, 0x20) || someByteIs(x, '"') || someByteIs(x, '\\') ||
                   (latin1 && (x & kHighBits) != 0);
        });
        out.append(text.substr(i, j - i));
        if (j == text.size()) break;
        const auto c = static_cast<unsigned char>(text[j]);
        i = j + 1;
        switch (c) {
            case '"':
                out.append("\\\"");
                break;
            case '\\':
                out.append("\\\\");
                break;
            case '\b':
                out.append("\\b");
                break;
            case '\t':
                out.append("\\t");
                break;
            case '\n':
                out.append("\\n");
                break;
            case '\f':
                out.append("\\f");
                break;
            case '\r':
                out.append("\\r");
                break;
            default:
                if (c < 0x20) {
                    out.append("\\u00");
                    out.push_back(kHex[c >> 4]);
                    out.push_back(kHex[c & 0xF]);
                } else {
                    appendLatin1Char(out, c);  // 0x80-0xFF of Latin1 text
                }
                break;
        }
    }
    out.push_back('"');
}

bool utf8ToLatin1(std::string_view text, std::string& bytes) {
    bytes.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            bytes.push_back(static_cast<char>(c));
            continue;
        }
        if ((c != 0xC2 && c != 0xC3) || i + 1 == text.size()) return false;
        const auto next = static_cast<unsigned char>(text[++i]);
        if ((next & 0xC0) != 0x80) return false;
        bytes.push_back(static_cast<char>(((c & 0x03) << 6) | (next & 0x3F)));
    }
    return true;
}

}  // namespace vortel
