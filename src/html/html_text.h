// Text on the HTML page: every byte that comes from outside the program
// (the data file, the names of files) is escaped, so that nothing it holds
// can become markup, and control bytes show as visible escapes.
#pragma once

#include <string>
#include <string_view>

#include "core/number_text.h"

namespace vortel {

// How the bytes of a text are read.
enum class TextBytes {
    Latin1,  // each byte one character: the bytes of the data file
    Utf8,    // UTF-8 where it is well formed, any other byte escaped: file names
};

// Where the text goes.
enum class TextPlace {
    Content,    // element content: escapes are marked up to stand out
    Attribute,  // a quoted attribute value, or text where no markup may go
};

// Appends `bytes` as HTML text. '&', '<', '>', '"' and '\'' become character
// references; control bytes (0x00-0x1F, 0x7F, and 0x80-0x9F read as Latin-1)
// become "\x0D"-style escapes, a line feed excepted when `keepLineFeeds`.
void appendHtmlText(std::string& out, std::string_view bytes, TextBytes read = TextBytes::Latin1,
                    TextPlace place = TextPlace::Content, bool keepLineFeeds = false);

// Appends the program's own text (a summary message, whose lines the
// program lays out with tabs and line feeds): tabs and line feeds stay white
// space, everything else is written as appendHtmlText writes it.
void appendProgramText(std::string& out, std::string_view text);

// The same into a new string.
std::string htmlText(std::string_view bytes, TextBytes read = TextBytes::Latin1, TextPlace place = TextPlace::Content);

}  // namespace vortel
