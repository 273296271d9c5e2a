// The date-pair tables row by row, against a listing of the rows written
// out here as the row tables read: first the listing is held against the
// tables field by field (to catch transcription slips), then every row is
// run at the edges of its pass range, with the operands written at their
// columns into a record and the expected result, blamed elements and marks
// taken from the listing. Last, random pairs of dates around every row's
// bounds are judged by the engine and by the date arithmetic directly.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "datepairs/date_pair_tables.h"
#include "datepairs/date_pairs.h"
#include "support/records.h"

using namespace vortel;
using namespace vortel::testing;

namespace {

// One row as the tables print it: measure, pass range, and per failure side
// "result; blames elements" or "-" when the side does not exist.
struct ListedRow {
    int row;
    int first;
    int second;
    const char* measure;
    const char* passes;
    const char* below;
    const char* above;
};

const ListedRow kAdoptionListing[] = {
    {1, 2, 5, "Y6(2, 5)", "v < 18", "-", "1; blames 5"},
    {2, 2, 16, "Y4(2, 16)", "10 <= v < 96", "2; blames 2 and 16", "1; blames 16"},
    {3, 2, 17, "Y4(2, 17)", "10 <= v < 96", "2; blames 2 and 17", "1; blames 17"},
    {4, 2, 19, "Y8(end(2), 19)", "v < 18", "-", "1; blames 19"},
    {5, 2, 20, "Y8(end(2), 20)", "v < 18", "-", "1; blames 20"},
    {6, 2, 21, "Y8(end(2), 21)", "v < 18", "-", "1; blames 21"},
    {7, 2, 23, "Y4(2, 23)", "18 <= v <= 96", "1; blames 2 and 23", "2; blames 23"},
    {8, 2, 24, "Y4(2, 24)", "18 <= v <= 96", "1; blames 2 and 24", "2; blames 24"},
    {9, 5, 16, "Y4(5, 16)", "10 <= v <= 96", "1; blames 5 and 16", "2; blames 5 and 16"},
    {10, 5, 17, "Y4(5, 17)", "10 <= v <= 96", "1; blames 5 and 17", "2; blames 5 and 17"},
    {11, 5, 19, "Y6(19, 5)", "v >= 0", "1; blames 5 and 19", "-"},
    {12, 5, 20, "Y6(20, 5)", "v >= 0", "1; blames 5 and 20", "-"},
    {13, 5, 21, "Y6(21, 5)", "0 < v < 18", "1; blames 5 and 21", "2; blames 5 and 21"},
    {14, 5, 23, "Y4(5, 23)", "v >= 1", "1; blames 5 and 23", "-"},
    {15, 5, 24, "Y4(5, 24)", "v >= 1", "1; blames 5 and 24", "-"},
    {16, 16, 17, "Y4(16, 17)", "-86 <= v <= 86", "1; blames 16 and 17", "2; blames 16 and 17"},
    {17, 16, 19, "Y4(19, 16)", "v >= 10", "1; blames 16 and 19", "-"},
    {18, 16, 20, "Y4(20, 16)", "v >= 10", "1; blames 16 and 20", "-"},
    {19, 16, 21, "Y4(21, 16)", "v > 10", "1; blames 16 and 21", "-"},
    {20, 17, 19, "Y4(19, 17)", "v >= 10", "1; blames 17 and 19", "-"},
    {21, 17, 20, "Y4(20, 17)", "v >= 10", "1; blames 17 and 20", "-"},
    {22, 17, 21, "Y4(21, 17)", "v > 10", "1; blames 17 and 21", "-"},
    {23, 19, 20, "Y8(19, 20)", "-18 < v < 18", "1; blames 19 and 20", "2; blames 19 and 20"},
    {24, 19, 21, "Y8(21, 19)", "0 <= v < 18", "1; blames 19 and 21", "2; blames 19 and 21"},
    {25, 19, 23, "Y4(19, 23)", "v > 1", "1; blames 19 and 23", "-"},
    {26, 19, 24, "Y4(19, 24)", "v > 1", "1; blames 19 and 24", "-"},
    {27, 20, 21, "Y8(21, 20)", "0 <= v < 18", "1; blames 20 and 21", "2; blames 20 and 21"},
    {28, 20, 23, "Y4(20, 23)", "v > 1", "1; blames 20 and 23", "-"},
    {29, 20, 24, "Y4(20, 24)", "v > 1", "1; blames 20 and 24", "-"},
    {30, 21, 23, "Y4(21, 23)", "v >= 18", "1; blames 21 and 23", "-"},
    {31, 21, 24, "Y4(21, 24)", "v >= 18", "1; blames 21 and 24", "-"},
    {32, 23, 24, "Y4(23, 24)", "-78 <= v <= 78", "1; blames 23 and 24", "2; blames 23 and 24"},
};

const ListedRow kFosterCareListing[] = {
    {1, 2, 5, "D(end(2), 5)", "v <= 274", "-", "1; blames 5"},
    {2, 2, 6, "Y8(end(2), 6)", "v < 22", "-", "1; blames 6"},
    {3, 2, 18, "Y8(end(2), 18)", "v < 22", "-", "1; blames 18"},
    {4, 2, 20, "Y8(end(2), 20)", "v < 22", "-", "1; blames 20"},
    {5, 2, 21, "Y8(end(2), 21)", "v < 22", "-", "1; blames 21"},
    {6, 2, 22, "Y8(end(2), 22)", "v < 22", "-", "1; blames 22"},
    {7, 2, 23, "Y8(end(2), 23)", "v < 22", "-", "1; blames 23"},
    {8, 2, 45, "Y4(2, 45)", "10 <= v <= 96", "2; blames 2 and 45", "1; blames 45"},
    {9, 2, 46, "Y4(2, 46)", "10 <= v <= 96", "2; blames 2 and 46", "1; blames 46"},
    {10, 2, 47, "Y8(end(2), 47)", "v < 18", "-", "1; blames 47"},
    {11, 2, 48, "Y8(end(2), 48)", "v < 18", "-", "1; blames 48"},
    {12, 2, 50, "Y4(2, 50)", "18 <= v <= 96", "1; blames 2 and 50", "2; blames 50"},
    {13, 2, 51, "Y4(2, 51)", "18 <= v <= 96", "1; blames 2 and 51", "2; blames 51"},
    {14, 5, 6, "Y8(5, 6)", "0 <= v < 22", "1; blames 5 and 6", "2; blames 5 and 6"},
    {15, 5, 18, "Y8(5, 18)", "0 <= v < 22", "1; blames 5 and 18", "2; blames 5 and 18"},
    {16, 5, 20, "Y8(5, 20)", "0 <= v < 22", "1; blames 5 and 20", "2; blames 5 and 20"},
    {17, 5, 21, "Y8(5, 21)", "0 <= v < 22", "1; blames 5 and 21", "2; blames 5 and 21"},
    {18, 5, 22, "Y8(5, 22)", "v < 22", "-", "1; blames 5 and 22"},
    {19, 5, 23, "Y8(5, 23)", "v < 22", "-", "1; blames 5 and 23"},
    {20, 5, 45, "Y4(5, 45)", "v > 10", "1; blames 5 and 45", "-"},
    {21, 5, 46, "Y4(5, 46)", "v > 10", "1; blames 5 and 46", "-"},
    {22, 5, 47, "D(5, 47) and Y8(5, 47)", "own rule", "own rule", "own rule"},
    {23, 5, 48, "D(5, 48) and Y8(5, 48)", "own rule", "own rule", "own rule"},
    {24, 5, 50, "Y4(5, 50)", "v > 0", "1; blames 5 and 50", "-"},
    {25, 5, 51, "Y4(5, 51)", "v > 0", "1; blames 5 and 51", "-"},
    {26, 5, 56, "D(56, 5)", "0 <= v <= 274", "1; blames 5 and 56", "2; blames 5 and 56"},
    {27, 5, 57, "Y8(5, 57)", "v <= 0", "-", "1; blames 5 and 57"},
    {28, 6, 18, "Y8(18, 6)", "0 <= v < 18", "1; blames 6 and 18", "2; blames 6 and 18"},
    {29, 6, 20, "Y8(20, 6)", "0 <= v < 18", "1; blames 6 and 20", "2; blames 6 and 20"},
    {30, 6, 21, "Y8(21, 6)", "0 <= v < 18", "1; blames 6 and 21", "2; blames 6 and 21"},
    {31, 6, 22, "Y8(22, 6)", "0 <= v < 18", "1; blames 6 and 22", "2; blames 6 and 22"},
    {32, 6, 23, "Y8(23, 6)", "0 <= v < 22", "1; blames 6 and 23", "2; blames 6 and 23"},
    {33, 6, 45, "Y4(6, 45)", "10 <= v <= 96", "1; blames 6 and 45", "2; blames 6 and 45"},
    {34, 6, 46, "Y4(6, 46)", "10 <= v <= 96", "1; blames 6 and 46", "2; blames 6 and 46"},
    {35, 6, 47, "Y8(6, 47)", "v <= 0", "-", "1; blames 6 and 47"},
    {36, 6, 48, "Y8(6, 48)", "v <= 0", "-", "1; blames 6 and 48"},
    {37, 6, 50, "Y4(6, 50)", "v >= 1", "1; blames 6 and 50", "-"},
    {38, 6, 51, "Y4(6, 51)", "v >= 1", "1; blames 6 and 51", "-"},
    {39, 6, 56, "Y8(56, 6)", "0 <= v < 22", "1; blames 6 and 56", "2; blames 6 and 56"},
    {40, 6, 57, "Y8(57, 6)", "0 <= v < 22", "1; blames 6 and 57", "2; blames 6 and 57"},
    {41, 18, 20, "Y8(20, 18)", "0 <= v < 18", "1; blames 18 and 20", "2; blames 18 and 20"},
    {42, 18, 21, "Y8(21, 18)", "0 <= v < 18", "1; blames 18 and 21", "2; blames 18 and 21"},
    {43, 18, 22, "Y8(22, 18)", "0 <= v < 18", "1; blames 18 and 22", "2; blames 18 and 22"},
    {44, 18, 23, "Y8(23, 18)", "0 <= v < 22", "1; blames 18 and 23", "2; blames 18 and 23"},
    {45, 18, 45, "Y4(18, 45)", "v > 10", "1; blames 18 and 45", "-"},
    {46, 18, 46, "Y4(18, 46)", "v > 10", "1; blames 18 and 46", "-"},
    {47, 18, 47, "Y8(18, 47)", "-18 < v < 18", "1; blames 18 and 47", "2; blames 18 and 47"},
    {48, 18, 48, "Y8(18, 48)", "-18 < v < 18", "1; blames 18 and 48", "2; blames 18 and 48"},
    {49, 18, 50, "Y4(18, 50)", "v >= 1", "1; blames 18 and 50", "-"},
    {50, 18, 51, "Y4(18, 51)", "v >= 1", "1; blames 18 and 51", "-"},
    {51, 18, 56, "Y8(56, 18)", "0 <= v < 22", "1; blames 18 and 56", "2; blames 18 and 56"},
    {52, 18, 57, "Y8(18, 57)", "v <= 0", "-", "1; blames 18 and 57"},
    {53, 20, 21, "Y8(21, 20)", "0 <= v < 18", "1; blames 20 and 21", "2; blames 20 and 21"},
    {54, 20, 22, "Y8(20, 22)", "v <= 0", "-", "1; blames 20 and 22"},
    {55, 20, 23, "Y8(23, 20)", "0 <= v < 22", "1; blames 20 and 23", "2; blames 20 and 23"},
    {56, 20, 45, "Y4(20, 45)", "v > 10", "1; blames 20 and 45", "-"},
    {57, 20, 46, "Y4(20, 46)", "v > 10", "1; blames 20 and 46", "-"},
    {58, 20, 47, "Y8(20, 47)", "-18 < v < 18", "1; blames 20 and 47", "2; blames 20 and 47"},
    {59, 20, 48, "Y8(20, 48)", "-18 < v < 18", "1; blames 20 and 48", "2; blames 20 and 48"},
    {60, 20, 50, "Y4(20, 50)", "v >= 1", "1; blames 20 and 50", "-"},
    {61, 20, 51, "Y4(20, 51)", "v >= 1", "1; blames 20 and 51", "-"},
    {62, 20, 56, "Y8(56, 20)", "0 < v < 22", "1; blames 20 and 56", "2; blames 20 and 56"},
    {63, 20, 57, "Y8(20, 57)", "v < 0", "-", "1; blames 20 and 57"},
    {64, 21, 22, "Y8(21, 22)", "v <= 0", "-", "1; blames 21 and 22"},
    {65, 21, 23, "Y8(23, 21)", "0 <= v < 22", "1; blames 21 and 23", "2; blames 21 and 23"},
    {66, 21, 45, "Y4(21, 45)", "v > 10", "1; blames 21 and 45", "-"},
    {67, 21, 46, "Y4(21, 46)", "v > 10", "1; blames 21 and 46", "-"},
    {68, 21, 47, "Y8(21, 47)", "-18 < v < 18", "1; blames 21 and 47", "2; blames 21 and 47"},
    {69, 21, 48, "Y8(21, 48)", "-18 < v < 18", "1; blames 21 and 48", "2; blames 21 and 48"},
    {70, 21, 50, "Y4(21, 50)", "v >= 1", "1; blames 21 and 50", "-"},
    {71, 21, 51, "Y4(21, 51)", "v >= 1", "1; blames 21 and 51", "-"},
    {72, 21, 56, "Y8(56, 21)", "0 <= v < 22", "1; blames 21 and 56", "2; blames 21 and 56"},
    {73, 21, 57, "Y8(57, 21)", "0 <= v < 22", "1; blames 21 and 57", "2; blames 21 and 57"},
    {74, 22, 23, "Y8(23, 22)", "v < 22", "-", "1; blames 22 and 23"},
    {75, 22, 45, "Y4(22, 45)", "v > 10", "1; blames 22 and 45", "-"},
    {76, 22, 46, "Y4(22, 46)", "v > 10", "1; blames 22 and 46", "-"},
    {77, 22, 47, "Y8(22, 47)", "-18 < v < 18", "1; blames 22 and 47", "2; blames 22 and 47"},
    {78, 22, 48, "Y8(22, 48)", "-18 < v < 18", "1; blames 22 and 48", "2; blames 22 and 48"},
    {79, 22, 50, "Y4(22, 50)", "v >= 1", "1; blames 22 and 50", "-"},
    {80, 22, 51, "Y4(22, 51)", "v >= 1", "1; blames 22 and 51", "-"},
    {81, 22, 56, "Y8(56, 22)", "v < 22", "-", "1; blames 22 and 56"},
    {82, 22, 57, "Y8(57, 22)", "-22 < v < 22", "1; blames 22 and 57", "2; blames 22 and 57"},
    {83, 23, 45, "Y4(23, 45)", "v > 10", "1; blames 23 and 45", "-"},
    {84, 23, 46, "Y4(23, 46)", "v > 10", "1; blames 23 and 46", "-"},
    {85, 23, 47, "Y8(23, 47)", "-18 < v < 18", "1; blames 23 and 47", "2; blames 23 and 47"},
    {86, 23, 48, "Y8(23, 48)", "-18 < v < 18", "1; blames 23 and 48", "2; blames 23 and 48"},
    {87, 23, 50, "Y4(23, 50)", "18 <= v <= 96", "1; blames 23 and 50", "2; blames 23 and 50"},
    {88, 23, 51, "Y4(23, 51)", "18 <= v <= 96", "1; blames 23 and 51", "2; blames 23 and 51"},
    {89, 23, 56, "Y8(56, 23)", "0 <= v < 22", "1; blames 23 and 56", "2; blames 23 and 56"},
    {90, 23, 57, "Y8(23, 57)", "v <= 0", "-", "1; blames 23 and 57"},
    {91, 45, 46, "Y4(45, 46)", "-86 <= v <= 86", "1; blames 45 and 46", "2; blames 45 and 46"},
    {92, 45, 47, "Y4(47, 45)", "v >= 10", "1; blames 45 and 47", "-"},
    {93, 45, 48, "Y4(48, 45)", "v >= 10", "1; blames 45 and 48", "-"},
    {94, 45, 56, "Y4(56, 45)", "v >= 10", "1; blames 45 and 56", "-"},
    {95, 45, 57, "Y4(57, 45)", "v >= 10", "1; blames 45 and 57", "-"},
    {96, 46, 47, "Y4(47, 46)", "v >= 10", "1; blames 46 and 47", "-"},
    {97, 46, 48, "Y4(48, 46)", "v >= 10", "1; blames 46 and 48", "-"},
    {98, 46, 56, "Y4(56, 46)", "v >= 10", "1; blames 46 and 56", "-"},
    {99, 46, 57, "Y4(57, 46)", "v >= 10", "1; blames 46 and 57", "-"},
    {100, 47, 48, "Y8(47, 48)", "-18 <= v <= 18", "1; blames 47 and 48", "2; blames 47 and 48"},
    {101, 47, 50, "Y4(47, 50)", "v > 1", "1; blames 47 and 50", "-"},
    {102, 47, 51, "Y4(47, 51)", "v > 1", "1; blames 47 and 51", "-"},
    {103, 47, 56, "Y8(56, 47)", "0 <= v < 22", "1; blames 47 and 56", "2; blames 47 and 56"},
    {104, 47, 57, "Y8(47, 57)", "v < 0", "-", "1; blames 47 and 57"},
    {105, 48, 50, "Y4(48, 50)", "v > 1", "1; blames 48 and 50", "-"},
    {106, 48, 51, "Y4(48, 51)", "v > 1", "1; blames 48 and 51", "-"},
    {107, 48, 56, "Y8(56, 48)", "0 <= v < 22", "1; blames 48 and 56", "2; blames 48 and 56"},
    {108, 48, 57, "Y8(48, 57)", "v < 0", "-", "1; blames 48 and 57"},
    {109, 50, 51, "Y4(50, 51)", "-78 <= v <= 78", "1; blames 50 and 51", "2; blames 50 and 51"},
    {110, 50, 56, "Y4(56, 50)", "v > 18", "1; blames 50 and 56", "-"},
    {111, 50, 57, "Y4(57, 50)", "v > 18", "1; blames 50 and 57", "-"},
    {112, 51, 56, "Y4(56, 51)", "v > 18", "1; blames 51 and 56", "-"},
    {113, 51, 57, "Y4(57, 51)", "v > 18", "1; blames 51 and 57", "-"},
    {114, 56, 57, "Y8(56, 57)", "v <= 0", "-", "1; blames 56 and 57"},
};

// ------------------------------------------------------------ the listing

struct ParsedRow {
    bool special = false;  // a row with its own rule
    Measure measure = Measure::Y4;
    int p = 0;
    int q = 0;
    bool endDate = false;  // P written as end(2)
    PassRange range;
    FailureSide below;
    FailureSide above;
};

Cmp comparison(const std::string& op, bool vOnLeft) {
    // "v < 18" is an upper bound; "10 < v" a lower one.
    if (op == "<") return vOnLeft ? Cmp::LT : Cmp::GT;
    if (op == "<=") return vOnLeft ? Cmp::LE : Cmp::GE;
    if (op == ">") return vOnLeft ? Cmp::GT : Cmp::LT;
    return vOnLeft ? Cmp::GE : Cmp::LE;
}

bool isLower(Cmp c) { return c == Cmp::GE || c == Cmp::GT; }

FailureSide parseSide(const std::string& text, const ListedRow& row) {
    if (text == "-") return kNoSide;
    static const std::regex kSide(R"(^([12]); blames (\d+)(?: and (\d+))?$)");
    std::smatch m;
    if (!std::regex_match(text, m, kSide)) {
        ADD_FAILURE() << "row " << row.row << ": unreadable side " << text;
        return kNoSide;
    }
    bool first = false, second = false;
    for (int g : {2, 3}) {
        if (!m[g].matched) continue;
        const int e = std::stoi(m[g]);
        first |= e == row.first;
        second |= e == row.second;
        if (e != row.first && e != row.second) ADD_FAILURE() << "row " << row.row << " blames " << e;
    }
    return fail(std::stoi(m[1]), first && second ? Blame::Both : first ? Blame::First : Blame::Second);
}

ParsedRow parse(const ListedRow& row) {
    ParsedRow r;
    if (std::string(row.passes) == "own rule") {
        r.special = true;
        return r;
    }
    static const std::regex kMeasure(R"(^(Y4|Y6|Y8|D)\((end\(2\)|\d+), (\d+)\)$)");
    std::smatch m;
    const std::string measure = row.measure;
    if (!std::regex_match(measure, m, kMeasure)) {
        ADD_FAILURE() << "row " << row.row << ": unreadable measure " << measure;
        return r;
    }
    r.measure = m[1] == "Y4" ? Measure::Y4 : m[1] == "Y6" ? Measure::Y6 : m[1] == "Y8" ? Measure::Y8 : Measure::D;
    r.endDate = m[2] == "end(2)";
    r.p = r.endDate ? 2 : std::stoi(m[2]);
    r.q = std::stoi(m[3]);

    // "v op N" or "N op v op N".
    static const std::regex kRange(R"(^(?:(-?\d+) (<=|<) )?v(?: (<=|<|>=|>) (-?\d+))?$)");
    const std::string passes = row.passes;
    if (!std::regex_match(passes, m, kRange)) {
        ADD_FAILURE() << "row " << row.row << ": unreadable range " << passes;
        return r;
    }
    if (m[1].matched) r.range.low = {comparison(m[2], false), std::stoi(m[1])};
    if (m[3].matched) {
        const Bound b{comparison(m[3], true), std::stoi(m[4])};
        (isLower(b.cmp) ? r.range.low : r.range.high) = b;
    }
    r.below = parseSide(row.below, row);
    r.above = parseSide(row.above, row);
    return r;
}

const char* name(Cmp c) {
    switch (c) {
        case Cmp::None:
            return "none";
        case Cmp::GE:
            return ">=";
        case Cmp::GT:
            return ">";
        case Cmp::LE:
            return "<=";
        case Cmp::LT:
            return "<";
    }
    return "?";
}

void expectRowMatches(const DateCheck& code, const ListedRow& listed) {
    SCOPED_TRACE("row " + std::to_string(listed.row));
    const ParsedRow want = parse(listed);
    EXPECT_EQ(code.firstElement, listed.first);
    EXPECT_EQ(code.secondElement, listed.second);
    EXPECT_EQ(code.rule != vortel::Rule::Range, want.special);
    if (want.special) {
        EXPECT_EQ(code.p, listed.first);
        EXPECT_EQ(code.q, listed.second);
        return;
    }
    EXPECT_EQ(code.measure, want.measure);
    EXPECT_EQ(code.p, want.p);
    EXPECT_EQ(code.q, want.q);
    // The end date is how the engine reads element 2 at precision 8 and in
    // day differences, and only there.
    const bool fullDate = want.measure == Measure::Y8 || want.measure == Measure::D;
    if (want.p == 2) {
        EXPECT_EQ(want.endDate, fullDate);
    }
    EXPECT_STREQ(name(code.range.low.cmp), name(want.range.low.cmp));
    EXPECT_STREQ(name(code.range.high.cmp), name(want.range.high.cmp));
    if (want.range.low.cmp != Cmp::None) {
        EXPECT_EQ(code.range.low.value, want.range.low.value);
    }
    if (want.range.high.cmp != Cmp::None) {
        EXPECT_EQ(code.range.high.value, want.range.high.value);
    }
    EXPECT_EQ(code.below.result, want.below.result);
    EXPECT_EQ(code.below.blames, want.below.blames);
    EXPECT_EQ(code.above.result, want.above.result);
    EXPECT_EQ(code.above.blames, want.above.blames);
}

TEST(DatePairTables, AdoptionRowsMatchTheListing) {
    const auto rows = adoptionDateChecks();
    ASSERT_EQ(rows.size(), std::size(kAdoptionListing));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(kAdoptionListing[i].row, static_cast<int>(i) + 1);
        expectRowMatches(rows[i], kAdoptionListing[i]);
    }
}

