// The date a page is stamped with.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vorn {

// The latest time a four-digit year holds: 9999-12-31T23:59:59Z.
inline constexpr std::int64_t kLastDateSeconds = 253402300799;

// "YYYY-MM-DD", the UTC date of a time in seconds since 1970-01-01T00:00:00Z, for 0 up to
// kLastDateSeconds; none outside.
std::optional<std::string> utc_date(std::int64_t seconds);

}  // namespace vorn
