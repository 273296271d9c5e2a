// Golden-file tests: every directory under tests/data/golden is one run of the
// program. Its input files are copied into a scratch directory, the program
// runs there with the arguments of `args` (one per line; the usual answers
// when absent), the text of `stdin` and the limits of `limits`, and every
// file under `expected/` must match what the run produced byte for byte:
// `stdout`, `stderr`, `status`, and the files the run left (the reports). A
// report with no expected file must not exist after the run.
//
// UPDATE_GOLDEN=1 rewrites the expected files from the actual run.
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "support/program_run.h"

namespace fs = std::filesystem;
using namespace vortel::testing;

namespace {

const fs::path kGoldenRoot = fs::path(VORTEL_TEST_DATA) / "golden";
const char* const kReports[] = {"freport.txt", "areport.txt"};

std::vector<std::string> caseNames() {
    std::vector<std::string> names;
    if (fs::exists(kGoldenRoot))
        for (const auto& e : fs::directory_iterator(kGoldenRoot))
            if (e.is_directory()) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        if (!line.empty()) out.push_back(line);
    return out;
}

vortel::MemoryLimits readLimits(const fs::path& file) {
    vortel::MemoryLimits limits;
    if (!fs::exists(file)) return limits;
    for (const std::string& line : lines(readFile(file))) {
        std::istringstream in(line);
        std::string key;
        std::size_t value = 0;
        in >> key >> value;
        if (key == "localAgencyEntries")
            limits.localAgencyEntries = value;
        else if (key == "aggregateMessages")
            limits.messages[vortel::listIndex(vortel::MessageListId::AdoptionAggregate)] = value;
        else if (key == "adoptionFootnoteMessages")
            limits.messages[vortel::listIndex(vortel::MessageListId::AdoptionFootnotes)] = value;
        else if (key == "fosterCareFootnoteMessages")
            limits.messages[vortel::listIndex(vortel::MessageListId::FosterCareFootnotes)] = value;
        else
            ADD_FAILURE() << "unknown limit " << key;
    }
    return limits;
}

// Shows where two texts first differ, with some context.
std::string firstDifference(const std::string& expected, const std::string& actual) {
    std::size_t i = 0;
    while (i < expected.size() && i < actual.size() && expected[i] == actual[i]) ++i;
    const std::size_t from = i > 80 ? i - 80 : 0;
    std::ostringstream s;
    s << "first difference at byte " << i << "\n--- expected ---\n"
      << expected.substr(from, 200) << "\n--- actual ---\n"
      << actual.substr(from, 200);
    return s.str();
}

class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, MatchesExpectedOutput) {
    const fs::path source = kGoldenRoot / GetParam();
    const fs::path expectedDir = source / "expected";
    const bool update = std::getenv("UPDATE_GOLDEN") != nullptr;

    ScratchDir scratch;
    for (const auto& e : fs::directory_iterator(source)) {
        const std::string name = e.path().filename().string();
        if (name == "expected" || name == "args" || name == "stdin" || name == "limits") continue;
        fs::copy(e.path(), scratch.path() / name, fs::copy_options::recursive);
    }
    std::vector<std::string> args = fs::exists(source / "args") ? lines(readFile(source / "args")) : standardArgs();
    const std::string input = fs::exists(source / "stdin") ? readFile(source / "stdin") : "";
    const RunResult r = runIn(scratch.path(), args, input, readLimits(source / "limits"));

    std::map<std::string, std::optional<std::string>> actual;
    actual["stdout"] = r.out;
    actual["stderr"] = r.err;
    actual["status"] = std::to_string(r.status) + "\n";
    for (const char* report : kReports)
        actual[report] = fs::exists(scratch / report) ? std::optional(readReport(scratch / report)) : std::nullopt;

    if (update) {
        fs::create_directories(expectedDir);
        for (const auto& [name, text] : actual) {
            if (text)
                writeFile(expectedDir / name, *text);
            else
                fs::remove(expectedDir / name);
        }
        return;
    }
    for (const auto& [name, text] : actual) {
        const fs::path expectedFile = expectedDir / name;
        if (!fs::exists(expectedFile)) {
            EXPECT_FALSE(text.has_value()) << name << " was written but has no expected file";
            continue;
        }
        ASSERT_TRUE(text.has_value()) << name << " was expected but not written";
        const std::string expected = readFile(expectedFile);
        EXPECT_EQ(expected, *text) << name << ": " << firstDifference(expected, *text);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, ::testing::ValuesIn(caseNames()),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                             std::string n = param.param;
                             for (char& c : n)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return n;
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(Golden);

}  // namespace
