#include "export/band_chart.hpp"

#include <algorithm>
#include <cmath>

#include "export/log_axis.hpp"
#include "export/readable_number.hpp"
#include "export/svg_text.hpp"

namespace vorn {
namespace {

using namespace log_chart;
using mc::PercentileValue;

constexpr double kTickHalf = 7;
constexpr double kDiamond = 4;

std::vector<PercentileValue> ascending(const mc::QuantitySummary& q) {
  std::vector<PercentileValue> p = q.percentiles;
  std::stable_sort(p.begin(), p.end(),
                   [](const PercentileValue& a, const PercentileValue& b) { return a.q < b.q; });
  return p;
}

// Why a row draws nothing, or "" when it draws its bands.
std::string nothing_drawn(const mc::QuantitySummary& q, const std::vector<PercentileValue>& p) {
  if (q.count == 0 && q.pos_inf == 0) return "no finite value in any realization";
  bool all_zero = q.min == 0 && q.max == 0;
  for (const PercentileValue& v : p) {
    if (std::isnan(v.value) || v.value < 0) return "negative percentiles: not drawn";
    all_zero = all_zero && v.value == 0;
  }
  return all_zero || p.empty() ? "not applicable" : "";
}

// Where a band ends or a mark sits at v: a 0 at the axis' left end, an infinity at its
// right end, off the scale.
double x_at(const LogAxis& axis, double v) {
  if (std::isinf(v)) return kPlotRight;
  return v > 0 ? axis.x(v) : kPlotLeft;
}

// The mark of percentiles that are infinite: an infinity sign at the plot's right end.
std::string off_scale_mark(const std::string& what, const std::vector<PercentileValue>& p,
                           double row_top) {
  std::string names;
  for (const PercentileValue& v : p)
    if (std::isinf(v.value)) names += (names.empty() ? "" : ", ") + percentile_name(v.q);
  if (names.empty()) return "";
  return "<text class=\"off-scale\" x=\"" + svg_coord(kPlotRight - 1) + "\" y=\"" +
         svg_coord(row_top + kRow / 2 + 4) + "\" text-anchor=\"end\"><title>" + what + ", " +
         names + ": infinite, off the scale</title>&#8734;</text>";
}

std::string percent_text(double share) {
  return readable_number(share * 100) + " %";
}

std::string row_marks(const LogAxis& axis, const std::string& what,
                      const std::vector<PercentileValue>& p, double row_top) {
  const double mid = row_top + kRow / 2;
  const std::size_t n = p.size();
  const std::size_t levels = n / 2;
  std::string s;
  for (std::size_t j = 0; j < levels; ++j) {
    const PercentileValue& lo = p[j];
    const PercentileValue& hi = p[n - 1 - j];
    if (hi.value == 0) continue;
    const double height = kBar * static_cast<double>(j + 1) / static_cast<double>(levels);
    const double x = x_at(axis, lo.value);
    s += "<rect class=\"band\" data-lo=\"" + exact_number(lo.q) + "\" data-hi=\"" +
         exact_number(hi.q) + "\" x=\"" + svg_coord(x) + "\" y=\"" + svg_coord(mid - height / 2) +
         "\" width=\"" + svg_coord(std::max(x_at(axis, hi.value) - x, 1.0)) + "\" height=\"" +
         svg_coord(height) + "\"><title>" + what + ", " + percentile_name(lo.q) + " to " +
         percentile_name(hi.q) + ": " + readable_number(lo.value) + " to " +
         readable_number(hi.value) + "</title></rect>";
  }
  if (n % 2 == 1) {
    const PercentileValue& m = p[levels];
    const std::string x = svg_coord(x_at(axis, m.value));
    s += "<line class=\"mid\" data-q=\"" + exact_number(m.q) + "\" x1=\"" + x + "\" x2=\"" + x +
         "\" y1=\"" + svg_coord(mid - kTickHalf) + "\" y2=\"" + svg_coord(mid + kTickHalf) +
         "\"><title>" + what + ", " + percentile_name(m.q) + ": " + readable_number(m.value) +
         " (95 % confidence interval " + readable_number(m.lower) + " to " +
         readable_number(m.upper) + ")</title></line>";
  }
  return s + off_scale_mark(what, p, row_top);
}

std::string baseline_mark(const LogAxis& axis, const std::string& what, double v, double row_top) {
  if (!drawable(v)) return "";
  const double x = axis.x(v), y = row_top + kRow / 2;
  return "<path class=\"deterministic\" d=\"M" + svg_coord(x) + " " + svg_coord(y - kDiamond) +
         "L" + svg_coord(x + kDiamond) + " " + svg_coord(y) + "L" + svg_coord(x) + " " +
         svg_coord(y + kDiamond) + "L" + svg_coord(x - kDiamond) + " " + svg_coord(y) +
         "Z\"><title>" + what + ", deterministic run: " + readable_number(v) + "</title></path>";
}

}  // namespace

std::string percentile_name(double q) {
  return "p" + exact_number(q);
}

std::string band_chart(const BandChart& chart) {
  std::vector<double> values{chart.target};
  for (const BandRow& r : chart.rows) {
    values.push_back(r.values->baseline);
    for (const PercentileValue& p : r.values->percentiles) values.push_back(p.value);
  }
  const LogAxis axis = log_axis_for(values);
  const std::size_t rows = chart.rows.size();

  std::string s = log_chart_open(axis, chart, rows);
  for (std::size_t k = 0; k < rows; ++k) {
    const mc::QuantitySummary& q = *chart.rows[k].values;
    const std::string what = chart.rows[k].label + " (" + q.name + ")";
    const double row_top = kTop + kRow * static_cast<double>(k);
    const std::string text_y = svg_coord(row_top + kRow / 2 + 4);
    const std::vector<PercentileValue> p = ascending(q);
    s += "<g class=\"row\" data-slot=\"" + std::string(q.name) +
         "\"><text class=\"row-label\" x=\"" + svg_coord(kLabelEnd) + "\" y=\"" + text_y + "\">" +
         chart.rows[k].label + "</text>";
    const std::string why = nothing_drawn(q, p);
    if (!why.empty()) {
      s += "<text class=\"" + std::string(why == "not applicable" ? "na" : "not-drawn") +
           "\" x=\"" + svg_coord(kPlotLeft + 4) + "\" y=\"" + text_y + "\"><title>" + what + ": " +
           std::to_string(q.count) + " finite values from " + readable_number(q.min) + " to " +
           readable_number(q.max) + "</title>" + why + "</text>";
    } else {
      s += row_marks(axis, what, p, row_top) + baseline_mark(axis, what, q.baseline, row_top);
    }
    const bool over = q.p_above > 0;
    s += std::string("<text class=\"value") + (over ? " over" : "") + "\" x=\"" +
         svg_coord(kValueLeft) + "\" y=\"" + text_y + "\"><title>" + what +
         ": share of the realizations above the " + chart.target_name + "</title>" +
         percent_text(q.p_above) + (over ? " &#9650;" : "") + "</text></g>\n";
  }
  return s + log_chart_close(axis, chart, rows);
}

std::string band_legend(const std::vector<double>& percentiles) {
  const std::size_t n = percentiles.size();
  std::string s =
      "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"legend\" viewBox=\"0 0 680 40\" "
      "width=\"680\" height=\"40\" role=\"img\" aria-label=\"Legend\">";
  double x = 0;
  for (std::size_t j = 0; j < n / 2; ++j) {
    // The bands that overlap inside band j, as the charts draw them.
    for (std::size_t i = 0; i <= j; ++i) {
      const double height = kBar * static_cast<double>(i + 1) / static_cast<double>(n / 2);
      s += "<rect class=\"band\" x=\"" + svg_coord(x) + "\" y=\"" + svg_coord(11 - height / 2) +
           "\" width=\"22\" height=\"" + svg_coord(height) + "\"/>";
    }
    s += "<text x=\"" + svg_coord(x + 28) + "\" y=\"15\">" + percentile_name(percentiles[j]) +
         " to " + percentile_name(percentiles[n - 1 - j]) + "</text>";
    x += 110;
  }
  if (n % 2 == 1) {
    s += "<line class=\"mid\" x1=\"" + svg_coord(x + 11) + "\" x2=\"" + svg_coord(x + 11) +
         "\" y1=\"4\" y2=\"18\"/><text x=\"" + svg_coord(x + 28) + "\" y=\"15\">" +
         percentile_name(percentiles[n / 2]) + "</text>";
  }
  s += "<path class=\"deterministic\" d=\"M11 27L15 31L11 35L7 31Z\"/>"
       "<text x=\"28\" y=\"35\">deterministic run</text>"
       "<line class=\"target-line\" x1=\"170\" x2=\"170\" y1=\"24\" y2=\"38\"/>"
       "<text x=\"178\" y=\"35\">target</text>"
       "<text x=\"250\" y=\"35\">right: share of realizations above the target, &#9650; when "
       "any</text></svg>\n";
  return s;
}

BandChart pathway_chart_frame(bool risk, double target_risk, double target_hazard) {
  BandChart chart;
  chart.css_class = risk ? "risk" : "hazard";
  chart.axis_label =
      risk ? "Cancer risk (probability, log scale)" : "Hazard quotient (dimensionless, log scale)";
  chart.target_name = risk ? "target risk" : "target HQ";
  chart.target = risk ? target_risk : target_hazard;
  return chart;
}

}  // namespace vorn
