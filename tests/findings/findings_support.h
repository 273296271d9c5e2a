// Helpers for the findings tests: reading the CSV findings file back, making
// data files from clean records, and running the data generator.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace vortel::testing {

using CsvRow = std::vector<std::string>;

// Parses CSV as RFC 4180 writes it, with CR LF after every row. A bare line
// feed or carriage return outside quotes, or a bad quote, fails the test.
std::vector<CsvRow> parseCsv(const std::string& text);

// The findings rows without the line number column (the same records in
// another file stand on other lines).
std::vector<CsvRow> withoutLineNumbers(std::vector<CsvRow> rows);

// A data file of clean records with damage: an Adoption section of
// `adoption` records and a Foster Care section of `fosterCare` records
// (State 01, local agency codes 01001 and 01003), about half of them with
// one to three columns overwritten by blanks, digits, letters, commas,
// quotes and bytes 0x80-0xFF.
std::string damagedDataFile(unsigned seed, int adoption, int fosterCare);
// A fips.lst for it.
inline constexpr const char* kFipsList = "01001\n01003\n";

// True when python3 runs.
// Runs tools/vortel_gen.py with `options` writing data.txt and fips.lst into
// `dir`; returns the exit status.
int generateData(const std::filesystem::path& dir, const std::string& options);

// The rows of a report's data errors table: label -> missing, out of range,
// likely, total, percent (as printed), cleaned; "Total" for the sums.
std::map<std::string, std::vector<std::string>> reportTable(const std::string& report);
// A finding's element label as the report's table writes it ("7a" for "07a").
std::string reportLabel(const std::string& label);

// The usual arguments and more.
std::vector<std::string> argsWith(const std::vector<std::string>& more, const std::string& state = "01");

}  // namespace vortel::testing