TEST(DatePairTables, FosterCareRowsMatchTheListing) {
    const auto rows = fosterCareDateChecks();
    ASSERT_EQ(rows.size(), std::size(kFosterCareListing));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(kFosterCareListing[i].row, static_cast<int>(i) + 1);
        expectRowMatches(rows[i], kFosterCareListing[i]);
    }
}

// ------------------------------------------------ rows at their boundaries

using namespace std::chrono;

struct Date {
    int y, m, d;
};

Date addDays(Date date, int days) {
    const sys_days t =
        sys_days(year(date.y) / month(static_cast<unsigned>(date.m)) / day(static_cast<unsigned>(date.d))) +
        std::chrono::days(days);
    const year_month_day ymd(t);
    return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

// The first `width` characters of YYYYMMDD.
std::string text(Date date, int width) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d", date.y, date.m, date.d);
    return std::string(buf, static_cast<std::size_t>(width));
}

// An earlier operand Q with measure(P, Q) = v, for v a whole number or (for
// the half-year measures) a whole number and a half.
Date operandFor(Measure measure, Date p, double v) {
    const int whole = static_cast<int>(std::floor(v));
    const bool half = v != whole;
    switch (measure) {
        case Measure::D:
            return addDays(p, -whole);
        case Measure::Y4:
            return {p.y - whole, p.m, p.d};
        case Measure::Y6:
            return {p.y - whole, half ? p.m - 1 : p.m, p.d};  // earlier month: half a year more
        case Measure::Y8:
            return {p.y - whole, p.m, half ? p.d - 1 : p.d};  // earlier day: half a year more
    }
    return p;
}

