// What a findings file wrote of a finding apart from its record: most
// findings of a run repeat another one's element, value and words, and their
// text is copied rather than escaped again. One per record kind.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "findings/finding_cells.h"

namespace vortel {

class RowPieces {
public:
    // The text written before for a finding like `f`, or null.
    // Only findings whose words last the run (`Finding::words`) are kept.
    const std::string* find(const Finding& f) const {
        if (!f.words || slots_.empty()) return nullptr;
        const Slot& s = slots_[slotOf(f)];
        return s.words == f.words && s.cell == f.cell && s.state == f.state && s.first == f.first && s.last == f.last &&
                       s.value == f.value
                   ? &s.piece
                   : nullptr;
    }

    // Keeps `piece`, the text written for `f`, in place of what its slot held.
    void keep(const Finding& f, std::string_view piece) {
        if (!f.words) return;
        if (slots_.empty()) slots_.resize(std::size_t{1} << kSlotBits);
        Slot& s = slots_[slotOf(f)];
        s.words = f.words;
        s.cell = f.cell;
        s.state = f.state;
        s.first = f.first;
        s.last = f.last;
        s.value.assign(f.value);
        s.piece.assign(piece);
    }

private:
    // One finding per slot, the latest: a bounded memory that needs no
    // eviction, and the run's few thousand distinct findings mostly fit.
    static constexpr int kSlotBits = 13;

    struct Slot {
        const Explained* words = nullptr;
        int cell = 0;
        char state = 0;
        int first = 0;
        int last = 0;
        std::string value;
        std::string piece;
    };

    static std::size_t slotOf(const Finding& f) {
        auto h = reinterpret_cast<std::uintptr_t>(f.words) ^ (static_cast<std::uintptr_t>(f.cell) << 3) ^
                 static_cast<std::uintptr_t>(static_cast<unsigned char>(f.state));
        return static_cast<std::size_t>((static_cast<std::uint64_t>(h) * 0x9E3779B97F4A7C15ULL) >> (64 - kSlotBits));
    }

    std::vector<Slot> slots_;  // made at the first finding kept
};

}  // namespace vortel
