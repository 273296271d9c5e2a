// Run-wide state: the answers of the dialogue, the run date, the counts and
// tables of the checks, the message lists and the output streams. One
// instance lives for a whole run and is passed explicitly to every step.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/date_pair_state.h"
#include "core/element_table.h"
#include "core/local_agency_list.h"
#include "core/message_list.h"
#include "core/record_fields.h"
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
    std::string stateCode;
    std::string fipsFileName = "fips.lst";

    // One reading of the local clock.
    RunDate runDate;
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
    MessageList adoptionFootnoteErrors;
    MessageList fosterCareFootnoteErrors;
    std::int64_t footnoteNumber = 0;

    LocalAgencyList localAgencies;
    bool localAgencyListFailed = false;

    MemoryLimits memoryLimits;

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
};

// Thrown to end the run after a fatal error has been reported; carries the
// exit status. Caught only by the program entry.
struct FatalExit {
    int status;
};

// Writes the message and "\nTerminating program.\n" to the standard error
// stream, flushes every open file and ends the run with status -1.
[[noreturn]] void fatalError(RunContext& ctx, std::string_view message);
// The same message without ending the run.
void reportFatal(RunContext& ctx, std::string_view message);

}  // namespace vortel
