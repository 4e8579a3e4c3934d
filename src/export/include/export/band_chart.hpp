// The spread of a quantity over the realizations, one row per pathway: the requested
// percentiles as nested bands on a logarithmic axis, the deterministic value and a target
// line.
#pragma once

#include <string>
#include <vector>

#include "export/log_axis.hpp"
#include "mc/mc_summary.hpp"

namespace vorn {

struct BandRow {
  std::string label;  // row label, already HTML-safe
  const mc::QuantitySummary* values = nullptr;
};

struct BandChart : LogChartFrame {
  std::vector<BandRow> rows;
};

// Inline SVG. Percentiles pair from the outside in: the lowest with the highest is the
// outer band, the next pair a band inside it; an odd one out is a tick. A percentile of 0
// starts its band at the axis' left end. A row whose values are 0 in every realization is
// "not applicable"; one without finite values, or with negative percentiles, says so and
// draws nothing. The value column gives the share of realizations above the target, marked
// ▲ when there are any. Every mark holds its percentiles in a <title>.
std::string band_chart(const BandChart& chart);

// The frame of a risk (or hazard quotient) chart against its target: class, axis, target.
BandChart pathway_chart_frame(bool risk, double target_risk, double target_hazard);

// The legend of the charts for these percentiles (ascending).
std::string band_legend(const std::vector<double>& percentiles);

// "p5", "p99.9".
std::string percentile_name(double q);

}  // namespace vorn
