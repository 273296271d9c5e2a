#include "core/line_reader.h"

#include <cerrno>
#include <cstring>
#include <vector>

namespace vortel {

bool LineReader::fill() {
    if (eof_) return false;
    inputPos_ = 0;
    errno = 0;
    inputEnd_ = std::fread(input_.data(), 1, input_.size(), file_);
    bytesRead_ += static_cast<long long>(inputEnd_);
    if (std::ferror(file_)) throw DataReadError{errno ? errno : EIO, {}};
    if (inputEnd_ == 0) {
        if (bytesRead_ < expectedSize_) throw DataReadError{0, "the file became shorter while it was read"};
        eof_ = true;
        return false;
    }
    return true;
}

bool LineReader::next() {
    const bool newLine = atLineStart_;
    if (newLine) ++lineNumber_;
    const std::size_t previous = rawLength_;
    length_ = 0;
    while (length_ < kMaxLine) {
        if (inputPos_ == inputEnd_ && !fill()) break;
        const std::size_t want = kMaxLine - length_;
        const std::size_t avail = inputEnd_ - inputPos_;
        const std::size_t span = want < avail ? want : avail;
        const char* from = input_.data() + inputPos_;
        const void* lf = std::memchr(from, '\n', span);
        const std::size_t take = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - from) + 1 : span;
        std::memcpy(line_.data() + length_, from, take);
        length_ += take;
        inputPos_ += take;
        if (lf) break;
    }
    rawLength_ = length_;
    atLineStart_ = length_ == 0 || line_[length_ - 1] == '\n';
    if (length_ == 0) return false;
    if (newLine) {
        measureLine();
    } else {
        ++piece_.index;
        piece_.firstColumn += static_cast<long long>(previous);
    }
    return true;
}

void LineReader::measureLine() {
    piece_ = LinePiece{};
    long long bytes = static_cast<long long>(length_);  // the line's bytes, its line feed not counted
    bool lineFeed = line_[length_ - 1] == '\n';
    bool carriageReturn = lineFeed && length_ > 1 && line_[length_ - 2] == '\r';
    if (lineFeed) {
        --bytes;
    } else if (length_ == kMaxLine) {
        // The first piece of a long line: the rest is looked for in what is
        // read already, then further on in the file.
        const char* from = input_.data() + inputPos_;
        const std::size_t avail = inputEnd_ - inputPos_;
        if (const void* lf = std::memchr(from, '\n', avail)) {
            const auto rest = static_cast<std::size_t>(static_cast<const char*>(lf) - from);
            bytes += static_cast<long long>(rest);
            lineFeed = true;
            carriageReturn = (rest == 0 ? line_[length_ - 1] : from[rest - 1]) == '\r';
        } else {
            bytes += static_cast<long long>(avail);
            long long further = 0;
            const char before = avail == 0 ? line_[length_ - 1] : from[avail - 1];
            if (!eof_ && !readAhead(further, lineFeed, carriageReturn, before)) {
                piece_.lineLength = -1;
                piece_.pieces = 0;
                return;
            }
            bytes += further;
        }
    }
    piece_.lineFeed = lineFeed;
    piece_.carriageReturn = carriageReturn;
    piece_.lineLength = bytes - (carriageReturn ? 1 : 0);
    const long long total = bytes + (lineFeed ? 1 : 0);
    const auto max = static_cast<long long>(kMaxLine);
    piece_.pieces = (total + max - 1) / max;
}

bool LineReader::readAhead(long long& bytes, bool& lineFeed, bool& carriageReturn, char before) {
    const long position = std::ftell(file_);
    if (position < 0) return false;
    std::vector<char> block(std::size_t{1} << 16);
    bytes = 0;
    lineFeed = false;
    for (;;) {
        const std::size_t n = std::fread(block.data(), 1, block.size(), file_);
        if (n == 0) break;
        if (const void* lf = std::memchr(block.data(), '\n', n)) {
            const auto at = static_cast<std::size_t>(static_cast<const char*>(lf) - block.data());
            bytes += static_cast<long long>(at);
            lineFeed = true;
            if (at != 0) before = block[at - 1];
            break;
        }
        bytes += static_cast<long long>(n);
        before = block[n - 1];
    }
    carriageReturn = lineFeed && before == '\r';
    errno = 0;
    if (std::ferror(file_) || std::fseek(file_, position, SEEK_SET) != 0) throw DataReadError{errno ? errno : EIO, {}};
    return true;
}

std::string_view LineReader::padTo(std::size_t width) {
    if (length_ <= width && width <= kMaxLine) {
        std::memset(line_.data() + length_, ' ', width - length_);
        length_ = width;
    }
    return line();
}

}  // namespace vortel
