#include "findings/record_list.h"

#include <algorithm>
#include <array>

#include "findings/finding_cells.h"
#include "findings/findings_text.h"
#include "reports/output_kinds.h"

namespace vortel {

namespace {

// Record numbers per line of the JSON array.
constexpr int kItemsPerLine = 8;

char kindTag(RecordKind kind) { return outputRow(kind).tag; }

std::size_t numberWidth(RecordKind kind) {
    const ColumnRange rn = recordNumberColumns(kind);
    return static_cast<std::size_t>(rn.last) - static_cast<std::size_t>(rn.first) + 1;
}

}  // namespace

void RecordList::add(RecordKind kind, std::string_view recordNumber) {
    // A tag of the kind, then the record number's columns.
    store_.put(kindTag(kind));
    store_.put(recordNumber);
}

long RecordList::writeJsonItems(Writer& out, RecordKind kind, int indent) {
    store_.rewind();
    // The width of a record number by the tag of its kind.
    std::array<std::size_t, 256> width{};
    std::size_t widest = 0;
    for (const OutputKindRow& row : kOutputKindRows) {
        width[static_cast<unsigned char>(row.tag)] = numberWidth(row.kind);
        widest = std::max(widest, numberWidth(row.kind));
    }
    std::string entry(1 + widest, ' ');
    std::string item;
    long items = 0;
    char tag;
    while (store_.read(&tag, 1) == 1) {
        const std::size_t n = width[static_cast<unsigned char>(tag)];
        store_.readAll(entry.data(), n);
        if (tag != kindTag(kind)) continue;
        if (items % kItemsPerLine == 0) {
            out.put(items == 0 ? "\n" : ",\n");
            out.repeat(' ', indent);
        } else {
            out.put(", ");
        }
        item.clear();
        appendJsonString(item, std::string_view(entry).substr(0, n), JsonText::Latin1);
        out.put(item);
        ++items;
    }
    return items;
}

}  // namespace vortel
