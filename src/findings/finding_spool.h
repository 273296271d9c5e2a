// The rows of a findings file that marks each finding with what changed
// since the earlier run (--compare). Whether a record number repeats is known
// only at the end of the file, so the rows wait in an unnamed scratch file
// beside the output, each with its record number and element, and are
// copied into place at the end of the run, marked as they go: memory does
// not grow with the findings.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "core/element_table.h"
#include "findings/comparison.h"
#include "findings/scratch_store.h"

namespace vortel {

class FindingSpool {
public:
    // Makes the scratch file beside the output `outputName`; a failed write
    // or read of it is reported as one of that output. Returns 0 or the
    // system's error number.
    int create(const std::string& outputName) { return store_.create(outputName); }
    bool active() const { return store_.active(); }
    // One finding's row, its change still to come.
    void add(RecordKind kind, std::string_view recordNumber, int cell, std::string_view row);
    // Calls `emit(row, change)` for each row, in the order added, with its
    // change as `marks` gives it (Change::None without marks), once.
    template <class Emit>
    void copy(const ChangeMarks* marks, Emit emit) {
        store_.rewind();
        while (next()) emit(std::string_view(row_), marks ? marks->of(kind_, number_, cell_) : Change::None);
    }

private:
    bool next();

    ScratchStore store_;
    // The row read last.
    RecordKind kind_ = RecordKind::Adoption;
    RecordNumber number_{};
    std::uint16_t cell_ = 0;
    std::string row_;
};

}  // namespace vortel
