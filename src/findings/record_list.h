// The record number of every detail record of the run, by record kind in the
// order of the data file, for the findings JSON to list at its end. They are
// kept in an unnamed scratch file per kind beside the findings file until
// then, so that the program's memory does not grow with the number of
// records.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "core/element_table.h"
#include "core/writer.h"
#include "findings/scratch_store.h"

namespace vortel {

class RecordList {
public:
    // Makes the scratch files beside the output `outputName`; a failed write
    // or read of one is reported as one of that output. Returns 0 or the
    // system's error number.
    int create(const std::string& outputName);
    // One detail record (its record number as it stands in the record).
    void add(RecordKind kind, std::string_view recordNumber) { stores_[kind].put(recordNumber); }
    // Writes the record numbers of `kind` as the items of a JSON array, a few
    // to a line at `indent` blanks, each line begun by a line feed; nothing
    // when the run had no record of the kind. Returns how many it wrote.
    long writeJsonItems(Writer& out, RecordKind kind, int indent);

private:
    PerKind<ScratchStore> stores_;
};

}  // namespace vortel
