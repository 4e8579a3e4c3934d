// The page of a nested run. Each variability percentile of a pathway is one row: its
// uncertainty band (5th to 95th percentile over the outer draws) as a bar and the median
// over the draws as a tick, so the rows of one pathway read as nested intervals.
#include <cstring>

#include "export/band_chart.hpp"
#include "export/html_text.hpp"
#include "export/mc_scenario_text.hpp"
#include "export/page_parts.hpp"
#include "export/readable_number.hpp"
#include "export/scenario_provenance.hpp"
#include "export/svg_text.hpp"
#include "mc/mc_summary.hpp"
#include "nested/nested_summary.hpp"
#include "vorn/nested_documents.hpp"
#include "vorn/pathways.hpp"

namespace vorn {
namespace {

using nested::Band;
using nested::ChemicalBands;
using nested::NestedSummary;
using nested::QuantityBands;

constexpr const char* kStyle = R"css(
.band { fill: #0072b2; fill-opacity: .35; }
.mid { stroke: #1a1a1a; stroke-width: 2; }
.deterministic { fill: #fff; stroke: #1a1a1a; stroke-width: 1.2; }
body { max-width: 900px; }
.ci { color: #555; font-size: .88em; }
@media print {
  details.chemical { break-inside: auto; }
  body details.chemical svg { width: 80%; }
  body details.chemical svg text { font-size: 11px; }
}
)css";

std::string band_text(const Band& b, bool allowable) {
  auto one = [&](double v) { return allowable ? allowable_text(v) : readable_number(v); };
  return one(b.at[1]) + "<br/><span class=\"ci\">90 % band " + one(b.at[0]) + " to " +
         one(b.at[2]) + "</span>";
}

// A band as the chart's percentile triple: 5th, 50th and 95th over the outer draws.
mc::QuantitySummary band_row(const QuantityBands& q, const Band& b) {
  mc::QuantitySummary s;
  s.name = q.name;
  s.kind = q.kind;
  s.baseline = q.baseline;
  for (std::size_t k = 0; k < b.at.size(); ++k) {
    s.percentiles.push_back({nested::kBandLevels[k], b.at[k], b.at[k], b.at[k]});
    s.min = k == 0 ? b.at[k] : s.min;
    s.max = b.at[k];
  }
  s.count = b.missing == 0 ? 1 : 0;
  s.p_above = q.p_above.at[1];  // the median over the outer draws
  return s;
}

std::string verdict_section(const NestedSummary& m) {
  const std::string pct = exact_number(m.decision_percentile);
  std::string s =
      "<section id=\"verdict\">\n<h2>Verdict at p" + pct +
      "</h2>\n<p>Each value is the median over the " + std::to_string(m.outer) +
      " outer draws of the uncertain inputs, with the band from their 5th to 95th "
      "percentile. A chemical is exceeded in an outer draw when P(exceeded) &gt; " +
      exact_number(100 - m.decision_percentile) +
      " %; the last column gives the share of outer draws in which it is.</p>\n"
      "<table>\n<thead>\n<tr><th>Chemical</th><th>P(exceeded)</th><th>TCLPMAX at p" +
      pct + "</th><th>Leachate</th><th>SF_MAX at p" + pct +
      "</th><th>Waste</th><th>Verdict at the median</th><th>Exceeded in</th></tr>\n</thead>\n"
      "<tbody>\n";
  for (std::size_t i = 0; i < m.chemicals.size(); ++i) {
    const ChemicalBands& c = m.chemicals[i];
    s += "<tr><td>" + html_text(c.name) + " <span class=\"cas\">" + html_text(c.cas) +
         "</span></td><td class=\"num\">" + band_text(c.p_exceeded, false) +
         "</td><td class=\"num\">" + band_text(c.gw_allowable, true) + "</td><td class=\"num\">" +
         readable_number(m.gw_waste[i]) + "</td><td class=\"num\">" +
         band_text(c.sf_allowable, true) + "</td><td class=\"num\">" +
         readable_number(m.sf_waste[i]) + "</td>" + verdict_cell(c.exceeded[1], "not exceeded") +
         "<td class=\"num\">" + readable_number(c.exceeded_share * 100) + " %</td></tr>\n";
  }
  return s + "</tbody>\n</table>\n</section>\n";
}

const QuantityBands* quantity(const ChemicalBands& c, const char* name) {
  for (const QuantityBands& q : c.quantities)
    if (std::strcmp(q.name, name) == 0) return &q;
  return nullptr;
}

std::string pathway_chart(const NestedSummary& m, const ChemicalBands& c, bool risk,
                          std::vector<mc::QuantitySummary>& rows) {
  BandChart chart = pathway_chart_frame(risk, m.target_risk, m.target_hazard);
  rows.clear();
  std::vector<std::string> labels;
  for (const Pathway& p : kPathwayTable) {
    const QuantityBands* q = quantity(c, risk ? p.risk_slot : p.hq_slot);
    if (q == nullptr) continue;
    for (std::size_t k = 0; k < q->percentiles.size(); ++k) {
      rows.push_back(band_row(*q, q->percentiles[k]));
      labels.push_back(std::string(p.label) + " p" + exact_number(m.percentiles[k]));
    }
  }
  for (std::size_t r = 0; r < rows.size(); ++r) chart.rows.push_back({labels[r], &rows[r]});
  return band_chart(chart);
}

}  // namespace

std::string nested_html(const NestedSummary& m, const std::string& scenario_json,
                        const PageStamp& stamp) {
  std::size_t exceeded = 0;
  for (const ChemicalBands& c : m.chemicals) exceeded += c.exceeded[1];
  const std::string what = std::to_string(m.chemicals.size()) + " chemicals, " +
                           std::to_string(m.outer) + " outer draws of " + std::to_string(m.inner) +
                           " realizations";
  const std::string verdict = std::to_string(exceeded) + " of " +
                              std::to_string(m.chemicals.size()) +
                              " chemicals exceeded at the median over uncertainty";
  const Provenance provenance = scenario_provenance(
      scenario_json, stamp.date,
      {"Realizations", std::to_string(m.outer) + " outer draws of " + std::to_string(m.inner)},
      true);
  const RunningTexts running{
      running_header(
          "Nested Monte Carlo, " + std::to_string(m.outer) + " \xC3\x97 " + std::to_string(m.inner),
          (exceeded == 0 ? "\xE2\x9C\x93 " : "\xE2\x9C\x96 ") + verdict),
      running_footer(provenance.identity())};
  // The scenario's tables name chemicals from a summary: one with the names and the count.
  mc::McSummary names;
  names.realizations = m.outer * m.inner;
  for (const ChemicalBands& c : m.chemicals) {
    mc::ChemicalSummary one;
    one.index = c.index;
    one.name = c.name;
    one.cas = c.cas;
    names.chemicals.push_back(std::move(one));
  }
  std::string s = page_head("vorn: nested Monte Carlo, " + what, kStyle, running) +
                  "<h1>Variability and uncertainty</h1>\n<p>" + what + ". " + verdict + ".</p>\n" +
                  provenance_section(provenance) + verdict_section(m) +
                  vary_notes_section(scenario_json, names);
  s += "<section id=\"chemicals\">\n<h2>Pathways per chemical</h2>\n<p>One row per pathway and "
       "variability percentile: the bar spans the 5th to 95th percentile of that percentile "
       "over the outer draws, the tick is their median; on the right, the median share of "
       "realizations above the target.</p>\n" +
       band_legend({5, 50, 95});
  std::vector<mc::QuantitySummary> rows;
  for (const ChemicalBands& c : m.chemicals) {
    s += "<details class=\"chemical\" open=\"open\">\n<summary>" + html_text(c.name) +
         " <span class=\"cas\">" + html_text(c.cas) + "</span></summary>\n<h4>Cancer risk</h4>\n" +
         pathway_chart(m, c, true, rows) + "<h4>Hazard quotient</h4>\n" +
         pathway_chart(m, c, false, rows) + "</details>\n";
  }
  s += "</section>\n" + scenario_section(scenario_json, names);
  return s + page_foot("Nested probabilistic run.");
}

}  // namespace vorn
