// The HTML page of a run (--html): one self-contained file that reads
// offline and prints. It shows the run and what to fix first, then per record
// kind the elements, consistency groups, records and (foster care) local
// agencies with the most findings, the summary messages and the aggregate and footnote errors, and
// last a table of the records with the most findings, each finding with its
// element, value, meaning and explanation.
//
// Memory does not grow with the file: while the records are checked the page
// keeps counters per element, group and local agency, and the rendered rows
// of the records it will list, at most `listedRecords` of them and at most
// `listBudget` bytes (the records with the most findings, ties in file
// order). Everything is written at the end of the run; when memory runs out
// while it is written, what was written stands, closed with a note.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/message_list.h"
#include "findings/findings.h"

namespace vortel {

class HtmlPage final : public Output {
public:
    // Bytes of rendered rows the record table holds at most: the page stays
    // under 5 MB (and quick to open) whatever the records hold.
    static constexpr std::size_t kListBudget = 3'500'000;

    explicit HtmlPage(long listedRecords, std::size_t listBudget = kListBudget);

    int create(const std::string& name) override;
    void record(RunContext& ctx, const CheckedRecord& checked) override;
    // Writes the page, once.
    void end(const RunEnd& run) override;
    WrittenOutput& output() override { return file_; }
    bool explains() const override { return true; }

    // What the page counts of one record kind.
    struct ElementCounts {
        long missing = 0;
        long outOfRange = 0;
        long likelyError = 0;
        long total() const { return missing + outOfRange + likelyError; }
    };
    // A record among the most findings: its rank is the number of findings,
    // then its place in the file.
    struct RankedRecord {
        int findings = 0;
        long order = 0;
        long line = 0;
        std::string recordNumber;  // as in the record
        std::string county;        // foster care: element 3 as in the record
    };
    struct KindTally {
        long recordsWithFindings = 0;
        long findings = 0;
        std::array<ElementCounts, kFosterCareCells + 1> cells{};  // by cell
        std::array<long, 27> groupRecords{};                      // by group number
        std::vector<RankedRecord> top;                            // best first
    };
    struct CountyCounts {
        long records = 0;
        long recordsWithFindings = 0;
        long findings = 0;
    };
    // A record listed in the table, with its rows rendered.
    struct ListedRecord {
        int findings = 0;
        long order = 0;
        RecordKind kind = RecordKind::Adoption;
        std::string rows;
    };

private:
    void countCounty(std::string_view county, std::size_t findings);
    void listRecord(RecordKind kind, std::string_view record, long lineNumber, std::span<const Finding> findings);

    void writePage(RunContext& ctx, const ReportPeriods& periods, bool complete, const Comparison* comparison);
    void writeHead(RunContext& ctx);
    void writeRun(RunContext& ctx, const ReportPeriods& periods, bool complete);
    void writeFixFirst(RunContext& ctx, bool complete);
    void writeComparison(const Comparison& comparison);
    void writeKind(RunContext& ctx, RecordKind kind, bool complete);
    void writeCounties();
    void writeMessageList(const MessageList& list, std::string_view title);
    void writeRecordTable(RunContext& ctx);
    void flush();

    WrittenOutput file_;
    std::string html_;  // the page as written, put out a section at a time
    // Memory held back from the start of the run and given back when the
    // page is written, so that a run whose message lists took all the
    // memory there was can still write it.
    std::unique_ptr<char[]> reserve_;
    bool ended_ = false;  // end() was called: the page is written once
    long listedLimit_;
    std::size_t listBudget_;
    long order_ = 0;  // records seen

    KindTally adoption_;
    KindTally fosterCare_;
    // What the findings export tallied for every output; set when the page is written.
    const FixFirstTally* fixFirst_ = nullptr;
    const OtherStateTally* otherStates_ = nullptr;
    KindTally& tally(RecordKind kind) { return kind == RecordKind::Adoption ? adoption_ : fosterCare_; }

    // Local agency codes of foster care records, by their five bytes; codes
    // past kMaxCounties distinct ones are counted together.
    std::unordered_map<std::uint64_t, CountyCounts> counties_;
    CountyCounts otherCounties_;
    bool otherCountiesSeen_ = false;

    // The listed records: a heap whose top is the one listed last.
    std::vector<ListedRecord> listed_;
    std::size_t listedBytes_ = 0;
    // The best rank left out so far: every record listed ranks above it.
    std::optional<std::pair<int, long>> leftOutBest_;
};

}  // namespace vortel
