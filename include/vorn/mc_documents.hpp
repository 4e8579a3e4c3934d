// The documents of a probabilistic run, for programs and spreadsheets.
#pragma once

#include <string>

namespace vorn::mc {
struct McSummary;
}

namespace vorn {

// Ordered JSON: the scenario as resolved (`scenario_json`, its canonical form), the
// realizations, the failures, and per chemical and for the stream the statistics of every
// decision quantity, the decision at the decision percentile and the convergence table.
// Holds no thread count, shard, time, host or path: equal results are equal files.
std::string mc_json(const mc::McSummary& summary, const std::string& scenario_json,
                    double decision_percentile);

// The same statistics in long form (RFC 4180, CRLF): chemical, quantity, statistic, value.
std::string mc_csv(const mc::McSummary& summary);

}  // namespace vorn
