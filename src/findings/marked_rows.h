// The rows of a findings file marked with what changed since the earlier run
// (--compare), written as the records are checked. Each row gets the mark the
// earlier run gives its finding (ChangeMarks::before); that its record number
// repeats later in this run, which makes it unmatched, is known only at the
// end. So where each mark stands is kept in an unnamed scratch file beside the
// output, and at the end the marks that turn out otherwise (every mark, for a
// run that did not complete) are mended: the bytes from the first such mark on
// are read back and written again, mended. Usually none is, and the rows are
// written once. An output that cannot be read back (a pipe) holds its rows in
// a scratch file of their own until the end, and they are copied into it then.
// Memory does not grow with the findings.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "findings/comparison.h"
#include "findings/output_file.h"
#include "findings/scratch_store.h"

namespace vortel {

class MarkedRows {
public:
    // `text(change)`: a mark's bytes in the file (nothing for Change::None).
    using MarkText = std::string_view (*)(Change);
    explicit MarkedRows(MarkText text) : text_(text) {}

    // Makes the scratch files beside `file`, whose rows are to be marked.
    // Returns 0 or the system's error number.
    int create(WrittenOutput& file);
    bool active() const { return places_.active(); }
    // Where the rows are written: the output, or the scratch file that holds
    // them.
    Writer& rows(WrittenOutput& file) { return held_ ? held_->writer() : file.out(); }
    // Writes a row's mark, the change the earlier run gives its finding.
    void mark(WrittenOutput& file, RecordKind kind, std::string_view recordNumber, Change change);
    // Once the last row is written: mends the marks that turn out otherwise
    // with `marks` (null for a run that did not complete: every mark goes),
    // and copies held rows into the output. Once.
    void end(WrittenOutput& file, const ChangeMarks* marks);

private:
    // Where a mark stands, and what it was.
    struct Place {
        unsigned long long at;
        RecordKind kind;
        Change change;
        RecordNumber number;
    };
    bool nextPlace(Place& place);
    Change finalChange(const Place& place, const ChangeMarks* marks) const;
    // Writes `from` (bytes that began at `start`) into the output with the
    // marks of the places from `first` on mended.
    void rewrite(WrittenOutput& file, ScratchStore& from, unsigned long long start, unsigned long long first,
                 const ChangeMarks* marks);

    MarkText text_;
    ScratchStore places_;
    std::optional<ScratchStore> held_;  // the rows, for an output that cannot be read back
    bool ended_ = false;
};

}  // namespace vortel