double stepOf(Measure m) { return m == Measure::Y6 || m == Measure::Y8 ? 0.5 : 1; }

struct Probe {
    double v;
    int result;
    Blame blames;
    const char* what;
};

// The values just inside and just outside each bound of the range.
std::vector<Probe> probes(const ParsedRow& row) {
    const double step = stepOf(row.measure);
    std::vector<Probe> out;
    const Bound& lo = row.range.low;
    const Bound& hi = row.range.high;
    if (lo.cmp == Cmp::GE) {
        out.push_back({double(lo.value), 0, Blame::None, "on the inclusive lower bound"});
        out.push_back({lo.value - step, row.below.result, row.below.blames, "just below the lower bound"});
    } else if (lo.cmp == Cmp::GT) {
        out.push_back({lo.value + step, 0, Blame::None, "just above the exclusive lower bound"});
        out.push_back({double(lo.value), row.below.result, row.below.blames, "on the exclusive lower bound"});
    }
    if (hi.cmp == Cmp::LE) {
        out.push_back({double(hi.value), 0, Blame::None, "on the inclusive upper bound"});
        out.push_back({hi.value + step, row.above.result, row.above.blames, "just above the upper bound"});
    } else if (hi.cmp == Cmp::LT) {
        out.push_back({hi.value - step, 0, Blame::None, "just below the exclusive upper bound"});
        out.push_back({double(hi.value), row.above.result, row.above.blames, "on the exclusive upper bound"});
    }
    return out;
}

