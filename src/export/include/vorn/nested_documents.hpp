// The documents of a nested (two-dimensional) probabilistic run.
#pragma once

#include <string>

#include "vorn/page_stamp.hpp"

namespace vorn::nested {
struct NestedSummary;
}

namespace vorn {

// Ordered JSON: the scenario as resolved (`scenario_json`, its canonical form), the outer
// and inner draws, and per chemical and for the stream the uncertainty band (5th, 50th and
// 95th percentile over the outer draws) of every variability percentile, of P(above
// target), of P(exceeded), of the allowable concentrations at the decision percentile and
// of the verdict. Holds no thread count, shard, time, host or path.
std::string nested_json(const nested::NestedSummary& summary, const std::string& scenario_json);

// The same bands in long form (RFC 4180, CRLF): chemical, quantity, statistic, value; the
// statistic names the band level, as p90_band95 or P_above_target_band5.
std::string nested_csv(const nested::NestedSummary& summary);

// A self-contained page: the verdict at the decision percentile with its uncertainty band,
// and per chemical and pathway the uncertainty band of every variability percentile as
// nested intervals on log axes, with the target; first the provenance block of its scenario
// with `stamp`'s date.
std::string nested_html(const nested::NestedSummary& summary, const std::string& scenario_json,
                        const PageStamp& stamp);

}  // namespace vorn
