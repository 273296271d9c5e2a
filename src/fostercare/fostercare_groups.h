// Foster care consistency groups #2 to #13.
#pragma once

#include <string_view>

namespace vortel {

class ElementTable;

// Runs the groups on one padded foster care detail record, after the date pairs.
void checkFosterCareGroups(ElementTable& cells, std::string_view record);

}  // namespace vortel
