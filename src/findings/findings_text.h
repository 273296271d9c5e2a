// Text forms of the findings files: CSV fields, and the bytes of the data
// file as text for JSON.
#pragma once

#include <charconv>
#include <string>
#include <string_view>

namespace vortel {

// Appends one CSV field: quoted when it holds a comma, a double quote, a
// carriage return or a line feed, with its double quotes doubled. Bytes
// 0x80-0xFF pass through as they are.
void appendCsvField(std::string& out, std::string_view field);

// Takes every byte as one ISO 8859-1 character (so each column of a record
// is one character) and returns the text in UTF-8.
std::string latin1ToUtf8(std::string_view bytes);
// Appends `text` as a JSON string, quotes included, escaped as the JSON
// library dumps it: quotation mark, backslash and control characters escaped,
// everything else as it stands. Latin1 text is taken a byte per character
// (see latin1ToUtf8); Utf8 text is copied as it is.
enum class JsonText { Latin1, Utf8 };
void appendJsonString(std::string& out, std::string_view text, JsonText bytes);

// A whole number as decimal text, made without allocating.
class DecimalText {
public:
    explicit DecimalText(long long n)
        : size_(static_cast<std::size_t>(std::to_chars(text_, text_ + sizeof text_, n).ptr - text_)) {}
    std::string_view view() const { return {text_, size_}; }

private:
    char text_[24];
    std::size_t size_;
};

// The reverse: false when the text is not UTF-8 of characters U+0000-U+00FF.
bool utf8ToLatin1(std::string_view text, std::string& bytes);

}  // namespace vortel
