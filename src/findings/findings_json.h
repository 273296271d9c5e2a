// The parts of the JSON findings document that are written at the end of the
// run: the data errors tables as numbers, the summary messages, and the
// aggregate and footnote messages.
#pragma once

#include <nlohmann/json.hpp>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/element_table.h"
#include "core/message_list.h"
#include "core/writer.h"

namespace vortel {

struct RunContext;

// The data errors table of a record kind: one row per report row (element
// label, missing, out of range, likely error, total, percent as the report
// prints it, cleaned) and the totals. Null when the run had no record of
// the kind (the report then has no table).
nlohmann::ordered_json dataErrorsJson(RunContext& ctx, RecordKind kind);

// The summary messages of a record kind as the report words them (empty when
// the run had no record of the kind): {"element", "text"}.
nlohmann::ordered_json summaryMessagesJson(const RunContext& ctx, RecordKind kind);

// A message list as the report lists it (each text with its full stop) and
// its memory-failure flag. The messages are left out as a marker naming
// `list`, the list's place among those given to writeWithMessageLists: a
// document tree of many thousand messages would need memory a run may not
// have, so they are written one at a time.
nlohmann::ordered_json messageListJson(const MessageList& list, std::size_t place);

// Writes the dumped document `text`, each marker replaced by the messages of
// its list, one per line at the marker's indentation (`text` dumped with an
// indentation of 2).
void writeWithMessageLists(Writer& out, std::string_view text, std::span<const MessageList* const> lists);

}  // namespace vortel
