#include "findings/finding_spool.h"

#include <cerrno>
#include <cstring>

#include "core/files.h"

namespace vortel {

namespace {

// Each row: a tag of its kind, the record number's 12 bytes, the cell in two
// bytes and the row's length in four, high byte first, then the row.
constexpr std::size_t kHeadBytes = 1 + 12 + 2 + 4;

}  // namespace

FindingSpool::~FindingSpool() {
    writer_.detach();
    if (file_) std::fclose(file_);
}

int FindingSpool::create(const std::string& outputName) {
    int error = 0;
    file_ = openScratchFile(outputName, error);
    if (!file_) return error;
    name_ = outputName;
    writer_.attach(file_, false, outputName);
    return 0;
}

void FindingSpool::add(RecordKind kind, std::string_view recordNumber, int cell, std::string_view row) {
    const RecordNumber number = toRecordNumber(recordNumber);
    const auto size = static_cast<std::uint32_t>(row.size());
    char head[kHeadBytes];
    head[0] = static_cast<char>(kindIndex(kind));
    std::memcpy(head + 1, number.data(), number.size());
    head[13] = static_cast<char>((cell >> 8) & 0xFF);
    head[14] = static_cast<char>(cell & 0xFF);
    for (int i = 0; i < 4; ++i) head[15 + i] = static_cast<char>((size >> (8 * (3 - i))) & 0xFF);
    writer_.put(std::string_view(head, kHeadBytes));
    writer_.put(row);
}

void FindingSpool::rewind() {
    writer_.flush();
    errno = 0;
    if (std::fseek(file_, 0, SEEK_SET) != 0) throw OutputWriteError{name_, errno ? errno : EIO};
}

bool FindingSpool::next() {
    unsigned char head[kHeadBytes];
    errno = 0;
    const std::size_t n = std::fread(head, 1, kHeadBytes, file_);
    if (n == 0 && !std::ferror(file_)) return false;
    if (n != kHeadBytes) throw OutputWriteError{name_, errno ? errno : EIO};
    kind_ = kAllRecordKinds[static_cast<unsigned char>(head[0]) % kRecordKinds];
    std::memcpy(number_.data(), head + 1, number_.size());
    cell_ = static_cast<std::uint16_t>(head[13] << 8 | head[14]);
    std::uint32_t size = 0;
    for (int i = 0; i < 4; ++i) size = size << 8 | head[15 + i];
    row_.resize(size);
    if (size != 0 && std::fread(row_.data(), 1, size, file_) != size)
        throw OutputWriteError{name_, errno ? errno : EIO};
    return true;
}

}  // namespace vortel
