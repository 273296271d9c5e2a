#include "core/element_table.h"

namespace vortel {

void ElementTable::clearAll() {
    for (auto& c : cells_) c = ElementStatus{};
    touched_ = {};
}

void ElementTable::resetRecord() {
    forEachTouched([this](int cell) {
        cells_[cell].state = kValid;
        cells_[cell].pairFailures = 0;
    });
    touched_ = {};
}

bool ElementTable::tallyStates() {
    bool finding = false;
    forEachTouched([this, &finding](int cell) {
        ElementStatus& c = cells_[cell];
        if (!isFindingState(c.state)) return;
        finding = true;
        if (isLetterState(c.state)) countUp(c.likelyErrorCount);
        if (isUpperState(c.state) || c.state == kOutOfRange) countUp(c.cleanedCount);
    });
    return finding;
}

void ElementTable::mark(int cell, char code) {
    if (code == kMissing) {
        setState(cell, kMissing);
        countUp(cells_[cell].missingCount);
    } else if (code == kOutOfRange) {
        setState(cell, kOutOfRange);
        countUp(cells_[cell].outOfRangeCount);
    }
}

void ElementTable::markLetter(int cell, char letter) {
    const char s = cells_[cell].state;
    if (s == kValid || s == kPendingBlank) setLetter(cell, letter);
}

bool ElementTable::hasFinding() const {
    bool finding = false;
    forEachTouched([this, &finding](int cell) { finding = finding || isFindingState(cells_[cell].state); });
    return finding;
}

}  // namespace vortel
