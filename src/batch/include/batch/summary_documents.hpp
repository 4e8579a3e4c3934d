// The batch's summary, one row per stream in the order given, as CSV and as JSON.
#pragma once

#include <string>
#include <vector>

#include "batch/stream_summary.hpp"

namespace vorn::batch {

// The columns of both documents, in order.
inline constexpr const char* kSummaryColumns[] = {
    "label",     "path",       "status",    "exit_status",   "message",    "chemicals",
    "exceeding", "worst_name", "worst_cas", "worst_pathway", "worst_ratio"};

// RFC 4180 with CRLF line ends and a header row. Without a worst chemical its four
// columns are empty.
std::string summary_csv(const std::vector<StreamSummary>& rows);

// An array of objects with the same keys; without a worst chemical they are null.
std::string summary_json(const std::vector<StreamSummary>& rows);

}  // namespace vorn::batch
