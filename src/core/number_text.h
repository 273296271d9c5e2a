// Counts and shares as the console and the page show them.
#pragma once

#include <string>

namespace vortel {

// A count with thousands separators: "1,000,000".
std::string groupedNumber(long n);

// `part` as a share of `whole` with one decimal: "12.5%" (0.0% of nothing).
std::string shareText(long part, long whole);

}  // namespace vortel
