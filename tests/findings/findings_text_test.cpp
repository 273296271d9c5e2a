#include "findings/findings_text.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include "findings/row_pieces.h"

namespace vortel {
namespace {

TEST(JsonString, IsWhatTheJsonLibraryDumps) {
    std::string everyByte;
    for (int c = 0; c < 256; ++c) everyByte.push_back(static_cast<char>(c));
    const std::string texts[] = {
        "", "plain", "say \"hi\" \\ back", "tab\tline\ncr\r\b\f\x01\x1F\x7F", "caf\xE9 \xFF", everyByte};
    for (const std::string& text : texts) {
        std::string latin1 = "x";
        appendJsonString(latin1, text, JsonText::Latin1);
        EXPECT_EQ(latin1, "x" + nlohmann::json(latin1ToUtf8(text)).dump()) << text;
        std::string utf8;
        appendJsonString(utf8, latin1ToUtf8(text), JsonText::Utf8);
        EXPECT_EQ(utf8, nlohmann::json(latin1ToUtf8(text)).dump()) << text;
    }
}

// Long strings are read a word at a time: every byte value, in the first,
// last and middle places of a word and at the end, is written as the library
// writes it.
TEST(JsonString, EveryByteInEveryPlaceOfAWord) {
    for (int c = 0; c < 256; ++c) {
        for (const std::size_t place : {0, 7, 8, 15, 16, 20, 39}) {
            std::string text(40, 'a');
            text[place] = static_cast<char>(c);
            std::string latin1;
            appendJsonString(latin1, text, JsonText::Latin1);
            ASSERT_EQ(latin1, nlohmann::json(latin1ToUtf8(text)).dump()) << c << " at " << place;
            std::string utf8;
            appendJsonString(utf8, latin1ToUtf8(text), JsonText::Utf8);
            ASSERT_EQ(utf8, latin1) << c << " at " << place;
        }
    }
}

TEST(CsvField, QuotesOnlyWhatRfc4180Requires) {
    struct Case {
        std::string field;
        std::string written;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"", ""},
        {"  blanks kept  ", "  blanks kept  "},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"\"", "\"\"\"\""},
        {"line\nfeed", "\"line\nfeed\""},
        {"carriage\rreturn", "\"carriage\rreturn\""},
        {"2\n      ", "\"2\n      \""},
        {"caf\xE9 \x80\xFF", "caf\xE9 \x80\xFF"},    // high bytes pass through unquoted
        {"\xE9,\"\xFF\"", "\"\xE9,\"\"\xFF\"\"\""},  // ... and unchanged inside quotes
        {std::string("nul\0byte", 8), std::string("nul\0byte", 8)},
        // Long fields (sentences) are searched, not read byte by byte.
        {std::string(40, 'a'), std::string(40, 'a')},
        {std::string(40, 'a') + "\r", "\"" + std::string(40, 'a') + "\r\""},
        {std::string(40, 'a') + "\"", "\"" + std::string(40, 'a') + "\"\"\""},
        {"\"" + std::string(40, 'a') + ", \"b\"", "\"\"\"" + std::string(40, 'a') + ", \"\"b\"\"\""},
    };
    for (const Case& c : cases) {
        std::string out = "x,";
        appendCsvField(out, c.field);
        EXPECT_EQ(out, "x," + c.written) << c.field;
    }
}

// Reads a JSON string back and turns its characters (all below U+0100) into
// bytes again.
std::string bytesOf(const std::string& jsonText) {
    const std::string utf8 = nlohmann::json::parse(jsonText).get<std::string>();
    std::string bytes;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            bytes.push_back(static_cast<char>(c));
        } else {
            EXPECT_TRUE(c == 0xC2 || c == 0xC3) << "not a Latin-1 character";
            const auto next = static_cast<unsigned char>(utf8[++i]);
            bytes.push_back(static_cast<char>(((c & 0x03) << 6) | (next & 0x3F)));
        }
    }
    return bytes;
}

TEST(JsonString, EveryByteValueRoundTripsAsOneLatin1Character) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    const std::string text = nlohmann::json(latin1ToUtf8(all)).dump();
    EXPECT_EQ(bytesOf(text), all);
    EXPECT_EQ(latin1ToUtf8(all).size(), 128u + 2u * 128u);  // one character per byte
}

TEST(JsonString, CharactersOfHighBytes) {
    EXPECT_EQ(latin1ToUtf8("\xE9"), "\xC3\xA9");  // e acute
    EXPECT_EQ(latin1ToUtf8("\x80"), "\xC2\x80");
    EXPECT_EQ(latin1ToUtf8("\xFF"), "\xC3\xBF");
    EXPECT_EQ(latin1ToUtf8("01"), "01");
}

// A row's text is copied from an earlier finding only when everything it
// writes is the same: the words alone do not make it so.
TEST(RowPieces, AreCopiedOnlyForAFindingLikeTheOneKept) {
    static const Explained words;
    Finding kept{"07a", '2', "out of range", "9", 12, "Child's race", "A-07a.code", "...", 30, 30};
    kept.words = &words;
    struct Case {
        const char* what;
        void (*change)(Finding&);
        bool found = false;
    };
    const Case cases[] = {
        {"the same finding", [](Finding&) {}, true},
        {"another value", [](Finding& f) { f.value = "8"; }},
        {"another cell", [](Finding& f) { f.cell = 13; }},
        {"another state", [](Finding& f) { f.state = 'A'; }},
        {"other columns", [](Finding& f) { f.first = f.last = 31; }},
        {"other words", [](Finding& f) { f.words = nullptr; }},
    };
    RowPieces pieces;
    pieces.keep(kept, "kept text");
    for (const Case& c : cases) {
        Finding f = kept;
        c.change(f);
        const std::string* found = pieces.find(f);
        EXPECT_EQ(found != nullptr, c.found) << c.what;
        EXPECT_EQ(found ? *found : "", c.found ? "kept text" : "") << c.what;
    }
}

}  // namespace
}  // namespace vortel
