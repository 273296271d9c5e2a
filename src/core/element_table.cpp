#include "core/element_table.h"

namespace vortel {

void ElementTable::clearAll() {
    for (auto& c : cells_) c = ElementStatus{};
    touched_ = {};
}

void ElementTable::resetRecord() {
    forEachTouched([this](int cell) {
        at(cell).state = kValid;
        at(cell).pairFailures = 0;
    });
    touched_ = {};
}

bool ElementTable::tallyStates() {
    bool finding = false;
    forEachTouched([this, &finding](int cell) {
        ElementStatus& c = at(cell);
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
        countUp(at(cell).missingCount);
    } else if (code == kOutOfRange) {
        setState(cell, kOutOfRange);
        countUp(at(cell).outOfRangeCount);
    }
}

void ElementTable::markLetter(int cell, char letter) {
    const char s = state(cell);
    if (s == kValid || s == kPendingBlank) setLetter(cell, letter);
}

bool ElementTable::hasFinding() const {
    bool finding = false;
    forEachTouched([this, &finding](int cell) { finding = finding || isFindingState(state(cell)); });
    return finding;
}

}  // namespace vortel
