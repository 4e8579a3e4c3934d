#pragma once

namespace vorn {
inline constexpr const char* kVersion = "1.0.0";
}
