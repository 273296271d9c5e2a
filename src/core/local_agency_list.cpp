#include "core/local_agency_list.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <new>

#include "core/console.h"
#include "core/files.h"
#include "core/record_fields.h"
#include "core/run_facts.h"

namespace vortel {

bool LocalAgencyList::grow(std::size_t newRoom) {
    if (newRoom > roomLimit) return false;
    room_ = newRoom;
    return true;
}

bool LocalAgencyList::append(std::string_view code) {
    const std::size_t newCount = codes_.size() + 1;
    // Room for the first 85 entries with the first one, then 85 more each
    // time the count reaches a multiple of 85.
    bool ok = newCount != 1 || grow(kBlock);
    if (ok) {
        try {
            indexed_ = false;
            codes_.emplace_back(code.substr(0, 5));
        } catch (const std::bad_alloc&) {
            ok = false;
        }
    }
    if (ok && newCount % kBlock == 0) ok = grow((newCount / kBlock + 1) * kBlock);
    if (!ok) release();
    return ok;
}

namespace {

std::uint64_t keyOf(std::string_view code) {
    std::uint64_t key = 0;
    for (char c : code) key = (key << 8) | static_cast<unsigned char>(c);
    return key;
}

}  // namespace

void LocalAgencyList::buildIndex() const {
    // Entries shorter than 5 characters can never equal a 5-character field.
    index_.clear();
    digitCodes_.assign(kDigitCodeWords, 0);
    for (const std::string& code : codes_) {
        if (code.size() != 5) continue;
        index_.push_back(keyOf(code));
        if (std::int64_t v; readDigits(code, v))
            digitCodes_[static_cast<std::size_t>(v) / 64] |= std::uint64_t{1} << (v % 64);
    }
    std::sort(index_.begin(), index_.end());
    indexed_ = true;
}

bool LocalAgencyList::codeInvalid(std::string_view field) const {
    if (!indexed_) buildIndex();
    // Five digits, the usual field: one bit tells.
    if (std::int64_t v; field.size() == 5 && readDigits(field, v))
        return !(digitCodes_[static_cast<std::size_t>(v) / 64] >> (v % 64) & 1u);
    if (!isNumericField(field)) return true;
    return field.size() != 5 || !std::binary_search(index_.begin(), index_.end(), keyOf(field));
}

void LocalAgencyList::release() {
    // An empty deque may itself need memory; when even that cannot be had,
    // clearing still gives back all but the deque's first chunk and index.
    try {
        std::deque<std::string>().swap(codes_);
    } catch (const std::bad_alloc&) {
        codes_.clear();
    }
    std::vector<std::uint64_t>().swap(index_);
    std::vector<std::uint64_t>().swap(digitCodes_);
    indexed_ = false;
    room_ = 0;
}

int loadLocalAgencyCodes(RunFacts& facts, const std::string& listFileName, Console console) {
    std::FILE* file = std::fopen(listFileName.c_str(), "r");
    if (!file) {
        const int error = errno;
        fatalError(console,
                   "\nUnable to open FIPS.LST file " + visibleText(listFileName) + ": " + errorText(error) + ".");
    }
    LocalAgencyList& list = facts.localAgencies;
    list.release();
    // Pieces of at most 6 characters: up to and including a line feed.
    char piece[6];
    for (;;) {
        std::size_t n = 0;
        int c = 0;
        while (n < sizeof piece && (c = std::getc(file)) != EOF) {
            piece[n++] = static_cast<char>(c);
            if (c == '\n') break;
        }
        if (n == 0) break;
        const std::string_view text(piece, n);
        if (text.size() >= 2 && text.substr(0, 2) == facts.stateCode) {
            if (!list.append(text.substr(0, 5))) {
                std::fclose(file);
                return -1;
            }
        }
        if (c == EOF) break;
    }
    if (std::ferror(file)) {
        // A read error (a directory given as the list ends here too).
        const int error = errno ? errno : EIO;
        std::fclose(file);
        fatalError(console, "\nUnable to read file " + visibleText(listFileName) + ": " + errorText(error) + ".");
    }
    std::fclose(file);
    return static_cast<int>(list.count());
}

}  // namespace vortel
