#include "export/share_chart.hpp"

#include <algorithm>
#include <cmath>

#include "export/html_text.hpp"
#include "export/readable_number.hpp"
#include "export/svg_text.hpp"

namespace vorn {
namespace {

constexpr double kWidth = 680;
constexpr double kLabelEnd = 238;
constexpr double kPlotLeft = 246;
constexpr double kPlotRight = 586;
constexpr double kValueLeft = 594;
constexpr double kTop = 6;
constexpr double kRow = 17;
constexpr double kBar = 11;
constexpr double kAxisSpace = 40;
constexpr std::size_t kShownBars = 12;
constexpr std::size_t kLabelChars = 36;
constexpr std::size_t kListedNames = 20;

std::string short_label(const std::string& name) {
  if (name.size() <= kLabelChars) return html_text(name);
  return html_text(name.substr(0, kLabelChars - 1)) + "&#8230;";
}

// Up to kListedNames names joined by semicolons (names hold commas), then how many more.
std::string name_list(const std::vector<const ShareItem*>& items) {
  std::string s;
  for (std::size_t k = 0; k < items.size() && k < kListedNames; ++k) {
    if (k > 0) s += "; ";
    s += html_text(items[k]->name);
  }
  if (items.size() > kListedNames)
    s += " and " + std::to_string(items.size() - kListedNames) + " more";
  return s;
}

struct Bar {
  std::string label;  // HTML-safe
  std::string full;   // HTML-safe, for the title
  double value;
};

std::string bars_svg(const ShareChart& chart, const std::vector<Bar>& bars) {
  const double plot_bottom = kTop + kRow * static_cast<double>(bars.size());
  const double height = plot_bottom + kAxisSpace;
  auto x_of = [](double share) { return kPlotLeft + share * (kPlotRight - kPlotLeft); };
  std::string s = "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"shares " + chart.css_class +
                  "\" viewBox=\"0 0 " + svg_coord(kWidth) + " " + svg_coord(height) +
                  "\" width=\"" + svg_coord(kWidth) + "\" height=\"" + svg_coord(height) +
                  "\" role=\"img\" aria-label=\"Share of each chemical in the total " +
                  chart.quantity + "\">\n<g class=\"axis\">\n";
  for (int pct = 0; pct <= 100; pct += 25) {
    const std::string x = svg_coord(x_of(pct / 100.0));
    s += "<line class=\"grid\" x1=\"" + x + "\" x2=\"" + x + "\" y1=\"" + svg_coord(kTop) +
         "\" y2=\"" + svg_coord(plot_bottom + 4) + "\"/><text class=\"tick-label\" x=\"" + x +
         "\" y=\"" + svg_coord(plot_bottom + 15) + "\">" + std::to_string(pct) + "</text>\n";
  }
  s += "<line class=\"baseline\" x1=\"" + svg_coord(kPlotLeft) + "\" x2=\"" +
       svg_coord(kPlotRight) + "\" y1=\"" + svg_coord(plot_bottom) + "\" y2=\"" +
       svg_coord(plot_bottom) + "\"/><text class=\"axis-label\" x=\"" +
       svg_coord((kPlotLeft + kPlotRight) / 2) + "\" y=\"" + svg_coord(plot_bottom + 31) +
       "\">Share of the total " + chart.quantity + " (%)</text>\n</g>\n";
  for (std::size_t k = 0; k < bars.size(); ++k) {
    const Bar& b = bars[k];
    const double share = b.value / chart.total;
    const double row_top = kTop + kRow * static_cast<double>(k);
    const std::string text_y = svg_coord(row_top + kRow / 2 + 4);
    s += "<g class=\"row\"><text class=\"row-label\" x=\"" + svg_coord(kLabelEnd) + "\" y=\"" +
         text_y + "\">" + b.label + "</text><rect class=\"bar\" x=\"" + svg_coord(kPlotLeft) +
         "\" y=\"" + svg_coord(row_top + (kRow - kBar) / 2) + "\" width=\"" +
         svg_coord(x_of(share) - kPlotLeft) + "\" height=\"" + svg_coord(kBar) + "\"><title>" +
         b.full + ": " + exact_number(share * 100) + " % of the total " + chart.quantity + " (" +
         exact_number(b.value) + " of " + exact_number(chart.total) +
         ")</title></rect><text class=\"pct\" x=\"" + svg_coord(kValueLeft) + "\" y=\"" + text_y +
         "\">" + readable_number(share * 100) + " %</text></g>\n";
  }
  s += "</svg>\n";
  return s;
}

}  // namespace

std::string share_chart(const ShareChart& chart) {
  std::string s = "<p class=\"total\">Total " + chart.quantity +
                  " of the stream (all chemicals): " + "<strong>" + readable_number(chart.total) +
                  "</strong></p>\n";

  std::vector<const ShareItem*> unusable, positive, zero;
  for (const ShareItem& item : chart.items) {
    if (!std::isfinite(item.value) || item.value < 0)
      unusable.push_back(&item);
    else if (item.value > 0)
      positive.push_back(&item);
    else
      zero.push_back(&item);
  }
  if (!unusable.empty() || !std::isfinite(chart.total)) {
    s += "<p class=\"no-shares\">No shares are drawn: the " + chart.quantity +
         " of these chemicals is negative or not a finite number: " + name_list(unusable) +
         ".</p>\n";
    return s;
  }
  if (positive.empty()) {
    s += "<p class=\"no-shares\">No chemical has a " + chart.quantity + " above 0.</p>\n";
    return s;
  }

  std::stable_sort(positive.begin(), positive.end(),
                   [](const ShareItem* a, const ShareItem* b) { return a->value > b->value; });
  std::vector<Bar> bars;
  const std::size_t shown = positive.size() <= kShownBars ? positive.size() : kShownBars - 1;
  for (std::size_t k = 0; k < shown; ++k)
    bars.push_back(
        {short_label(positive[k]->name), html_text(positive[k]->name), positive[k]->value});
  if (shown < positive.size()) {
    double rest = 0.0;
    for (std::size_t k = shown; k < positive.size(); ++k) rest += positive[k]->value;
    // The smallest shares, always two or more, share one bar.
    const std::string label = std::to_string(positive.size() - shown) + " other chemicals";
    bars.push_back({label, label, rest});
  }
  s += bars_svg(chart, bars);
  if (!zero.empty())
    s += "<p class=\"zero-shares\">No " + chart.quantity + " (0): " + name_list(zero) + ".</p>\n";
  return s;
}

}  // namespace vorn
