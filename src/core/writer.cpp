#include "core/writer.h"

#include <cerrno>
#include <cstdarg>
#include <vector>

namespace vortel {

Writer::~Writer() {
    // Never throws: an output that still holds text here belongs to a run that
    // has already failed.
    try {
        close();
    } catch (const OutputWriteError&) {
        detach();
    }
}

void Writer::attach(std::FILE* file, bool owned, std::string name) {
    close();
    file_ = file;
    owned_ = owned;
    name_ = std::move(name);
    drained_ = 0;
#ifndef NDEBUG
    if (file) stage_ = Stage::Attached;
#endif
}

void Writer::detach() {
    if (file_ && owned_) std::fclose(file_);
    file_ = nullptr;
    owned_ = false;
    buffer_.clear();
#ifndef NDEBUG
    ended();
#endif
}

void Writer::put(std::string_view text) {
    assert(writable());
    buffer_.append(text);
    if (buffer_.size() >= kFlushAt) drain();
}

void Writer::printf(const char* format, ...) {
    assert(writable());
    char local[512];
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(local, sizeof local, format, args);
    va_end(args);
    if (n < 0) {
        va_end(again);
        return;
    }
    if (static_cast<std::size_t>(n) < sizeof local) {
        buffer_.append(local, static_cast<std::size_t>(n));
    } else {
        std::vector<char> big(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(big.data(), big.size(), format, again);
        buffer_.append(big.data(), static_cast<std::size_t>(n));
    }
    va_end(again);
    if (buffer_.size() >= kFlushAt) drain();
}

void Writer::drain() {
    if (!file_) return;  // collecting: keep everything
    errno = 0;
    if (!buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
        const int error = errno ? errno : EIO;
        buffer_.clear();
        if (!name_.empty()) throw OutputWriteError{name_, error};
    }
    drained_ += buffer_.size();
    buffer_.clear();
}

void Writer::flush() {
    drain();
    errno = 0;
    if (file_ && std::fflush(file_) != 0 && !name_.empty()) throw OutputWriteError{name_, errno ? errno : EIO};
}

void Writer::close() {
    flush();
    if (file_ && owned_) std::fclose(file_);
    file_ = nullptr;
    owned_ = false;
#ifndef NDEBUG
    ended();
#endif
}

}  // namespace vortel
