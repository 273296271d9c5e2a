// Run-wide state: the answers of the dialogue, the run facts, the counts and
// tables of the checks, the message lists and the output streams. One
// instance lives for a whole run; the pass over the file and the outputs take
// it whole, while each check is given only the parts it reads.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/console.h"
#include "core/date_pair_state.h"
#include "core/element_table.h"
#include "core/message_list.h"
#include "core/run_facts.h"
#include "core/summary_tally.h"
#include "core/writer.h"

namespace vortel {

// Limits standing in for exhausted memory, so that the failure paths of the
// growable lists can be exercised. Unlimited in a normal run.
struct MemoryLimits {
    static constexpr std::size_t kUnlimited = static_cast<std::size_t>(-1);
    std::size_t localAgencyEntries = kUnlimited;
    // By message list (MessageListId).
    std::array<std::size_t, kMessageLists> messages = [] {
        std::array<std::size_t, kMessageLists> limits{};
        limits.fill(kUnlimited);
        return limits;
    }();
};

class FindingsExport;

struct RunContext {
    // Answers of the dialogue.
    std::string dataFileName;
    PerKind<std::string> reportNames;
    std::string fipsFileName = "fips.lst";

    // The State, the run date (one reading of the local clock) and the local
    // agency codes: all that the checks read of the run.
    RunFacts facts;
    std::string runTimestamp;  // "%m/%d/%Y %I:%M%p"

    // The report period of the latest summary record (6 characters).
    std::string reportPeriod = "      ";

    // Detail records checked, by kind.
    PerKind<std::int32_t> recordCounts{};
    bool markerSeen = false;

    PerKind<ElementTable> cellTables = perKindOf<ElementTable>();
    DatePairOutcomes datePairs;
    TallyTables tallies;

    // The adoption aggregate errors and the footnote errors of each kind.
    MessageLists messageLists;
    std::int64_t footnoteCount = 0;  // footnote records read

    bool localAgencyListFailed = false;

    // Machine-readable findings, when asked for on the command line.
    FindingsExport* findings = nullptr;

    Writer console;  // standard output
    Writer errors;   // standard error
    PerKind<Writer> reports;

    ElementTable& cells(RecordKind kind) { return cellTables[kind]; }
    Writer& report(RecordKind kind) { return reports[kind]; }
    std::int32_t recordCount(RecordKind kind) const { return recordCounts[kind]; }
    MessageList& messages(MessageListId id) { return messageLists[listIndex(id)]; }
    const MessageList& messages(MessageListId id) const { return messageLists[listIndex(id)]; }
    Console streams() { return {console, errors}; }

    // Gives each growable list the most room it may obtain.
    void setMemoryLimits(const MemoryLimits& limits) {
        facts.localAgencies.roomLimit = limits.localAgencyEntries;
        for (std::size_t i = 0; i < kMessageLists; ++i) messageLists[i].roomLimit = limits.messages[i];
    }
};

[[noreturn]] inline void fatalError(RunContext& ctx, std::string_view message) { fatalError(ctx.streams(), message); }
inline void reportFatal(RunContext& ctx, std::string_view message) { reportFatal(ctx.streams(), message); }

}  // namespace vortel
