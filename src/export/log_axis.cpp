#include "export/log_axis.hpp"

#include <algorithm>
#include <cmath>

#include "export/readable_number.hpp"
#include "export/svg_text.hpp"

namespace vorn {

using namespace log_chart;

namespace {
constexpr int kMaxLabelledTicks = 10;
constexpr int kMaxGridDecades = 60;
}  // namespace

double LogAxis::x(double v) const {
  return kPlotLeft + (std::log10(v) - lo) / (hi - lo) * (kPlotRight - kPlotLeft);
}

bool drawable(double v) {
  return std::isfinite(v) && v > 0;
}

LogAxis log_axis_for(const std::vector<double>& values) {
  double mn = INFINITY, mx = -INFINITY;
  for (const double v : values) {
    if (!drawable(v)) continue;
    mn = std::min(mn, std::log10(v));
    mx = std::max(mx, std::log10(v));
  }
  LogAxis a;
  if (mn > mx) return a;
  a.lo = static_cast<int>(std::floor(mn));
  if (mn - a.lo < 0.25) --a.lo;
  a.hi = std::max(static_cast<int>(std::ceil(mx)), a.lo + 1);
  return a;
}

std::string log_chart_open(const LogAxis& axis, const LogChartFrame& frame, std::size_t rows) {
  const double bottom = kTop + kRow * static_cast<double>(rows);
  const std::string height = svg_coord(bottom + kAxisSpace);
  const std::string& label = frame.axis_label;
  const int decades = axis.hi - axis.lo;
  const int step = (decades + kMaxLabelledTicks - 1) / kMaxLabelledTicks;
  std::string s = "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"chart " + frame.css_class +
                  "\" viewBox=\"0 0 " + svg_coord(kWidth) + " " + height + "\" width=\"" +
                  svg_coord(kWidth) + "\" height=\"" + height + "\" role=\"img\" aria-label=\"" +
                  label + "\">\n<g class=\"axis\" data-lo=\"" + std::to_string(axis.lo) +
                  "\" data-hi=\"" + std::to_string(axis.hi) + "\">\n";
  for (int e = axis.lo; e <= axis.hi; ++e) {
    const bool labelled = (e - axis.lo) % step == 0;
    if (!labelled && decades > kMaxGridDecades) continue;
    const std::string x = svg_coord(axis.x(std::pow(10.0, e)));
    s += "<line class=\"grid\" x1=\"" + x + "\" x2=\"" + x + "\" y1=\"" + svg_coord(kTop - 4) +
         "\" y2=\"" + svg_coord(bottom) + "\"/>";
    if (labelled) {
      s += "<line class=\"tick\" x1=\"" + x + "\" x2=\"" + x + "\" y1=\"" + svg_coord(bottom) +
           "\" y2=\"" + svg_coord(bottom + 4) + "\"/><text class=\"tick-label\" x=\"" + x +
           "\" y=\"" + svg_coord(bottom + 15) + "\">" + power_of_ten(e) + "</text>";
    }
    s += "\n";
  }
  s += "<line class=\"baseline\" x1=\"" + svg_coord(kPlotLeft) + "\" x2=\"" +
       svg_coord(kPlotRight) + "\" y1=\"" + svg_coord(bottom) + "\" y2=\"" + svg_coord(bottom) +
       "\"/>\n";
  s += "<text class=\"axis-label\" x=\"" + svg_coord((kPlotLeft + kPlotRight) / 2) + "\" y=\"" +
       svg_coord(bottom + 32) + "\">" + label + "</text>\n</g>\n";
  if (frame.group_break > 0 && frame.group_break < rows) {
    const std::string y = svg_coord(kTop + kRow * static_cast<double>(frame.group_break));
    s += "<line class=\"group-rule\" x1=\"0\" x2=\"" + svg_coord(kWidth) + "\" y1=\"" + y +
         "\" y2=\"" + y + "\"/>\n";
  }
  return s;
}

std::string log_chart_close(const LogAxis& axis, const LogChartFrame& frame, std::size_t rows) {
  const std::string& name = frame.target_name;
  const double target = frame.target;
  if (!drawable(target))
    return "<text class=\"target-label\" x=\"" + svg_coord((kPlotLeft + kPlotRight) / 2) +
           "\" y=\"" + svg_coord(kTop - 9) + "\">no " + name + " line: the " + name + " is " +
           readable_number(target) + "</text>\n</svg>\n";
  const double x = axis.x(target);
  const std::string xs = svg_coord(x);
  return "<g class=\"target\"><title>" + name + ": " + exact_number(target) +
         "</title><line class=\"target-line\" x1=\"" + xs + "\" x2=\"" + xs + "\" y1=\"" +
         svg_coord(kTop - 6) + "\" y2=\"" + svg_coord(kTop + kRow * static_cast<double>(rows)) +
         "\"/><text class=\"target-label\" x=\"" +
         svg_coord(std::clamp(x, kPlotLeft + 50, kPlotRight - 50)) + "\" y=\"" +
         svg_coord(kTop - 9) + "\">" + name + " " + readable_number(target) +
         "</text></g>\n</svg>\n";
}

}  // namespace vorn
