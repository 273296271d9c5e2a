#include "html/html_text.h"

#include <array>

namespace vortel {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

// The bytes that stand for themselves in HTML text and attribute values:
// printable ASCII but for the five that must be written as entities.
constexpr std::array<bool, 256> kPlain = [] {
    std::array<bool, 256> plain{};
    for (int c = 0x20; c < 0x7F; ++c) plain[static_cast<std::size_t>(c)] = true;
    for (const char c : {'&', '<', '>', '"', '\''}) plain[static_cast<unsigned char>(c)] = false;
    return plain;
}();

void appendEscape(std::string& out, unsigned char c, TextPlace place) {
    if (place == TextPlace::Content) out.append("<span class=x>");
    out.push_back('\\');
    out.push_back('x');
    out.push_back(kHex[c >> 4]);
    out.push_back(kHex[c & 0x0F]);
    if (place == TextPlace::Content) out.append("</span>");
}

// Appends one ASCII byte, escaped as it must be.
void appendAscii(std::string& out, unsigned char c, TextPlace place, bool keepLineFeeds) {
    switch (c) {
        case '&':
            out.append("&amp;");
            return;
        case '<':
            out.append("&lt;");
            return;
        case '>':
            out.append("&gt;");
            return;
        case '"':
            out.append("&quot;");
            return;
        case '\'':
            out.append("&#39;");
            return;
        case '\n':
            if (keepLineFeeds) {
                out.push_back('\n');
                return;
            }
            break;
        default:
            break;
    }
    if (c < 0x20 || c == 0x7F) {
        appendEscape(out, c, place);
    } else {
        out.push_back(static_cast<char>(c));
    }
}

// Length of the well-formed UTF-8 sequence at the start of `s` (a first byte
// of 0x80 or more), or 0. Sequences of the controls U+0080-U+009F count as
// not well formed, so that their bytes are escaped too.
std::size_t utf8Length(std::string_view s) {
    const auto at = [&](std::size_t i) { return i < s.size() ? static_cast<unsigned char>(s[i]) : 0u; };
    const unsigned lead = at(0);
    std::size_t n = 0;
    unsigned low = 0x80, high = 0xBF;  // range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        n = 2;
        if (lead == 0xC2) low = 0xA0;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        n = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        n = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (at(1) < low || at(1) > high) return 0;
    for (std::size_t i = 2; i < n; ++i)
        if (at(i) < 0x80 || at(i) > 0xBF) return 0;
    return n;
}

}  // namespace

void appendHtmlText(std::string& out, std::string_view bytes, TextBytes read, TextPlace place, bool keepLineFeeds) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        // Most text is printable ASCII that needs no escape: copied a run at a time.
        std::size_t plain = i;
        while (plain < bytes.size() && kPlain[static_cast<unsigned char>(bytes[plain])]) ++plain;
        out.append(bytes.substr(i, plain - i));
        i = plain;
        if (i == bytes.size()) break;
        const auto c = static_cast<unsigned char>(bytes[i]);
        std::size_t taken = 1;
        if (c < 0x80) {
            appendAscii(out, c, place, keepLineFeeds);
        } else if (read == TextBytes::Utf8) {
            const std::size_t n = utf8Length(bytes.substr(i));
            if (n == 0) {
                appendEscape(out, c, place);
            } else {
                out.append(bytes.substr(i, n));
                taken = n;
            }
        } else if (c < 0xA0) {
            appendEscape(out, c, place);
        } else {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
        i += taken;
    }
}

void appendProgramText(std::string& out, std::string_view text) {
    while (!text.empty()) {
        const std::size_t space = text.find_first_of("\t\n");
        appendHtmlText(out, text.substr(0, space));
        if (space == std::string_view::npos) break;
        out.push_back(text[space]);
        text.remove_prefix(space + 1);
    }
}

std::string htmlText(std::string_view bytes, TextBytes read, TextPlace place) {
    std::string out;
    appendHtmlText(out, bytes, read, place);
    return out;
}

}  // namespace vortel
