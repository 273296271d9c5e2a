// Fuzz target: runs the whole check with fixed answers on a data file and a
// local agency list taken from the fuzzer's bytes. The input is split at the
// first occurrence of the separator line "==fips==\n": what comes before is
// the data file, what follows is the list file (a fixed list when absent).
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz/fuzz_input.h"
#include "run/run_control.h"

namespace {

std::string scratchDir() {
    static std::string dir = [] {
        char tmpl[] = "/tmp/vortel-fuzz-XXXXXX";
        const char* made = mkdtemp(tmpl);
        if (!made) std::abort();
        return std::string(made);
    }();
    return dir;
}

void writeAll(const std::string& path, std::string_view bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto [dataFile, fips] =
        vortel::fuzzing::splitFuzzInput(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string dir = scratchDir();
    const std::string dataPath = dir + "/data.txt";
    const std::string fipsPath = dir + "/fips.lst";
    writeAll(dataPath, dataFile);
    writeAll(fipsPath, fips);
    const std::string fc = dir + "/freport.txt";
    const std::string ad = dir + "/areport.txt";
    const char* argv[] = {
        "vortel-dq", "--data", dataPath.c_str(), "--foster-care-report", fc.c_str(), "--adoption-report", ad.c_str(),
        "--state",   "01",     "--fips",         fipsPath.c_str(),       "--as-of",  "2026-12-08 09:00",  nullptr};
    static std::FILE* devNull = std::fopen("/dev/null", "w");
    static std::FILE* noInput = std::fopen("/dev/null", "r");
    vortel::runProgram(static_cast<int>(sizeof argv / sizeof argv[0]) - 1, argv, {noInput, devNull, devNull});
    return 0;
}
