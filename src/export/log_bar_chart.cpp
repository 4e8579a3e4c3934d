#include "export/log_bar_chart.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "export/svg_text.hpp"

namespace vorn {
namespace {

// Layout in SVG user units: label column, plot area, value column.
constexpr double kWidth = 680;
constexpr double kLabelEnd = 178;
constexpr double kPlotLeft = 186;
constexpr double kPlotRight = 566;
constexpr double kValueLeft = 574;
constexpr double kTop = 20;
constexpr double kRow = 17;
constexpr double kBar = 11;
constexpr double kAxisSpace = 44;
constexpr int kMaxLabelledTicks = 10;
constexpr int kMaxGridDecades = 60;

bool drawable(double v) {
  return std::isfinite(v) && v > 0;
}

// Whole decades [lo, hi] that hold every drawable value and the target, with at
// least a quarter decade to the left of the smallest so its bar stays visible.
struct Axis {
  int lo = -1;
  int hi = 0;
  double x(double v) const {
    return kPlotLeft + (std::log10(v) - lo) / (hi - lo) * (kPlotRight - kPlotLeft);
  }
};

Axis axis_for(const LogChart& chart) {
  double mn = INFINITY, mx = -INFINITY;
  auto take = [&](double v) {
    if (!drawable(v)) return;
    mn = std::min(mn, std::log10(v));
    mx = std::max(mx, std::log10(v));
  };
  for (const LogBar& b : chart.bars) take(b.value);
  take(chart.target);
  Axis a;
  if (mn > mx) return a;
  a.lo = static_cast<int>(std::floor(mn));
  if (mn - a.lo < 0.25) --a.lo;
  a.hi = std::max(static_cast<int>(std::ceil(mx)), a.lo + 1);
  return a;
}

std::string decade_label(int exponent) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "1E%+d", exponent);
  return buf;
}

std::string not_drawn_text(double v) {
  if (std::isnan(v)) return "NaN (not a number): not drawn";
  if (v == INFINITY) return "Infinity: not drawn";
  return "negative: not drawn";
}

}  // namespace

std::string log_bar_chart(const LogChart& chart) {
  const Axis axis = axis_for(chart);
  const double plot_bottom = kTop + kRow * static_cast<double>(chart.bars.size());
  const double height = plot_bottom + kAxisSpace;
  const int decades = axis.hi - axis.lo;
  const int step = (decades + kMaxLabelledTicks - 1) / kMaxLabelledTicks;

  std::string s = "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"chart " + chart.css_class +
                  "\" viewBox=\"0 0 " + svg_coord(kWidth) + " " + svg_coord(height) +
                  "\" width=\"" + svg_coord(kWidth) + "\" height=\"" + svg_coord(height) +
                  "\" role=\"img\" aria-label=\"" + chart.axis_label + "\">\n";

  // Decade grid and ticks.
  s += "<g class=\"axis\" data-lo=\"" + std::to_string(axis.lo) + "\" data-hi=\"" +
       std::to_string(axis.hi) + "\">\n";
  for (int e = axis.lo; e <= axis.hi; ++e) {
    const bool labelled = (e - axis.lo) % step == 0;
    if (!labelled && decades > kMaxGridDecades) continue;
    const std::string x = svg_coord(axis.x(std::pow(10.0, e)));
    s += "<line class=\"grid\" x1=\"" + x + "\" x2=\"" + x + "\" y1=\"" + svg_coord(kTop - 4) +
         "\" y2=\"" + svg_coord(plot_bottom) + "\"/>";
    if (labelled) {
      s += "<line class=\"tick\" x1=\"" + x + "\" x2=\"" + x + "\" y1=\"" + svg_coord(plot_bottom) +
           "\" y2=\"" + svg_coord(plot_bottom + 4) + "\"/><text class=\"tick-label\" x=\"" + x +
           "\" y=\"" + svg_coord(plot_bottom + 15) + "\">" + decade_label(e) + "</text>";
    }
    s += "\n";
  }
  s += "<line class=\"baseline\" x1=\"" + svg_coord(kPlotLeft) + "\" x2=\"" +
       svg_coord(kPlotRight) + "\" y1=\"" + svg_coord(plot_bottom) + "\" y2=\"" +
       svg_coord(plot_bottom) + "\"/>\n";
  s += "<text class=\"axis-label\" x=\"" + svg_coord((kPlotLeft + kPlotRight) / 2) + "\" y=\"" +
       svg_coord(plot_bottom + 32) + "\">" + chart.axis_label + "</text>\n</g>\n";

  if (chart.group_break > 0 && chart.group_break < chart.bars.size()) {
    const std::string y = svg_coord(kTop + kRow * static_cast<double>(chart.group_break));
    s += "<line class=\"group-rule\" x1=\"0\" x2=\"" + svg_coord(kWidth) + "\" y1=\"" + y +
         "\" y2=\"" + y + "\"/>\n";
  }

  for (std::size_t k = 0; k < chart.bars.size(); ++k) {
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
           svg_coord(kValueLeft) + "\" y=\"" + text_y + "\">" + report_number(b.value) + "</text>";
    } else {
      const bool over = drawable(chart.target) && b.value > chart.target;
      s += std::string("<rect class=\"bar") + (over ? " over" : "") + "\" x=\"" +
           svg_coord(kPlotLeft) + "\" y=\"" + svg_coord(row_top + (kRow - kBar) / 2) +
           "\" width=\"" + svg_coord(axis.x(b.value) - kPlotLeft) + "\" height=\"" +
           svg_coord(kBar) + "\">" + title + "</rect><text class=\"value" + (over ? " over" : "") +
           "\" x=\"" + svg_coord(kValueLeft) + "\" y=\"" + text_y + "\">" + report_number(b.value) +
           (over ? " &#9650;" : "") + "</text>";
    }
    s += "</g>\n";
  }

  if (drawable(chart.target)) {
    const double x = axis.x(chart.target);
    const std::string xs = svg_coord(x);
    s += "<g class=\"target\"><title>" + chart.target_name + ": " + exact_number(chart.target) +
         "</title><line class=\"target-line\" x1=\"" + xs + "\" x2=\"" + xs + "\" y1=\"" +
         svg_coord(kTop - 6) + "\" y2=\"" + svg_coord(plot_bottom) +
         "\"/><text class=\"target-label\" x=\"" +
         svg_coord(std::clamp(x, kPlotLeft + 50, kPlotRight - 50)) + "\" y=\"" +
         svg_coord(kTop - 9) + "\">" + chart.target_name + " " + report_number(chart.target) +
         "</text></g>\n";
  } else {
    s += "<text class=\"target-label\" x=\"" + svg_coord((kPlotLeft + kPlotRight) / 2) + "\" y=\"" +
         svg_coord(kTop - 9) + "\">no " + chart.target_name + " line: the " + chart.target_name +
         " is " + report_number(chart.target) + "</text>\n";
  }
  s += "</svg>\n";
  return s;
}

}  // namespace vorn
