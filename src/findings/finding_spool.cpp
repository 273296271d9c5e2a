#include "findings/finding_spool.h"

#include <cstring>

namespace vortel {

namespace {

// Each row: a tag of its kind, the record number's 12 bytes, the cell in two
// bytes and the row's length in four, high byte first, then the row.
constexpr std::size_t kHeadBytes = 1 + 12 + 2 + 4;

}  // namespace

void FindingSpool::add(RecordKind kind, std::string_view recordNumber, int cell, std::string_view row) {
    const RecordNumber number = toRecordNumber(recordNumber);
    const auto size = static_cast<std::uint32_t>(row.size());
    char head[kHeadBytes];
    head[0] = static_cast<char>(kindIndex(kind));
    std::memcpy(head + 1, number.data(), number.size());
    head[13] = static_cast<char>((cell >> 8) & 0xFF);
    head[14] = static_cast<char>(cell & 0xFF);
    for (int i = 0; i < 4; ++i) head[15 + i] = static_cast<char>((size >> (8 * (3 - i))) & 0xFF);
    store_.put(std::string_view(head, kHeadBytes));
    store_.put(row);
}

bool FindingSpool::next() {
    char bytes[kHeadBytes];
    const std::size_t n = store_.read(bytes, kHeadBytes);
    if (n == 0) return false;
    if (n != kHeadBytes) store_.failed();
    unsigned char head[kHeadBytes];
    std::memcpy(head, bytes, kHeadBytes);
    kind_ = kAllRecordKinds[head[0] % kRecordKinds];
    std::memcpy(number_.data(), head + 1, number_.size());
    cell_ = static_cast<std::uint16_t>(head[13] << 8 | head[14]);
    std::uint32_t size = 0;
    for (int i = 0; i < 4; ++i) size = size << 8 | head[15 + i];
    row_.resize(size);
    if (size != 0) store_.readAll(row_.data(), size);
    return true;
}

}  // namespace vortel
