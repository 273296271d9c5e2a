// Every seed and regression input of the fuzz target runs through the whole
// check without a crash (the sanitizer build of the tests makes that strict).
#include <filesystem>

#include <gtest/gtest.h>

#include "fuzz/fuzz_input.h"
#include "support/program_run.h"

using namespace vortel::testing;
namespace fs = std::filesystem;

namespace {

TEST(FuzzInputs, EverySeedAndRegressionRunsCleanly) {
    const fs::path root = fs::path(VORTEL_SOURCE_DIR) / "tools" / "fuzz";
    int inputs = 0;
    for (const char* folder : {"corpus", "regressions"}) {
        if (!fs::exists(root / folder)) continue;
        for (const auto& e : fs::directory_iterator(root / folder)) {
            if (!e.is_regular_file() || e.path().filename().string().front() == '.') continue;
            const std::string input = readFile(e.path());
            const auto [data, fips] = vortel::fuzzing::splitFuzzInput(input);
            ScratchDir dir;
            writeFile(dir / "data.txt", std::string(data));
            writeFile(dir / "fips.lst", std::string(fips));
            const RunResult r = runIn(dir.path(), standardArgs());
            EXPECT_TRUE(r.status == 0 || r.status == -1) << e.path();
            ++inputs;
        }
    }
    EXPECT_GT(inputs, 0);
}

}  // namespace
