#include "support/records.h"

#include "adoption/adoption_elements.h"
#include "adoption/adoption_groups.h"
#include "datepairs/date_pairs.h"
#include "fostercare/fostercare_elements.h"
#include "fostercare/fostercare_groups.h"
#include "run/run_control.h"

namespace vortel::testing {

std::unique_ptr<RunContext> makeContext() {
    auto ctx = std::make_unique<RunContext>();
    ctx->facts.stateCode = "01";
    ctx->facts.runDate = {2026, 12, 8};
    ctx->runTimestamp = "12/08/2026 09:00AM";
    ctx->dataFileName = "data.txt";
    initRunTables(*ctx);
    ctx->facts.localAgencies.append("01001");
    ctx->facts.localAgencies.append("01003");
    return ctx;
}

void setField(std::string& record, int first, std::string_view value) {
    record.replace(static_cast<std::size_t>(first - 1), value.size(), value);
}

std::string withField(std::string record, int first, std::string_view value) {
    setField(record, first, value);
    return record;
}

std::string checkedElements(RunContext& ctx, RecordKind kind, const std::string& record) {
    ElementTable& cells = ctx.cells(kind);
    cells.resetRecord();
    if (kind == RecordKind::Adoption)
        checkAdoptionElements(ctx.facts, cells, record);
    else
        checkFosterCareElements(ctx.facts, cells, record);
    return states(cells, 1, cells.size());
}

std::string cleanAdoptionRecord() {
    std::string r(111, ' ');
    const std::pair<int, const char*> fields[] = {
        {1, "01"},      {3, "202609"}, {9, "A00000000001"}, {21, "1"},        {22, "201503"},   {28, "1"},
        {29, "000010"}, {35, "2"},     {36, "1"},           {37, "1"},        {38, "00100"},    {43, "1985"},
        {47, "1983"},   {51, "1"},     {52, "20200115"},    {60, "20200115"}, {68, "20210610"}, {76, "1"},
        {77, "1975"},   {81, "1974"},  {85, "000010"},      {91, "2"},        {92, "000010"},   {98, "2"},
        {99, "0010"},   {103, "3"},    {104, "1"},          {105, "1"},       {106, "00500"},   {111, "1"},
    };
    for (const auto& [col, value] : fields) setField(r, col, value);
    return r;
}

std::string cleanFosterCareRecord() {
    std::string r(197, ' ');
    const std::pair<int, const char*> fields[] = {
        {1, "01"},        {3, "202609"},    {9, "01001"},     {14, "F00000000001"},
        {26, "20260601"}, {34, "20150310"}, {42, "2"},        {43, "001000"},
        {49, "2"},        {50, "2"},        {51, "00000"},    {56, "2"},
        {58, "20230105"}, {66, "01"},       {76, "20230105"}, {84, "20230110"},
        {92, "20230105"}, {100, "01"},      {102, "2"},       {103, "001000000000000"},
        {118, "2"},       {119, "2"},       {120, "1"},       {121, "1"},
        {122, "1985"},    {126, "1984"},    {146, "1"},       {147, "1970"},
        {151, "1972"},    {155, "000010"},  {161, "2"},       {162, "000010"},
        {168, "2"},       {186, "1000100"}, {193, "00650"},
    };
    for (const auto& [col, value] : fields) setField(r, col, value);
    return r;
}

void checkAdoptionRecord(RunContext& ctx, const std::string& record) {
    resetAdoptionCells(ctx);
    checkAdoptionElements(ctx.facts, ctx.cells(vortel::RecordKind::Adoption), record);
    checkAdoptionDatePairs(ctx.cells(vortel::RecordKind::Adoption), ctx.datePairs.adoption, record);
    checkAdoptionGroups(ctx.cells(vortel::RecordKind::Adoption), record);
    tallyElementStates(ctx, RecordKind::Adoption);
}

void checkFosterCareRecord(RunContext& ctx, const std::string& record) {
    resetFosterCareCells(ctx);
    checkFosterCareElements(ctx.facts, ctx.cells(vortel::RecordKind::FosterCare), record);
    checkFosterCareDatePairs(ctx.cells(vortel::RecordKind::FosterCare), ctx.datePairs.fosterCare, record);
    checkFosterCareGroups(ctx.cells(vortel::RecordKind::FosterCare), record);
    tallyElementStates(ctx, RecordKind::FosterCare);
}

std::string states(const ElementTable& cells, int first, int last) {
    std::string s;
    for (int c = first; c <= last; ++c) s.push_back(cells.state(c));
    return s;
}

std::vector<std::string> messages(const MessageList& list) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < list.count(); ++i) out.emplace_back(list[i]);
    return out;
}

LinePiece wholeLine(RecordKind kind) {
    LinePiece piece;
    piece.lineLength = recordLength(kind);
    piece.lineFeed = true;
    return piece;
}

}  // namespace vortel::testing