struct Kind {
    RecordKind kind;
    void (*check)(RunContext&, std::string_view);

    const ElementEntry& operand(int element) const { return *findElement(elementEntries(kind), element); }
};

const Kind kAdoption{RecordKind::Adoption, [](RunContext& c, std::string_view r) {
                         checkAdoptionDatePairs(c.cells(vortel::RecordKind::Adoption), c.datePairs.adoption, r);
                     }};
const Kind kFosterCare{RecordKind::FosterCare, [](RunContext& c, std::string_view r) {
                           checkFosterCareDatePairs(c.cells(vortel::RecordKind::FosterCare), c.datePairs.fosterCare, r);
                       }};

std::span<std::int32_t> outcomes(RunContext& ctx, RecordKind kind) {
    if (kind == RecordKind::Adoption) return ctx.datePairs.adoption;
    return ctx.datePairs.fosterCare;
}

// Runs the engine on a record holding only P and Q, with every other cell
// in a state that keeps its rows from applying, and checks the row's
// outcome, the failures it counted and the marks.
void expectProbe(const Kind& k, int rowNumber, int first, int second, int p, const std::string& pText, int q,
                 const std::string& qText, int result, Blame blames) {
    auto ctx = makeContext();
    ElementTable& cells = ctx->cells(k.kind);
    cells.resetRecord();
    for (int c = 1; c <= cells.size(); ++c) cells.setState(c, kPendingBlank);
    cells.setState(first, kValid);
    cells.setState(second, kValid);
    std::string record(static_cast<std::size_t>(recordLength(k.kind)), ' ');
    setField(record, k.operand(p).first(), pText);
    setField(record, k.operand(q).first(), qText);

    k.check(*ctx, record);

    const auto lastOutcome = outcomes(*ctx, k.kind);
    for (std::size_t i = 0; i < lastOutcome.size(); ++i)
        EXPECT_EQ(lastOutcome[i], static_cast<int>(i) + 1 == rowNumber ? result : 0) << "lastOutcome of row " << i + 1;
    const bool blamesFirst = blames == Blame::First || blames == Blame::Both;
    const bool blamesSecond = blames == Blame::Second || blames == Blame::Both;
    EXPECT_EQ(cells[first].pairFailures, blamesFirst ? 1 : 0);
    EXPECT_EQ(cells[second].pairFailures, blamesSecond ? 1 : 0);
    // A single failed row marks what it blamed: the other element has no
    // failure to outweigh it.
    EXPECT_EQ(cells.state(first), blamesFirst ? 'a' : '.');
    EXPECT_EQ(cells.state(second), blamesSecond ? 'a' : '.');
}

