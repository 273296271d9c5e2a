#include "findings/scratch_store.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/files.h"

namespace vortel {

ScratchStore::~ScratchStore() {
    writer_.detach();
    if (file_) std::fclose(file_);
}

int ScratchStore::create(const std::string& outputName) {
    int error = 0;
    file_ = openScratchFile(outputName, error);
    if (!file_) return error;
    name_ = outputName;
    writer_.attach(file_, false, outputName);
    return 0;
}

void ScratchStore::failed() const { throw OutputWriteError{name_, errno ? errno : EIO}; }

void ScratchStore::rewind() {
    writer_.flush();
    errno = 0;
    if (std::fseek(file_, 0, SEEK_SET) != 0) failed();
    block_.resize(kReadBlock);
    at_ = end_ = 0;
}

std::size_t ScratchStore::read(char* to, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        if (at_ == end_) {
            // A block at a time: the reads are of a few bytes each (a mark's
            // place, a record number).
            errno = 0;
            end_ = std::fread(block_.data(), 1, block_.size(), file_);
            at_ = 0;
            if (end_ == 0) {
                if (std::ferror(file_)) failed();
                break;
            }
        }
        const std::size_t n = std::min(size - done, end_ - at_);
        std::memcpy(to + done, block_.data() + at_, n);
        at_ += n;
        done += n;
    }
    return done;
}

void ScratchStore::readAll(char* to, std::size_t size) {
    if (read(to, size) != size) failed();
}

}  // namespace vortel
