#include "export/tornado_chart.hpp"

#include <algorithm>
#include <cmath>

#include "export/html_text.hpp"
#include "export/readable_number.hpp"
#include "export/svg_text.hpp"

namespace vorn {
namespace {

// Layout in SVG user units, as the pathway charts: labels, plot, values.
constexpr double kWidth = 680, kLabelEnd = 226, kPlotLeft = 234, kPlotRight = 540;
constexpr double kValueLeft = 548, kTop = 8, kRow = 17, kBar = 11, kAxisSpace = 30;
constexpr double kCap = 3;

double x_at(double r) {
  return kPlotLeft + (std::clamp(r, -1.0, 1.0) + 1) / 2 * (kPlotRight - kPlotLeft);
}

// "0.42", "−0.173": three significant digits with a true minus sign.
std::string signed_text(double r) {
  return r < 0 ? "&#8722;" + readable_number(-r) : readable_number(r);
}

std::string bar_class(const numerics::RankIndex& x) {
  if (x.negligible) return "tornado-bar negligible";
  return x.prcc < 0 ? "tornado-bar negative" : "tornado-bar positive";
}

}  // namespace

std::vector<std::size_t> strongest_inputs(const mc::RankedOutput& output, std::size_t most) {
  std::vector<std::size_t> k;
  for (std::size_t j = 0; j < output.ranks.inputs.size(); ++j)
    if (output.ranks.inputs[j].excluded == numerics::Excluded::no) k.push_back(j);
  std::stable_sort(k.begin(), k.end(), [&](std::size_t a, std::size_t b) {
    return std::fabs(output.ranks.inputs[a].prcc) > std::fabs(output.ranks.inputs[b].prcc);
  });
  if (k.size() > most) k.resize(most);
  return k;
}

std::string tornado_chart(const mc::McSensitivity& s, const mc::RankedOutput& output,
                          const std::string& what) {
  const std::vector<std::size_t> bars = strongest_inputs(output);
  if (bars.empty()) return "";
  const double plot_bottom = kTop + kRow * static_cast<double>(bars.size());
  const double height = plot_bottom + kAxisSpace;
  std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"tornado\" viewBox=\"0 0 " +
                    svg_coord(kWidth) + " " + svg_coord(height) + "\" width=\"" +
                    svg_coord(kWidth) + "\" height=\"" + svg_coord(height) +
                    "\" role=\"img\" aria-label=\"Partial rank correlation of the " +
                    std::to_string(bars.size()) + " most influential inputs on " + what + "\">";
  for (const double r : {-1.0, -0.5, 0.0, 0.5, 1.0}) {
    const std::string x = svg_coord(x_at(r));
    svg += "<line class=\"" + std::string(r == 0 ? "zero" : "grid") + "\" x1=\"" + x + "\" x2=\"" +
           x + "\" y1=\"" + svg_coord(kTop - 4) + "\" y2=\"" + svg_coord(plot_bottom) +
           "\"/><text class=\"tick\" x=\"" + x + "\" y=\"" + svg_coord(plot_bottom + 12) +
           "\" text-anchor=\"middle\">" + (r < 0 ? "&#8722;" + exact_number(-r) : exact_number(r)) +
           "</text>";
  }
  svg += "<text class=\"axis-label\" x=\"" + svg_coord((kPlotLeft + kPlotRight) / 2) + "\" y=\"" +
         svg_coord(plot_bottom + 26) +
         "\" text-anchor=\"middle\">Partial rank correlation (PRCC) with 95 % interval</text>";
  for (std::size_t row = 0; row < bars.size(); ++row) {
    const std::size_t j = bars[row];
    const numerics::RankIndex& x = output.ranks.inputs[j];
    const std::string label = html_text(s.inputs[output.inputs[j]].label);
    const std::string title = label + " on " + what + ": PRCC " + signed_text(x.prcc) +
                              " (95 % interval " + signed_text(x.prcc_lower) + " to " +
                              signed_text(x.prcc_upper) + "), Spearman " + signed_text(x.spearman) +
                              (x.negligible ? "; negligible" : "");
    const double top = kTop + kRow * static_cast<double>(row), mid = top + kRow / 2;
    const std::string text_y = svg_coord(mid + 4);
    const double left = std::min(x_at(0), x_at(x.prcc));
    const double width = std::max(std::fabs(x_at(x.prcc) - x_at(0)), 1.0);
    const std::string lo = svg_coord(x_at(x.prcc_lower)), hi = svg_coord(x_at(x.prcc_upper));
    svg += "<g class=\"row\"><text class=\"row-label\" x=\"" + svg_coord(kLabelEnd) + "\" y=\"" +
           text_y + "\" text-anchor=\"end\">" + label + "</text><rect class=\"" + bar_class(x) +
           "\" x=\"" + svg_coord(left) + "\" y=\"" + svg_coord(mid - kBar / 2) + "\" width=\"" +
           svg_coord(width) + "\" height=\"" + svg_coord(kBar) + "\"><title>" + title +
           "</title></rect><path class=\"whisker\" d=\"M" + lo + " " + svg_coord(mid) + "H" + hi +
           "M" + lo + " " + svg_coord(mid - kCap) + "V" + svg_coord(mid + kCap) + "M" + hi + " " +
           svg_coord(mid - kCap) + "V" + svg_coord(mid + kCap) + "\"><title>" + title +
           "</title></path><text class=\"value" + std::string(x.negligible ? " negligible" : "") +
           "\" x=\"" + svg_coord(kValueLeft) + "\" y=\"" + text_y + "\">" + signed_text(x.prcc) +
           (x.negligible ? " (negligible)" : "") + "</text></g>\n";
  }
  return svg + "</svg>\n";
}

std::string tornado_legend() {
  std::string s =
      "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"legend\" viewBox=\"0 0 680 22\" "
      "width=\"680\" height=\"22\" role=\"img\" aria-label=\"Legend of the tornado charts\">";
  const char* entries[][2] = {{"tornado-bar positive", "raises the output (PRCC above 0)"},
                              {"tornado-bar negative", "lowers it (PRCC below 0)"},
                              {"tornado-bar negligible", "negligible"}};
  double x = 0;
  for (const auto& [css, text] : entries) {
    s += "<rect class=\"" + std::string(css) + "\" x=\"" + svg_coord(x) +
         "\" y=\"5\" width=\"22\" height=\"11\"/><text x=\"" + svg_coord(x + 28) + "\" y=\"15\">" +
         text + "</text>";
    x += 230;
  }
  return s + "</svg>\n";
}

}  // namespace vorn
