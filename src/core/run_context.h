// Run-wide state: the answers of the dialogue, the run facts, the counts and
// tables of the checks, the message lists and the output streams. One
// instance lives for a whole run; the pass over the file and the outputs take
// it whole, while each check is given only the parts it reads.
#pragma once

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
    std::size_t aggregateMessages = kUnlimited;
    std::size_t adoptionFootnoteMessages = kUnlimited;
    std::size_t fosterCareFootnoteMessages = kUnlimited;
};

class FindingsExport;

struct RunContext {
    // Answers of the dialogue.
    std::string dataFileName;
    std::string fosterCareReportName;
    std::string adoptionReportName;
    std::string fipsFileName = "fips.lst";

    // The State, the run date (one reading of the local clock) and the local
    // agency codes: all that the checks read of the run.
    RunFacts facts;
    std::string runTimestamp;  // "%m/%d/%Y %I:%M%p"

    // The report period of the latest summary record (6 characters).
    std::string reportPeriod = "      ";

    std::int32_t adoptionRecordCount = 0;
    std::int32_t fosterCareRecordCount = 0;
    bool markerSeen = false;

    ElementTable adoptionCells{RecordKind::Adoption};
    ElementTable fosterCareCells{RecordKind::FosterCare};
    DatePairOutcomes datePairs;
    TallyTables tallies;

    MessageList aggregateErrors;
    FootnoteErrors footnotes;

    bool localAgencyListFailed = false;

    // Machine-readable findings, when asked for on the command line.
    FindingsExport* findings = nullptr;

    Writer console;  // standard output
    Writer errors;   // standard error
    Writer fosterCareReport;
    Writer adoptionReport;

    ElementTable& cells(RecordKind kind) { return kind == RecordKind::Adoption ? adoptionCells : fosterCareCells; }
    Writer& report(RecordKind kind) { return kind == RecordKind::Adoption ? adoptionReport : fosterCareReport; }
    std::int32_t recordCount(RecordKind kind) const {
        return kind == RecordKind::Adoption ? adoptionRecordCount : fosterCareRecordCount;
    }
    Console streams() { return {console, errors}; }

    // Gives each growable list the most room it may obtain.
    void setMemoryLimits(const MemoryLimits& limits) {
        facts.localAgencies.roomLimit = limits.localAgencyEntries;
        aggregateErrors.roomLimit = limits.aggregateMessages;
        footnotes.adoption.roomLimit = limits.adoptionFootnoteMessages;
        footnotes.fosterCare.roomLimit = limits.fosterCareFootnoteMessages;
    }
};

[[noreturn]] inline void fatalError(RunContext& ctx, std::string_view message) { fatalError(ctx.streams(), message); }
inline void reportFatal(RunContext& ctx, std::string_view message) { reportFatal(ctx.streams(), message); }

}  // namespace vortel
