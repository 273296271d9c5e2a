// An unnamed scratch file beside an output: written through a Writer while
// the run goes on, then read back from its start. A failed write or read is
// reported as one of that output, so that the output is not moved into place.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "core/writer.h"

namespace vortel {

class ScratchStore {
public:
    ScratchStore() = default;
    ~ScratchStore();
    ScratchStore(const ScratchStore&) = delete;
    ScratchStore& operator=(const ScratchStore&) = delete;

    // Makes the scratch file beside the output `outputName`. Returns 0 or
    // the system's error number.
    int create(const std::string& outputName);
    bool active() const { return file_ != nullptr; }
    Writer& writer() { return writer_; }
    void put(std::string_view text) { writer_.put(text); }
    void put(char c) { writer_.put(c); }
    // Flushes what was written and goes back to its start to read it.
    void rewind();
    // Reads up to `size` bytes; fewer only at the end of the file.
    std::size_t read(char* to, std::size_t size);
    // Reads exactly `size` bytes.
    void readAll(char* to, std::size_t size);
    // Reports a failed read or a file cut short.
    [[noreturn]] void failed() const;

private:
    static constexpr std::size_t kReadBlock = std::size_t{1} << 16;
    std::FILE* file_ = nullptr;
    std::string name_;
    Writer writer_;
    // What was read of the file and not yet taken: block_[at_, end_).
    std::vector<char> block_;
    std::size_t at_ = 0, end_ = 0;
};

}  // namespace vortel
