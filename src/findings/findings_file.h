// The findings file (--findings): one CSV row or one JSON object per finding,
// streamed to the file as records are checked, so that memory does not grow
// with the number of findings. Each format is an output of its own
// (findings_csv.cpp, findings_json_file.cpp); the file's extension chooses.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/element_table.h"
#include "findings/output.h"

namespace vortel {

// The version of the JSON document's layout ("formatVersion"): 3, the first
// with the findings of a line's length and each finding's columns (2, the
// first with record lists; documents without the member are version 1).
inline constexpr int kFindingsFormatVersion = 3;
// The oldest version --compare reads: the first with record lists.
inline constexpr int kOldestComparedVersion = 2;

// The factory of the format named by the file's extension (.csv, .json, in
// any case), or null.
OutputFactory findingsFormatOf(std::string_view fileName);

// The --findings output: the format its name's extension gives.
std::unique_ptr<Output> makeFindingsFile(RunContext& ctx, const FindingsOptions& options, const std::string& name);

// "adoption" or "foster care".
std::string_view recordKindName(RecordKind kind);

}  // namespace vortel
