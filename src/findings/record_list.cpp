#include "findings/record_list.h"

#include "findings/finding_cells.h"
#include "findings/findings_text.h"

namespace vortel {

namespace {

// Record numbers per line of the JSON array.
constexpr int kItemsPerLine = 8;

}  // namespace

int RecordList::create(const std::string& outputName) {
    for (ScratchStore& store : stores_)
        if (const int error = store.create(outputName)) return error;
    return 0;
}

long RecordList::writeJsonItems(Writer& out, RecordKind kind, int indent) {
    ScratchStore& store = stores_[kind];
    store.rewind();
    // Every record number of a kind has the width of its columns.
    const ColumnRange rn = recordNumberColumns(kind);
    std::string number(static_cast<std::size_t>(rn.last - rn.first + 1), ' ');
    long items = 0;
    for (;;) {
        const std::size_t n = store.read(number.data(), number.size());
        if (n == 0) break;
        if (n != number.size()) store.failed();
        std::string& text = out.appendTo();
        if (items % kItemsPerLine == 0) {
            text += items == 0 ? "\n" : ",\n";
            text.append(static_cast<std::size_t>(indent), ' ');
        } else {
            text += ", ";
        }
        appendJsonString(text, number, JsonText::Latin1);
        out.appended();
        ++items;
    }
    return items;
}

}  // namespace vortel
