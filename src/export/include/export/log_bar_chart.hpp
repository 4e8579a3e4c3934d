// A horizontal bar chart on a logarithmic axis: one row per pathway, a target line.
#pragma once

#include <string>
#include <vector>

#include "export/log_axis.hpp"

namespace vorn {

struct LogBar {
  std::string label;  // row label, already HTML-safe
  std::string slot;   // result slot the value comes from, e.g. "R_GWING"
  double value = 0.0;
};

struct LogChart : LogChartFrame {
  std::vector<LogBar> bars;
};

// Inline SVG. Bars start at the left end of the axis, which covers every
// positive value and the target in whole decades. A value of 0 is listed as
// "not applicable"; NaN, infinite and negative values are labelled, never drawn.
// Every bar holds its exact value in a <title>.
std::string log_bar_chart(const LogChart& chart);

}  // namespace vorn
