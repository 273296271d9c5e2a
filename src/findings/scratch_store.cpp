#include "findings/scratch_store.h"

#include <cerrno>

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
}

std::size_t ScratchStore::read(char* to, std::size_t size) {
    errno = 0;
    const std::size_t n = std::fread(to, 1, size, file_);
    if (n != size && std::ferror(file_)) failed();
    return n;
}

void ScratchStore::readAll(char* to, std::size_t size) {
    if (read(to, size) != size) failed();
}

}  // namespace vortel
