// Why a finding is one: the rule that set the element's final state, as a
// short id and one sentence. Both are built from the tables that made the
// check (the catalogue's element tests, the date-pair rows, the groups'
// decision tables) and from the record's values, never written rule by rule.
//
// Rule ids:
//   A-06.code, F-21.late     an element's own test: the element's label and
//                            what failed (missing, code, state, period, date,
//                            early, late, year, number, agency)
//   A-DP24, F-DP103          a row of the date-pair table (group #1)
//   A-G3.9, F-G9.4.2         a rule of a consistency group: the row of its
//                            table, and the column where the table has them
// The first letter is the record kind: A adoption, F foster care.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/element_table.h"
#include "findings/finding_cells.h"

namespace vortel {

struct RunContext;

// Fills `rule` and `explanation` of each finding of the record just checked
// (as collectFindings made them): `cells` hold its final states and the rules
// behind its letters, `record` is the padded record, and `ctx` gives what the
// tests compared with (the typed State code, the run date, the local agency
// list). Values in the sentences are the record's bytes, for the writer of
// each output to escape.
//
// `memo`, when given, keeps what was said for the rest of the run: within a
// run an element's value fails its test the same way every time (the facts
// it is compared with do not change), and a rule of a group (other than the
// date pairs) is told by its rule, its letter and the values of the group's
// elements alone. Such sentences are most of what is said.
class ExplanationMemo;
void explainFindings(RecordKind kind, const ElementTable& cells, std::string_view record, const RunContext& ctx,
                     std::span<Finding> findings, RecordWords& words, ExplanationMemo* memo = nullptr);

class ExplanationMemo {
public:
    // What was said of a finding whose key (see explainFindings) is in
    // `key()`, or null.
    std::string& key() { return key_; }
    const Explained* find();
    // Whether the memo keeps no more.
    bool full() const { return kept_.size() >= kMostKept; }
    // Keeps what was said under the key of the last `find`, which found
    // nothing, unless full: where it is kept for the rest of the run.
    const Explained& keep(Explained said);

private:
    // At most this many sentences are kept.
    static constexpr std::size_t kMostKept = 1 << 14;
    struct Kept {
        std::string key;
        Explained said;
    };
    // An open table of twice as many slots: the key's hash and 1 + where
    // its sentence is kept (0 for an empty slot). Looking up a key touches
    // one slot, mostly, and the one kept sentence it names.
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t kept = 0;
    };
    static constexpr std::size_t kSlots = 2 * kMostKept;
    std::string key_;
    std::size_t slot_ = 0;  // where the last `find` ended
    std::uint32_t hash_ = 0;
    std::vector<Slot> slots_;
    std::vector<Kept> kept_;  // never moved: `Finding::words` points into it
};

}  // namespace vortel
