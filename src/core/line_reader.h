// Reads the data file line by line into one fixed buffer: at most 299
// characters per read, up to and including the next line feed; the rest of a
// longer line comes back as the next line. Any byte value is kept as it is.
#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <string_view>

namespace vortel {

// The data file could not be read to its end: the system's error number, or
// 0 with a reason of the reader's own.
struct DataReadError {
    int error;
    std::string reason;
};

// How the current read stands in its line of the data file. A line of more
// than 299 characters is read in pieces; the first piece's read looks ahead
// to learn the whole line's length.
struct LinePiece {
    // Characters of the whole line before its line feed, one carriage return
    // just before the line feed not counted; -1 when it could not be learned
    // (a line longer than the reader's buffer in a file that cannot be read
    // ahead, such as a pipe).
    long long lineLength = 0;
    long long pieces = 1;         // the reads the line takes; 0 when not known
    long long index = 0;          // this read's place among them, from 0
    long long firstColumn = 1;    // the line's column of this read's first byte
    bool lineFeed = false;        // the line ends in a line feed
    bool carriageReturn = false;  // ... with a carriage return just before it
};

class LineReader {
public:
    static constexpr std::size_t kMaxLine = 299;
    static constexpr std::size_t kBufferSize = kMaxLine + 1;

    // `expectedSize` is the size of a regular file when it was opened (-1 for
    // anything else): reaching its end sooner means the file was cut short
    // while it was read.
    explicit LineReader(std::FILE* file, long long expectedSize = -1) : file_(file), expectedSize_(expectedSize) {}

    // Reads the next line into the line buffer. False at end of file; a read
    // error throws DataReadError.
    bool next();

    std::string_view line() const { return {line_.data(), length_}; }
    // The line as read, before any padding.
    std::string_view rawLine() const { return {line_.data(), rawLength_}; }
    // Number (from 1) of the line of the data file on which the current read
    // began; the rest of an overlong line keeps its line's number.
    long lineNumber() const { return lineNumber_; }
    // Where the current read stands in its line.
    const LinePiece& piece() const { return piece_; }
    char first() const { return length_ > 0 ? line_[0] : '\0'; }
    char second() const { return length_ > 1 ? line_[1] : '\0'; }

    // Pads a line of at most `width` characters with blanks up to `width`
    // (its line feed stays where it is); longer lines stay unchanged.
    // Returns the record: the line as padded.
    std::string_view padTo(std::size_t width);

private:
    bool fill();
    // Learns the length of the line whose first piece was just read.
    void measureLine();
    // Reads ahead from the file's current position to the next line feed,
    // and back: bytes before it (the line feed not counted), whether one was
    // found, and whether the byte before it is a carriage return. False when
    // the file cannot be read ahead.
    bool readAhead(long long& bytes, bool& lineFeed, bool& carriageReturn, char before);

    std::FILE* file_;
    std::array<char, kBufferSize> line_{};
    std::size_t length_ = 0;
    std::size_t rawLength_ = 0;
    long lineNumber_ = 0;
    LinePiece piece_;
    bool atLineStart_ = true;
    std::array<char, 1 << 16> input_{};
    std::size_t inputPos_ = 0;
    std::size_t inputEnd_ = 0;
    bool eof_ = false;
    long long expectedSize_;
    long long bytesRead_ = 0;
};

}  // namespace vortel
