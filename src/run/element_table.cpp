#include "run/element_table.h"

namespace vortel {

void ElementTable::clearAll() {
    for (auto& c : cells_) c = ElementStatus{};
}

void ElementTable::resetRecord() {
    const int n = size();
    for (int i = 1; i <= n; ++i) {
        cells_[i].state = kValid;
        cells_[i].pairFailures = 0;
    }
}

bool ElementTable::tallyStates() {
    const int n = size();
    bool finding = false;
    for (int i = 1; i <= n; ++i) {
        const char s = cells_[i].state;
        if (!isFindingState(s)) continue;
        finding = true;
        if (isLetterState(s)) countUp(cells_[i].likelyErrorCount);
        if (isUpperState(s) || s == kOutOfRange) countUp(cells_[i].cleanedCount);
    }
    return finding;
}

void ElementTable::mark(int cell, char code) {
    if (code == kMissing) {
        cells_[cell].state = kMissing;
        countUp(cells_[cell].missingCount);
    } else if (code == kOutOfRange) {
        cells_[cell].state = kOutOfRange;
        countUp(cells_[cell].outOfRangeCount);
    }
}

void ElementTable::markLetter(int cell, char letter) {
    char& s = cells_[cell].state;
    if (s == kValid || s == kPendingBlank) s = letter;
}

bool ElementTable::hasFinding() const {
    const int n = size();
    for (int i = 1; i <= n; ++i) {
        if (isFindingState(cells_[i].state)) return true;
    }
    return false;
}

}  // namespace vortel
