// What to fix first: a short list of actions made from the run's findings,
// ranked by the records each concerns (not by findings, so that a short line
// with 37 blank elements counts once). The page shows the list at its top
// and the closing summary on a terminal its first actions.
//
// The candidates, per record kind:
//   length     records whose line has the wrong length (element `record`);
//   deleted    records with a value the reports say will be deleted (state 2
//              or an upper-case letter);
//   threshold  an element whose summary message says its share passed the
//              threshold (records: those the tally counted);
//   county     foster care records whose local agency code (element 3) is
//              not in the State's list (state 2);
//   element    the elements with the most records with a finding.
// A record with a length finding counts only under `length`: the findings
// of its elements follow from the line.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/element_table.h"
#include "findings/finding_cells.h"

namespace vortel {

struct RunContext;

enum class FixKind : std::uint8_t { Length, Deleted, Threshold, County, Element };

struct FixAction {
    FixKind what;
    RecordKind kind;
    long records = 0;      // records it concerns
    long kindRecords = 0;  // detail records of its kind
    // The element label it is about ("07f"; "03" for county; "record" for
    // length; empty for deleted).
    std::string element;
    std::string text;  // what to do, one sentence without its full stop
    // Threshold: the message's place among its kind's summary messages.
    std::size_t message = 0;

    // Its name on the page: "length", "deleted", "threshold", "county",
    // "element-07f".
    std::string key() const;
};

class FixFirstTally {
public:
    // Actions listed at most; element candidates taken at most.
    static constexpr std::size_t kMostActions = 10;
    static constexpr std::size_t kElementCandidates = 6;

    // The findings of one checked record (none for a clean one).
    void add(RecordKind kind, std::span<const Finding> findings);

    // The ranked actions: most records first, ties in the order they are
    // made (adoption's first, each kind's in the order above). Threshold candidates come from the
    // summary messages, which exist only when the run is `complete`.
    std::vector<FixAction> actions(const RunContext& ctx, bool complete, std::size_t most = kMostActions) const;

private:
    struct KindCounts {
        long length = 0;
        long deleted = 0;
        long county = 0;
        std::array<long, kFosterCareCells + 1> cells{};  // records with a finding of the cell
    };
    std::array<KindCounts, 2> kinds_{};
};

// The finding that says a line has the wrong length.
inline bool isLengthFinding(const Finding& f) { return f.element == "record"; }

}  // namespace vortel
