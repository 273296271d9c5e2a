#include "reports/writer.h"

#include <cstdarg>
#include <vector>

namespace vortel {

Writer::~Writer() { close(); }

void Writer::attach(std::FILE* file, bool owned) {
    close();
    file_ = file;
    owned_ = owned;
}

void Writer::put(std::string_view text) {
    buffer_.append(text);
    if (buffer_.size() >= kFlushAt) drain();
}

void Writer::printf(const char* format, ...) {
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
    if (!buffer_.empty()) std::fwrite(buffer_.data(), 1, buffer_.size(), file_);
    buffer_.clear();
}

void Writer::flush() {
    drain();
    if (file_) std::fflush(file_);
}

void Writer::close() {
    flush();
    if (file_ && owned_) std::fclose(file_);
    file_ = nullptr;
    owned_ = false;
}

}  // namespace vortel
