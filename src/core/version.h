#pragma once

namespace vortel {
inline constexpr const char* kVersion = "1.0.0";
}
