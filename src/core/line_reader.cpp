#include "core/line_reader.h"

#include <cerrno>
#include <cstring>

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
    if (atLineStart_) ++lineNumber_;
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
    return length_ > 0;
}

std::string_view LineReader::padTo(std::size_t width) {
    if (length_ <= width && width <= kMaxLine) {
        std::memset(line_.data() + length_, ' ', width - length_);
        length_ = width;
    }
    return line();
}

}  // namespace vortel
