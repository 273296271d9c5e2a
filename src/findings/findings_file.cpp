#include "findings/findings_file.h"

#include <cctype>
#include <filesystem>

#include "reports/output_kinds.h"

namespace vortel {

std::unique_ptr<Output> makeCsvFindings(const FindingsOptions&, const std::string&);
std::unique_ptr<Output> makeJsonFindings(const FindingsOptions&, const std::string&);

namespace {

struct FormatName {
    std::string_view extension;
    OutputFactory make;
};
constexpr FormatName kFormats[] = {{".csv", makeCsvFindings}, {".json", makeJsonFindings}};

}  // namespace

OutputFactory findingsFormatOf(std::string_view fileName) {
    std::string extension = std::filesystem::path(fileName).extension().string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const FormatName& f : kFormats)
        if (extension == f.extension) return f.make;
    return nullptr;
}

std::unique_ptr<Output> makeFindingsFile(const FindingsOptions& options, const std::string& name) {
    return findingsFormatOf(name)(options, name);
}

std::string_view recordKindName(RecordKind kind) { return outputRow(kind).name; }

}  // namespace vortel
