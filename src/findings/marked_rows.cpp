#include "findings/marked_rows.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

namespace vortel {

namespace {

// Each place: where the mark begins (8 bytes, low byte first), the record
// kind's index, the change, the record number's 12 bytes.
constexpr std::size_t kPlaceBytes = 8 + 1 + 1 + 12;
constexpr unsigned long long kNone = std::numeric_limits<unsigned long long>::max();
// Bytes copied at a time.
constexpr std::size_t kCopyBlock = std::size_t{1} << 16;

}  // namespace

int MarkedRows::create(WrittenOutput& file) {
    if (const int error = places_.create(file.name())) return error;
    if (!file.file().canReadBack()) {
        held_.emplace();
        if (const int error = held_->create(file.name())) return error;
    }
    return 0;
}

void MarkedRows::mark(WrittenOutput& file, RecordKind kind, std::string_view recordNumber, Change change) {
    Writer& out = rows(file);
    const unsigned long long at = out.written();
    char bytes[kPlaceBytes];
    for (std::size_t i = 0; i < 8; ++i) bytes[i] = static_cast<char>((at >> (8 * i)) & 0xFF);
    bytes[8] = static_cast<char>(kindIndex(kind));
    bytes[9] = static_cast<char>(change);
    const RecordNumber number = toRecordNumber(recordNumber);
    std::memcpy(bytes + 10, number.data(), number.size());
    places_.put(std::string_view(bytes, kPlaceBytes));
    out.put(text_(change));
}

bool MarkedRows::nextPlace(Place& place) {
    char bytes[kPlaceBytes];
    const std::size_t n = places_.read(bytes, kPlaceBytes);
    if (n == 0) return false;
    if (n != kPlaceBytes) places_.failed();
    unsigned char b[kPlaceBytes];
    std::memcpy(b, bytes, kPlaceBytes);
    place.at = 0;
    for (std::size_t i = 8; i-- > 0;) place.at = place.at << 8 | b[i];
    place.kind = kAllRecordKinds[b[8] % kRecordKinds];
    place.change = static_cast<Change>(b[9]);
    std::memcpy(place.number.data(), bytes + 10, place.number.size());
    return true;
}

Change MarkedRows::finalChange(const Place& place, const ChangeMarks* marks) const {
    if (!marks) return Change::None;
    if (place.change != Change::Unmatched && marks->repeatedInThisRun(place.kind, place.number))
        return Change::Unmatched;
    return place.change;
}

void MarkedRows::end(WrittenOutput& file, const ChangeMarks* marks) {
    if (!active() || ended_) return;
    ended_ = true;
    // The first mark that turns out otherwise, and where its bytes begin.
    places_.rewind();
    unsigned long long first = kNone, start = 0;
    Place place;
    for (unsigned long long index = 0; nextPlace(place); ++index) {
        if (finalChange(place, marks) != place.change) {
            first = index;
            start = place.at;
            break;
        }
    }
    if (held_) {
        held_->rewind();
        rewrite(file, *held_, 0, first, marks);
        return;
    }
    if (first == kNone) return;
    // Read back from the first mark to mend, the file cut back there.
    Writer& out = file.out();
    out.flush();
    ScratchStore tail;
    if (const int error = tail.create(file.name())) throw OutputWriteError{file.name(), error};
    errno = 0;
    std::FILE* back = file.file().openToReadBack();
    if (!back) throw OutputWriteError{file.name(), errno ? errno : EIO};
    int error = platform::seekFile(back, static_cast<long long>(start));
    std::string block(kCopyBlock, '\0');
    while (!error) {
        const std::size_t n = std::fread(block.data(), 1, block.size(), back);
        if (n == 0) {
            if (std::ferror(back)) error = errno ? errno : EIO;
            break;
        }
        tail.put(std::string_view(block.data(), n));
    }
    std::fclose(back);
    if (!error) error = file.file().cutBackTo(static_cast<long long>(start));
    if (error) throw OutputWriteError{file.name(), error};
    tail.rewind();
    rewrite(file, tail, start, first, marks);
}

void MarkedRows::rewrite(WrittenOutput& file, ScratchStore& from, unsigned long long start, unsigned long long first,
                         const ChangeMarks* marks) {
    Writer& out = file.out();
    std::string block(kCopyBlock, '\0');
    unsigned long long at = start;  // where `from` stands
    // Copies the bytes of `from` up to `to`.
    const auto copyTo = [&](unsigned long long to) {
        while (at < to) {
            const auto n = static_cast<std::size_t>(std::min<unsigned long long>(to - at, block.size()));
            from.readAll(block.data(), n);
            out.put(std::string_view(block.data(), n));
            at += n;
        }
    };
    if (first != kNone) {
        places_.rewind();
        Place place;
        for (unsigned long long index = 0; nextPlace(place); ++index) {
            if (index < first) continue;
            const std::string_view was = text_(place.change);
            copyTo(place.at);
            out.put(text_(finalChange(place, marks)));
            from.readAll(block.data(), was.size());
            at += was.size();
        }
    }
    for (std::size_t n; (n = from.read(block.data(), block.size())) != 0;) out.put(std::string_view(block.data(), n));
}

}  // namespace vortel
