#include "findings/findings_support.h"

#include <cstdlib>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include "support/program_run.h"
#include "support/records.h"

namespace vortel::testing {

std::vector<CsvRow> parseCsv(const std::string& text) {
    std::vector<CsvRow> rows;
    CsvRow row;
    std::string field;
    bool quoted = false;  // inside a quoted field
    bool wasQuoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"') {
                field.push_back(c);
            } else if (i + 1 < text.size() && text[i + 1] == '"') {
                field.push_back('"');
                ++i;
            } else {
                quoted = false;
            }
            continue;
        }
        if (c == '"') {
            EXPECT_TRUE(field.empty() && !wasQuoted) << "quote inside an unquoted field at byte " << i;
            quoted = wasQuoted = true;
        } else if (c == ',') {
            row.push_back(field);
            field.clear();
            wasQuoted = false;
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            row.push_back(field);
            rows.push_back(row);
            row.clear();
            field.clear();
            wasQuoted = false;
            ++i;
        } else {
            EXPECT_TRUE(c != '\r' && c != '\n') << "bare line break outside quotes at byte " << i;
            EXPECT_FALSE(wasQuoted) << "text after a closing quote at byte " << i;
            field.push_back(c);
        }
    }
    EXPECT_FALSE(quoted) << "unterminated quoted field";
    EXPECT_TRUE(row.empty() && field.empty()) << "last row without CR LF";
    return rows;
}

std::vector<CsvRow> withoutLineNumbers(std::vector<CsvRow> rows) {
    for (CsvRow& r : rows)
        if (r.size() > 1) r.erase(r.begin() + 1);
    return rows;
}

std::string damagedDataFile(unsigned seed, int adoption, int fosterCare) {
    static constexpr std::string_view kDamage =
        " 09x,\"\xE9\xFF"
        "12";
    std::mt19937 random(seed);
    auto damage = [&](std::string record) {
        if (random() % 2 == 0) return record;
        const int columns = 1 + static_cast<int>(random() % 3);
        for (int i = 0; i < columns; ++i) record[random() % record.size()] = kDamage[random() % kDamage.size()];
        return record;
    };
    std::string file = "$\n01      202609 adoption summary\n";
    for (int i = 0; i < adoption; ++i) file += damage(cleanAdoptionRecord()) + "\n";
    file += "@\n01      202609 foster care summary\n";
    for (int i = 0; i < fosterCare; ++i) file += damage(cleanFosterCareRecord()) + "\n";
    return file;
}

int generateData(const std::filesystem::path& dir, const std::string& options) {
    const auto script = std::filesystem::path(VORTEL_SOURCE_DIR) / "tools" / "vortel_gen.py";
    const std::string command = "python3 '" + script.string() + "' " + options + " -o '" + (dir / "data.txt").string() +
                                "' --fips-out '" + (dir / "fips.lst").string() + "' 2>'" + (dir / "gen.err").string() +
                                "'";
    return std::system(command.c_str());
}

std::vector<std::string> argsWith(const std::vector<std::string>& more, const std::string& state) {
    return withOptions(standardArgs(state), more);
}

std::map<std::string, std::vector<std::string>> reportTable(const std::string& report) {
    std::map<std::string, std::vector<std::string>> rows;
    const std::size_t at = report.find("\n-------     -------");
    if (at == std::string::npos) return rows;
    std::istringstream in(report.substr(at + 1));
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line) && line.rfind("-----", 0) != 0) {
        std::istringstream fields(line);
        std::string label, v;
        fields >> label;
        while (fields >> v)
            if (v != "||") rows[label].push_back(v);
    }
    std::getline(in, line);
    std::istringstream total(line);
    std::string label, v;
    total >> label;
    while (total >> v)
        if (v != "||") rows[label].push_back(v);
    return rows;
}

std::string reportLabel(const std::string& label) { return label[0] == '0' ? label.substr(1) : label; }

}  // namespace vortel::testing
