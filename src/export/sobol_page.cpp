// The page of a variance-based sensitivity run: per chemical and for the stream totals, the
// first-order and total Sobol index of every input group as bars with their intervals.
#include <algorithm>

#include "export/html_text.hpp"
#include "export/mc_scenario_text.hpp"
#include "export/page_parts.hpp"
#include "export/readable_number.hpp"
#include "export/scenario_provenance.hpp"
#include "export/svg_text.hpp"
#include "mc/sobol_report.hpp"
#include "vorn/mc_documents.hpp"

namespace vorn {
namespace {

using mc::SobolReport;
using numerics::SobolIndices;

// Okabe-Ito blue and orange, told apart by position (S1 above ST) as well as colour.
constexpr const char* kStyle = R"css(
.sobol .first { fill: #0072b2; }
.sobol .total { fill: #e69f00; }
.sobol .whisker { stroke: #1a1a1a; stroke-width: 1.2; fill: none; }
.sobol .grid { stroke: #e0e0e0; }
.sobol .tick { fill: #555; }
)css";

constexpr double kLabelEnd = 226, kPlotLeft = 234, kPlotRight = 586, kValueLeft = 594;
constexpr double kTop = 8, kGroup = 30, kBar = 10, kAxisSpace = 30;

double x_at(double v) {
  return kPlotLeft + std::clamp(v, 0.0, 1.0) * (kPlotRight - kPlotLeft);
}

std::string signed_text(double v) {
  return v < 0 ? "&#8722;" + readable_number(-v) : readable_number(v);
}

std::string bar(const char* css, const std::string& what, double value, double lower, double upper,
                double y) {
  const std::string title = what + ": " + signed_text(value) + " (95 % interval " +
                            signed_text(lower) + " to " + signed_text(upper) + ")";
  const std::string mid = svg_coord(y + kBar / 2), lo = svg_coord(x_at(lower)),
                    hi = svg_coord(x_at(upper));
  return "<rect class=\"" + std::string(css) + "\" x=\"" + svg_coord(kPlotLeft) + "\" y=\"" +
         svg_coord(y) + "\" width=\"" + svg_coord(std::max(x_at(value) - kPlotLeft, 1.0)) +
         "\" height=\"" + svg_coord(kBar) + "\"><title>" + title +
         "</title></rect><path class=\"whisker\" d=\"M" + lo + " " + mid + "H" + hi + "M" + lo +
         " " + svg_coord(y + 2) + "V" + svg_coord(y + kBar - 2) + "M" + hi + " " +
         svg_coord(y + 2) + "V" + svg_coord(y + kBar - 2) + "\"><title>" + title +
         "</title></path><text x=\"" + svg_coord(kValueLeft) + "\" y=\"" + svg_coord(y + 8) +
         "\">" + signed_text(value) + "</text>";
}

std::string chart(const SobolReport& r, const numerics::SobolIndices& x, const std::string& what) {
  if (x.rows < 2 || !(x.variance > 0))
    return "<p class=\"split\">No variance over the design's rows: nothing to apportion.</p>\n";
  const double bottom = kTop + kGroup * static_cast<double>(x.groups.size());
  const double height = bottom + kAxisSpace;
  std::string s = "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"sobol\" viewBox=\"0 0 680 " +
                  svg_coord(height) + "\" width=\"680\" height=\"" + svg_coord(height) +
                  "\" role=\"img\" aria-label=\"Sobol indices of the inputs on " + what + "\">";
  for (const double v : {0.0, 0.25, 0.5, 0.75, 1.0}) {
    const std::string px = svg_coord(x_at(v));
    s += "<line class=\"grid\" x1=\"" + px + "\" x2=\"" + px + "\" y1=\"" + svg_coord(kTop - 4) +
         "\" y2=\"" + svg_coord(bottom) + "\"/><text class=\"tick\" x=\"" + px + "\" y=\"" +
         svg_coord(bottom + 12) + "\" text-anchor=\"middle\">" + exact_number(v) + "</text>";
  }
  s += "<text x=\"" + svg_coord((kPlotLeft + kPlotRight) / 2) + "\" y=\"" + svg_coord(bottom + 26) +
       "\" text-anchor=\"middle\">Share of the variance: first-order S1, total ST</text>";
  for (std::size_t g = 0; g < x.groups.size() && g < r.groups.size(); ++g) {
    const numerics::SobolIndex& i = x.groups[g];
    const std::string label = html_text(r.groups[g]);
    const double y = kTop + kGroup * static_cast<double>(g);
    s += "<g class=\"group\"><text x=\"" + svg_coord(kLabelEnd) + "\" y=\"" + svg_coord(y + 16) +
         "\" text-anchor=\"end\">" + label + "</text>" +
         bar("first", label + " on " + what + ", S1", i.first, i.first_lower, i.first_upper, y) +
         bar("total", label + " on " + what + ", ST", i.total, i.total_lower, i.total_upper,
             y + kBar + 2) +
         "</g>\n";
  }
  return s + "</svg>\n";
}

// The chemicals' names as the scenario's tables take them.
mc::McSummary names_of(const SobolReport& r) {
  mc::McSummary names;
  for (std::size_t i = 0; i < r.names.size(); ++i) {
    mc::ChemicalSummary one;
    one.index = i + 1;
    one.name = r.names[i];
    one.cas = i < r.cas.size() ? r.cas[i] : "";
    names.chemicals.push_back(std::move(one));
  }
  return names;
}

}  // namespace

std::string sobol_html(const SobolReport& r, const std::string& scenario_json,
                       const PageStamp& stamp) {
  const Provenance provenance =
      scenario_provenance(scenario_json, stamp.date,
                          {"Design", "Saltelli, " + std::to_string(r.base_rows) + " base rows, " +
                                         std::to_string(r.evaluations) + " evaluations"},
                          false);
  const RunningTexts running{
      running_header("Sobol indices", std::to_string(r.evaluations) + " evaluations"),
      running_footer(provenance.identity())};
  std::string s =
      page_head("vorn: Sobol indices", kStyle, running) +
      "<h1>Which inputs matter: Sobol indices</h1>\n<p>" + std::to_string(r.evaluations) +
      " evaluations: a Saltelli design of " + std::to_string(r.base_rows) +
      " base rows, one group per varied input (an input drawn for each chemical is one group). "
      "S1 (blue, upper bar) is the share of the output's variance an input explains alone; ST "
      "(orange, lower bar) its share with every interaction it takes part in. Whiskers: 95 % "
      "intervals from " +
      std::to_string(r.replicates) +
      " bootstrap replicates over base rows, conservative (wide) under the Sobol base. S1 is "
      "Saltelli's (2010) estimator, ST Jansen's. Each chemical's output is its limiting quantity, "
      "the larger of its "
      "two ratios of waste to allowable concentration.</p>\n" +
      provenance_section(provenance) + vary_notes_section(scenario_json, names_of(r));
  for (std::size_t i = 0; i < r.chemicals.size(); ++i) {
    const std::string name = html_text(r.names[i]);
    s += "<details class=\"chemical\" open=\"open\">\n<summary>" + name + " <span class=\"cas\">" +
         html_text(r.cas[i]) + "</span></summary>\n" +
         chart(r, r.chemicals[i], "the limiting ratio of " + name) + "</details>\n";
  }
  s += "<h2>Stream cancer risk <span class=\"code\">RI_TOT</span></h2>\n" +
       chart(r, r.stream_risk, "the stream cancer risk") +
       "<h2>Stream hazard index <span class=\"code\">HI_TOT</span></h2>\n" +
       chart(r, r.stream_hazard, "the stream hazard index");
  return s + page_foot("Every index with its interval is in the JSON and CSV outputs.");
}

}  // namespace vorn