void runRowAtItsBounds(const Kind& k, const ListedRow& listed) {
    const ParsedRow row = parse(listed);
    ASSERT_FALSE(row.special);
    ASSERT_NE(row.q, 2) << "the report period is always the later operand";
    const int pWidth = k.operand(row.p).width();
    const int qWidth = k.operand(row.q).width();
    // The report period is tried as a March and as a September period.
    std::vector<std::pair<std::string, Date>> bases;
    if (row.p == 2) {
        bases = {{"200003", {2000, 3, 31}}, {"200009", {2000, 9, 30}}};
    } else {
        bases = {{text({2000, 6, 15}, pWidth), {2000, 6, 15}}};
    }
    for (const auto& [pText, pDate] : bases) {
        for (const Probe& probe : probes(row)) {
            const std::string qText = text(operandFor(row.measure, pDate, probe.v), qWidth);
            SCOPED_TRACE("row " + std::to_string(listed.row) + " " + listed.measure + " = " + std::to_string(probe.v) +
                         " (" + probe.what + "): P " + pText + ", Q " + qText);
            expectProbe(k, listed.row, listed.first, listed.second, row.p, pText, row.q, qText, probe.result,
                        probe.blames);
        }
    }
}

TEST(DatePairRows, AdoptionRowsAtTheirBounds) {
    for (const ListedRow& row : kAdoptionListing) runRowAtItsBounds(kAdoption, row);
}

