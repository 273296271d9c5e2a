// The layer check (tools/check-layers.py, part of make lint) on small source
// trees: system headers and system calls pass in the platform layer only, and
// no code compares record kinds.
#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "support/program_run.h"

namespace fs = std::filesystem;
using namespace vortel::testing;

namespace {

struct LayerCase {
    const char* file;  // under src/
    const char* text;
    bool passes;
};

const LayerCase kCases[] = {
    {"core/platform_posix.cpp", "#include <unistd.h>\nint f() { return ::unlink(\"x\"); }\n", true},
    {"core/platform_win32.cpp", "#include <windows.h>\nvoid f() { DeleteFileW(L\"x\"); }\n", true},
    {"core/files.cpp", "#include <unistd.h>\n", false},
    {"run/dialogue.cpp", "#include <sys/stat.h>\n", false},
    {"findings/comparison.cpp", "#include <windows.h>\n", false},
    {"run/main.cpp", "#include <csignal>\n", false},
    {"run/many_files.cpp", "void f() { std::FILE* e = std::tmpfile(); }\n", false},
    {"run/run_control.cpp", "void f() { std::fopen(\"/dev/null\", \"w\"); }\n", false},
    {"run/dialogue.cpp", "void f(struct stat* s) { ::stat(\"x\", s); }\n", false},
    {"run/dialogue.cpp", "void f(std::time_t t, std::tm* tm) { localtime_r(&t, tm); }\n", false},
    {"fostercare/groups.cpp", "unsigned long f(unsigned long x) { return __builtin_bswap64(x); }\n", false},
    {"core/writer.h", "void printf(const char*, ...) __attribute__((format(printf, 2, 3)));\n", false},
    {"run/options.cpp", "#include <cstdio>\n// ::unlink( is named in a comment only\nvoid f() { file.open(name); }\n",
     true},
    // Record kinds are looked up in rows, never compared.
    {"reports/listing.cpp", "int f(RecordKind kind) { return kind == RecordKind::Adoption ? 13 : 29; }\n", false},
    {"html/page.cpp", "constexpr RecordKind kA = RecordKind::Adoption;\nbool f(RecordKind k) { return kA != k; }\n",
     false},
    {"findings/record.h",
     "struct Checked { RecordKind kind; };\nbool f(const Checked& a, const Checked& b) { return a.kind != b.kind; }\n",
     false},
    {"run/pass.cpp",
     "int f(RecordKind kind) {\n  switch (kind) {\n    case RecordKind::FosterCare: return 1;\n  }\n}\n", false},
    {"core/tally.cpp",
     "bool f(const TallyRow& row, RecordKind kind) { return row.kind == TallyKind::Share && rows[kind].size() != 0; }\n"
     "// kind == RecordKind::Adoption in a comment\nconst char* g() { return \"kind == RecordKind::Adoption\"; }\n",
     true},
};

TEST(CheckLayers, SystemCallsOnlyInThePlatformLayerAndNoKindComparisons) {
    if (!havePython()) GTEST_SKIP() << "python3 is not available";
    const fs::path script = fs::path(VORTEL_SOURCE_DIR) / "tools" / "check-layers.py";
    for (const LayerCase& c : kCases) {
        ScratchDir dir;
        fs::create_directories((dir / c.file).parent_path());
        writeFile(dir / c.file, c.text);
        const std::string command = "python3 '" + script.string() + "' '" + dir.path().string() + "' >/dev/null 2>&1";
        EXPECT_EQ(std::system(command.c_str()) == 0, c.passes) << c.file << "\n" << c.text;
    }
}

}  // namespace
