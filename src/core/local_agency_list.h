// The local agency (county) FIPS codes of the typed State, loaded from the
// list file at every Foster Care section and released at its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace vortel {

struct Console;
struct RunFacts;

class LocalAgencyList {
public:
    // Room for entries grows in blocks of this many. The room is a count
    // compared with `roomLimit`; the codes live in a deque, which grows
    // without moving what it holds, so that a long list file loads in time
    // proportional to its length.
    static constexpr std::size_t kBlock = 85;

    std::size_t count() const { return codes_.size(); }
    const std::string& code(std::size_t i) const { return codes_[i]; }
    std::size_t room() const { return room_; }

    // Appends one code (at most 5 characters). Returns false when room for
    // it cannot be obtained; the list is then emptied.
    bool append(std::string_view code);
    // True when the field is not numeric or equals none of the codes.
    bool codeInvalid(std::string_view field) const;
    void release();

    // Test seam: the most entries the list may obtain room for, standing in
    // for the memory that a machine has.
    std::size_t roomLimit = std::numeric_limits<std::size_t>::max();

private:
    bool grow(std::size_t newRoom);
    std::deque<std::string> codes_;
    // The 5-character codes as sorted keys, and those of five digits as bits
    // of a set of the numbers 0-99999, built at the first lookup after a
    // change: the answer is that of a scan in file order, found faster.
    static constexpr std::size_t kDigitCodeWords = 100000 / 64 + 1;
    void buildIndex() const;
    mutable std::vector<std::uint64_t> index_;
    mutable std::vector<std::uint64_t> digitCodes_;
    mutable bool indexed_ = false;
    std::size_t room_ = 0;
};

// Reads the list file and keeps the codes of the run's State in
// `facts.localAgencies`. Returns the number kept, 0 when the State has none,
// -1 when memory ran out. Ends the run (fatal error) when the file cannot be
// opened or read.
int loadLocalAgencyCodes(RunFacts& facts, const std::string& listFileName, Console console);

}  // namespace vortel