TEST(DatePairRows, FosterCareRowsAtTheirBounds) {
    for (const ListedRow& row : kFosterCareListing)
        if (row.row != 22 && row.row != 23) runRowAtItsBounds(kFosterCare, row);
}

// Rows 22 and 23: the TPR date at most 274 days after the review date, and
// the review date before the TPR date's 18th anniversary.
TEST(DatePairRows, FosterCareReviewAgainstTprRows) {
    struct Case {
        const char* review;
        const char* tpr;
        int result;
        const char* what;
    };
    const Case cases[] = {
        {"20100101", "20101001", 0, "TPR 273 days after the review"},
        {"20100101", "20101002", 0, "TPR 274 days after the review"},
        {"20100101", "20101003", 1, "TPR 275 days after the review"},
        {"20100101", "20100101", 0, "same day"},
        {"20271231", "20100101", 0, "review the day before the 18th anniversary"},
        {"20280101", "20100101", 2, "review on the 18th anniversary"},
        {"20280102", "20100101", 2, "review after the 18th anniversary"},
    };
    for (int row : {22, 23}) {
        const int tprElement = row == 22 ? 47 : 48;
        for (const Case& c : cases) {
            SCOPED_TRACE("row " + std::to_string(row) + ": " + c.what);
            expectProbe(kFosterCare, row, 5, tprElement, 5, c.review, tprElement, c.tpr, c.result,
                        c.result == 0 ? Blame::None : Blame::Both);
        }
    }
}

