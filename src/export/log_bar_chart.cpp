#include "export/log_bar_chart.hpp"

#include <cmath>

#include "export/log_axis.hpp"
#include "export/readable_number.hpp"
#include "export/svg_text.hpp"

namespace vorn {
namespace {

using namespace log_chart;

std::string not_drawn_text(double v) {
  if (std::isnan(v)) return "NaN (not a number): not drawn";
  if (v == INFINITY) return "Infinity: not drawn";
  return "negative: not drawn";
}

}  // namespace

std::string log_bar_chart(const LogChart& chart) {
  std::vector<double> values{chart.target};
  for (const LogBar& b : chart.bars) values.push_back(b.value);
  const LogAxis axis = log_axis_for(values);
  const std::size_t rows = chart.bars.size();

  std::string s = log_chart_open(axis, chart, rows);
  for (std::size_t k = 0; k < rows; ++k) {
    const LogBar& b = chart.bars[k];
    const double row_top = kTop + kRow * static_cast<double>(k);
    const std::string text_y = svg_coord(row_top + kRow / 2 + 4);
    s += "<g class=\"row\" data-slot=\"" + b.slot + "\"><text class=\"row-label\" x=\"" +
         svg_coord(kLabelEnd) + "\" y=\"" + text_y + "\">" + b.label + "</text>";
    const std::string title =
        "<title>" + b.label + " (" + b.slot + "): " + exact_number(b.value) + "</title>";
    if (b.value == 0.0) {
      s += "<text class=\"na\" x=\"" + svg_coord(kPlotLeft + 4) + "\" y=\"" + text_y + "\">" +
           title + "not applicable</text>";
    } else if (!drawable(b.value)) {
      s += "<text class=\"not-drawn\" x=\"" + svg_coord(kPlotLeft + 4) + "\" y=\"" + text_y +
           "\">" + title + not_drawn_text(b.value) + "</text><text class=\"value\" x=\"" +
           svg_coord(kValueLeft) + "\" y=\"" + text_y + "\">" + readable_number(b.value) +
           "</text>";
    } else {
      const bool over = drawable(chart.target) && b.value > chart.target;
      s += std::string("<rect class=\"bar") + (over ? " over" : "") + "\" x=\"" +
           svg_coord(kPlotLeft) + "\" y=\"" + svg_coord(row_top + (kRow - kBar) / 2) +
           "\" width=\"" + svg_coord(axis.x(b.value) - kPlotLeft) + "\" height=\"" +
           svg_coord(kBar) + "\">" + title + "</rect><text class=\"value" + (over ? " over" : "") +
           "\" x=\"" + svg_coord(kValueLeft) + "\" y=\"" + text_y + "\">" +
           readable_number(b.value) + (over ? " &#9650;" : "") + "</text>";
    }
    s += "</g>\n";
  }
  return s + log_chart_close(axis, chart, rows);
}

}  // namespace vorn
