// Buffered text output with printf-style formatting, used for both reports
// and for the console streams. A writer either owns an open FILE (reports),
// borrows one (standard output and error), or collects into a string (tests).
#pragma once

#include <cassert>
#include <cstdio>
#include <string>
#include <string_view>

#include "core/platform.h"

namespace vortel {

// A write to an output of the run failed: the output's name and the system's
// error number.
struct OutputWriteError {
    std::string name;
    int error;
};

class Writer {
public:
    Writer() = default;  // collects into a string
    Writer(std::FILE* file, bool owned) : file_(file), owned_(owned) {
#ifndef NDEBUG
        if (file) stage_ = Stage::Attached;
#endif
    }
    ~Writer();
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    // Replaces the destination (flushing and closing the old one). A writer
    // given the output's name throws OutputWriteError when a write fails; one
    // without (the console) drops what cannot be written.
    void attach(std::FILE* file, bool owned, std::string name = {});
    bool isOpen() const { return file_ != nullptr; }

    void put(std::string_view text);
    void put(char c) {
        assert(writable());
        buffer_.push_back(c);
        if (buffer_.size() >= kFlushAt) drain();
    }
    void repeat(char c, int count) {
        assert(writable());
        buffer_.append(static_cast<std::size_t>(count > 0 ? count : 0), c);
    }
    void printf(const char* format, ...) VORTEL_PRINTF_FORMAT(2, 3);
    // For text built piece by piece (a row of a findings file): appended to
    // the string given, it is written as if put; call appended() after.
    std::string& appendTo() {
        assert(writable());
        return buffer_;
    }
    void appended() {
        if (buffer_.size() >= kFlushAt) drain();
    }

    // How many bytes were put since the writer was given its file: where the
    // next byte goes in a file that was empty then.
    unsigned long long written() const { return drained_ + buffer_.size(); }

    void flush();
    void close();
    // Leaves the destination without writing what is pending.
    void detach();

    // Everything written so far, when collecting into a string.
    const std::string& captured() const {
        assert(stage_ == Stage::Collecting);
        return buffer_;
    }

private:
    static constexpr std::size_t kFlushAt = 1 << 16;
    void drain();

    std::FILE* file_ = nullptr;
    bool owned_ = false;
    std::string name_;
    std::string buffer_;
    unsigned long long drained_ = 0;  // handed to the file since attach

#ifndef NDEBUG
    // The order of the calls, checked in debug builds: a writer that has had
    // a destination takes no more text once it is closed or left, until it
    // is given another; only one that never had one holds what was written.
    enum class Stage { Collecting, Attached, Ended };
    Stage stage_ = Stage::Collecting;
    bool writable() const { return stage_ != Stage::Ended; }
    void ended() {
        if (stage_ == Stage::Attached) stage_ = Stage::Ended;
    }
#endif
};

}  // namespace vortel