// ------------------------------------------- random pairs against the arithmetic

// A real date: day 1 to the length of the month.
Date randomDate(std::mt19937& rng, int year) {
    const int m = static_cast<int>(rng() % 12) + 1;
    const int last = static_cast<int>(static_cast<unsigned>(
        year_month_day_last(std::chrono::year(year) / month_day_last(month(static_cast<unsigned>(m)))).day()));
    return {year, m, static_cast<int>(rng() % static_cast<unsigned>(last)) + 1};
}

// The row's verdict from yearsBetween and daysBetween on the operands as
// written (element 2 at precision 8 and in day differences as its end date).
int referenceResult(const DateCheck& row, const std::string& pText, const std::string& qText) {
    auto partsOf = [&](int element, const std::string& written, bool fullDate) {
        DateParts d = dateParts(written);
        if (element == 2 && fullDate) d.day = d.month == 3 ? 31 : 30;
        return d;
    };
    if (row.rule == vortel::Rule::ReviewAgainstTpr) {
        const DateParts p = partsOf(row.p, pText, true), q = partsOf(row.q, qText, true);
        if (yearsBetween(p, q, 8) >= 18) return 2;
        return daysBetween(p, q) < -274 ? 1 : 0;
    }
    const bool fullDate = row.measure == Measure::Y8 || row.measure == Measure::D;
    const DateParts p = partsOf(row.p, pText, fullDate), q = partsOf(row.q, qText, fullDate);
    const double v = row.measure == Measure::D ? static_cast<double>(daysBetween(p, q))
                                               : yearsBetween(p, q, precisionOf(row.measure));
    const Bound& lo = row.range.low;
    const Bound& hi = row.range.high;
    if ((lo.cmp == Cmp::GE && v < lo.value) || (lo.cmp == Cmp::GT && v <= lo.value)) return row.below.result;
    if ((hi.cmp == Cmp::LE && v > hi.value) || (hi.cmp == Cmp::LT && v >= hi.value)) return row.above.result;
    return 0;
}

