// The date the pages of a run are stamped with.
#pragma once

#include <optional>
#include <string>

namespace vorn::cli {

// SOURCE_DATE_EPOCH (seconds since 1970-01-01 UTC, the reproducible-builds convention) when it
// is set, today otherwise: "YYYY-MM-DD" in UTC. Nothing, with a message on standard error
// starting with `command`, when the variable is set but is not a whole number from 0 to
// 253402300799.
std::optional<std::string> run_date(const char* command);

}  // namespace vorn::cli
