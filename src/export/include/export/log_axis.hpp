// The logarithmic axis the pathway charts share: their layout, the decades that hold the
// values drawn, the grid with its labels, and the dashed target line.
#pragma once

#include <string>
#include <vector>

namespace vorn {

// Layout in SVG user units: label column, plot area, value column; rows from the top.
namespace log_chart {
inline constexpr double kWidth = 680;
inline constexpr double kLabelEnd = 178;
inline constexpr double kPlotLeft = 186;
inline constexpr double kPlotRight = 566;
inline constexpr double kValueLeft = 574;
inline constexpr double kTop = 20;
inline constexpr double kRow = 17;
inline constexpr double kBar = 11;
inline constexpr double kAxisSpace = 44;
}  // namespace log_chart

// Whole decades lo..hi across the plot area.
struct LogAxis {
  int lo = -1;
  int hi = 0;
  double x(double v) const;
};

// Finite and positive: what a logarithmic axis can place.
bool drawable(double v);

// The decades that hold every drawable value of `values`, with at least a quarter decade
// to the left of the smallest so that its bar stays visible; -1..0 when none is drawable.
LogAxis log_axis_for(const std::vector<double>& values);

// What a pathway chart draws besides its rows.
struct LogChartFrame {
  std::string css_class;    // "risk" or "hazard"
  std::string axis_label;   // with its unit
  std::string target_name;  // "target risk"
  double target = 0.0;
  // A rule is drawn between the rows before and after this index (0: none).
  std::size_t group_break = 0;
};

// The opening <svg> tag of a chart `rows` rows high, the decade grid with its labelled
// ticks (with many decades only every so many are labelled), the baseline, the axis label
// and the group rule.
std::string log_chart_open(const LogAxis& axis, const LogChartFrame& frame, std::size_t rows);

// The dashed line at the target with its name and value (or, when the target cannot be
// placed, a line of text saying so) and the closing </svg>.
std::string log_chart_close(const LogAxis& axis, const LogChartFrame& frame, std::size_t rows);

}  // namespace vorn