// Dates chosen so that the measure lands near a bound of the row, where
// month and day decide.
void runRandomPairs(const Kind& k, std::span<const DateCheck> rows) {
    std::mt19937 rng(20261208);
    auto ctx = makeContext();
    ElementTable& cells = ctx->cells(k.kind);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const DateCheck& row = rows[i];
        const int pWidth = k.operand(row.p).width();
        const int qWidth = k.operand(row.q).width();
        std::vector<int> targets;  // measures to aim at, in years or days
        for (const Bound& b : {row.range.low, row.range.high})
            if (b.cmp != Cmp::None) targets.push_back(b.value);
        if (row.rule == vortel::Rule::ReviewAgainstTpr) targets = {18, -1};
        for (int n = 0; n < 400; ++n) {
            const int target = targets[static_cast<std::size_t>(n) % targets.size()];
            const Date pDate = randomDate(rng, 1960 + static_cast<int>(rng() % 60));
            std::string pText = text(pDate, pWidth);
            if (row.p == 2) pText = text({pDate.y, n % 2 ? 3 : 9, 1}, 6);
            Date qDate;
            if (row.measure == Measure::D && row.rule == vortel::Rule::Range) {
                qDate = addDays(pDate, -target + static_cast<int>(rng() % 7) - 3);
            } else if (row.rule == vortel::Rule::ReviewAgainstTpr && target < 0) {
                qDate = addDays(pDate, 270 + static_cast<int>(rng() % 9));
            } else {
                qDate = randomDate(rng, pDate.y - target + static_cast<int>(rng() % 3) - 1);
            }
            const std::string qText = text(qDate, qWidth);

            cells.resetRecord();
            for (int c = 1; c <= cells.size(); ++c) cells.setState(c, kPendingBlank);
            cells.setState(row.firstElement, kValid);
            cells.setState(row.secondElement, kValid);
            std::string record(static_cast<std::size_t>(recordLength(k.kind)), ' ');
            setField(record, k.operand(row.p).first(), pText);
            setField(record, k.operand(row.q).first(), qText);
            outcomes(*ctx, k.kind)[i] = 0;
            k.check(*ctx, record);
            ASSERT_EQ(outcomes(*ctx, k.kind)[i], referenceResult(row, pText, qText))
                << "row " << i + 1 << ": P " << pText << ", Q " << qText;
        }
    }
}

TEST(DatePairRows, RandomPairsNearTheBoundsAgreeWithTheDateArithmetic) {
    runRandomPairs(kAdoption, adoptionDateChecks());
    runRandomPairs(kFosterCare, fosterCareDateChecks());
}

}  // namespace
