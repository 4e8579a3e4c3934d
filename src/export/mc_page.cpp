// The page of a probabilistic run: the verdict at the decision percentile, the spread of
// every pathway's risk and hazard quotient, and how the decision settled as realizations
// were added.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "export/band_chart.hpp"
#include "export/html_text.hpp"
#include "export/mc_scenario_text.hpp"
#include "export/mc_sensitivity_page.hpp"
#include "export/page_parts.hpp"
#include "export/readable_number.hpp"
#include "export/scenario_provenance.hpp"
#include "export/svg_text.hpp"
#include "numerics/distribution.hpp"
#include "numerics/quantile_sketch.hpp"
#include "scenario/scenario_json.hpp"
#include "vorn/mc_documents.hpp"
#include "vorn/pathways.hpp"

namespace vorn {
namespace {

using mc::ChemicalSummary;
using mc::McSummary;

// Beyond this many chemicals the per-chemical charts and tables start folded.
constexpr std::size_t kOpenUpTo = 20;
// A percentile of allowables read back from the sketch lies within its accuracy of the
// values counted, so one within twice that below NOT_COMPUTED is the sentinel.
constexpr double kSentinelTolerance = 2 * numerics::QuantileSketch::kRelativeAccuracy;

constexpr const char* kStyle = R"css(
.band { fill: #0072b2; fill-opacity: .35; }
.mid { stroke: #1a1a1a; stroke-width: 2; }
.deterministic { fill: #fff; stroke: #1a1a1a; stroke-width: 1.2; }
body { max-width: 900px; }
.ci, .split { color: #555; font-size: .88em; }
.not-assessed { background: #fff2cc; font-weight: bold; }
.undetermined { background: #fff2cc; }
.off-scale { fill: #8a3000; font-weight: bold; }
table.convergence { width: auto; margin: .3em 0 .8em; }
)css";

// "90th", "1st", "99.5th".
std::string ordinal(double q) {
  const std::string n = exact_number(q);
  if (q != std::floor(q) || (std::fmod(q, 100) >= 11 && std::fmod(q, 100) <= 13)) return n + "th";
  switch (static_cast<int>(std::fmod(q, 10))) {
    case 1:
      return n + "st";
    case 2:
      return n + "nd";
    case 3:
      return n + "rd";
    default:
      return n + "th";
  }
}

std::string percent(double share) {
  return readable_number(share * 100) + " %";
}

std::string allowable(double v) {
  return allowable_text(v, kSentinelTolerance);
}

// An allowable at the decision percentile with its 95 % confidence interval.
std::string allowable_cell(const mc::PercentileValue& p) {
  const std::string value = allowable(p.value), lower = allowable(p.lower);
  if (value == "no limit" && lower == "no limit") return "<td class=\"num\">no limit</td>";
  return "<td class=\"num\">" + value + "<br/><span class=\"ci\">95 % CI " + lower + " to " +
         allowable(p.upper) + "</span></td>";
}

// `assessed`: some realization completed for the chemical. An undetermined verdict says
// how many more realizations would settle it at this estimate.
std::string decision_verdict(bool assessed, const mc::Decision& d) {
  if (!assessed)
    return "<td class=\"verdict not-assessed\">&#9888; not assessed: no realization "
           "completed</td>";
  if (d.verdict != mc::Verdict::undetermined)
    return verdict_cell(d.verdict == mc::Verdict::exceeded, "not exceeded");
  return "<td class=\"verdict undetermined\">? undetermined<br/><span class=\"split\">" +
         (d.to_settle ? "about " + std::to_string(*d.to_settle) +
                            " more realizations would settle it at this estimate"
                      : std::string("cannot be settled at this estimate")) +
         "</span></td>";
}

std::size_t verdict_count(const McSummary& m, mc::Verdict v) {
  std::size_t n = 0;
  for (const ChemicalSummary& c : m.chemicals) n += c.completed > 0 && c.decision.verdict == v;
  return n;
}

std::string share_interval_text(const numerics::ShareInterval& i) {
  return "<span class=\"ci\">95 % CI " + percent(i.lower) + " to " + percent(i.upper) + "</span>";
}

std::string failures_text(const ChemicalSummary& c) {
  std::string s = percent(c.failure_share);
  if (c.failures.empty()) return s;
  s += "<br/><span class=\"split\">";
  for (std::size_t k = 0; k < c.failures.size(); ++k)
    s += (k ? "; " : "") + html_text(c.failures[k].first) + ": " +
         std::to_string(c.failures[k].second);
  return s + "</span>";
}

// The waste concentration cell of chemical i for `field`: the value read, or where the
// scenario replaces it, "varied" with the median of its last replacing distribution (none
// when a factor applies after that).
std::string waste_cell(const scenario::ResolvedScenario& sc, std::size_t i, const char* field,
                       double read) {
  const scenario::ResolvedVary* replaced = nullptr;
  bool scaled_after = false;
  for (const scenario::ResolvedVary& v : sc.vary) {
    const bool applies =
        v.field == field &&
        (v.selector == scenario::SelectorKind::all || v.selector == scenario::SelectorKind::each ||
         (v.selector == scenario::SelectorKind::index && v.chemical == i));
    if (!applies) continue;
    if (v.mode == scenario::VaryMode::value) {
      replaced = &v;
      scaled_after = false;
    } else {
      scaled_after = replaced != nullptr;
    }
  }
  if (replaced == nullptr) return "<td class=\"num\">" + readable_number(read) + "</td>";
  std::string text = "varied";
  if (!scaled_after)
    text += " (median " +
            readable_number(
                numerics::Distribution(replaced->family, replaced->parameters).quantile(0.5)) +
            ")";
  return "<td class=\"num varied\">" + text + "</td>";
}

std::string verdict_section(const McSummary& m, const scenario::ResolvedScenario& sc,
                            double decision_percentile) {
  const std::string sf_unit = m.landfill ? "mg/kg" : "mg/L";
  const std::string pct = exact_number(decision_percentile);
  const std::string lower = exact_number(100 - decision_percentile);
  std::string s =
      "<section id=\"verdict\">\n<h2>Verdict at the " + ordinal(decision_percentile) +
      " percentile</h2>\n<p>P(exceeded) is the share of the completed realizations in which "
      "the waste concentration exceeds the groundwater or the surface limit, with its 95 % "
      "Wilson interval. A chemical is exceeded at the " +
      ordinal(decision_percentile) + " percentile when the whole interval lies above " + lower +
      " %, not exceeded when it lies at or below " + lower +
      " %, and undetermined while it holds " + lower +
      " %: more realizations would then be needed to tell. The allowable concentration at the " +
      ordinal(decision_percentile) + " percentile is the " + ordinal(100 - decision_percentile) +
      " percentile of the realizations' allowable concentrations: " + pct +
      " % of them are higher. The waste concentrations are those read (and floored); where "
      "the scenario varies them, each realization compares its own, and where it replaces "
      "them the table shows the median of the distribution that does.</p>\n";
  s += "<table class=\"verdicts\">\n<thead>\n<tr><th rowspan=\"2\">Chemical</th>"
       "<th rowspan=\"2\">P(exceeded)</th><th rowspan=\"2\">Failed</th>"
       "<th colspan=\"2\">Groundwater</th><th colspan=\"2\">Surface</th>"
       "<th rowspan=\"2\">Verdict at p" +
       pct +
       "</th></tr>\n"
       "<tr><th>TCLP (mg/L)</th><th>Max. allowable TCLP <span class=\"code\">TCLPMAX</span> "
       "(mg/L)</th><th>" +
       std::string(m.landfill ? "Total" : "TCLP") + " (" + sf_unit +
       ")</th><th>Max. allowable <span class=\"code\">SF_MAX</span> (" + sf_unit +
       ")</th></tr>\n</thead>\n<tbody>\n";
  for (const ChemicalSummary& c : m.chemicals) {
    const mc::Decision& d = c.decision;
    s += std::string("<tr") +
         (c.completed > 0 && d.verdict == mc::Verdict::exceeded ? " class=\"exceeds\"" : "") +
         "><td>" + html_text(c.name) + "<br/><span class=\"cas\">" + html_text(c.cas) +
         "</span></td><td class=\"num\">" + percent(d.p_exceeded) + "<br/>" +
         share_interval_text(d.p_interval) + "<br/><span class=\"split\">groundwater " +
         percent(c.p_gw_exceeded) + ", surface " + percent(c.p_sf_exceeded) +
         "</span></td><td class=\"num\">" + failures_text(c) + "</td>" +
         waste_cell(sc, c.index - 1, "TCLPCONC", c.gw_waste) + allowable_cell(d.gw_allowable) +
         waste_cell(sc, c.index - 1, m.landfill ? "TOTC" : "TCLPCONC", c.sf_waste) +
         allowable_cell(d.sf_allowable) + decision_verdict(c.completed > 0, d) + "</tr>\n";
  }
  return s + "</tbody>\n</table>\n</section>\n";
}

const mc::QuantitySummary* quantity(const ChemicalSummary& c, const char* name) {
  for (const mc::QuantitySummary& q : c.quantities)
    if (std::strcmp(q.name, name) == 0) return &q;
  return nullptr;
}

BandChart pathway_bands(const McSummary& m, const ChemicalSummary& c, bool risk) {
  BandChart chart = pathway_chart_frame(risk, m.target_risk, m.target_hazard);
  chart.group_break = kSurfacePathwayCount;
  for (const Pathway& p : kPathwayTable)
    if (const mc::QuantitySummary* q = quantity(c, risk ? p.risk_slot : p.hq_slot))
      chart.rows.push_back({p.label, q});
  return chart;
}

std::string chemicals_section(const McSummary& m, const std::vector<double>& percentiles,
                              const std::string& pct) {
  const bool open = m.chemicals.size() <= kOpenUpTo;
  std::string s =
      "<section id=\"chemicals\">\n<h2>Pathways per chemical</h2>\n<p>The spread of the cancer "
      "risk and the hazard quotient of each of the nine pathways over the completed "
      "realizations, on a logarithmic axis: the requested percentiles as nested bands, the "
      "deterministic run's value, the target as a dashed line. Surface pathways come first, "
      "then groundwater (GW).";
  if (!open) s += " Open a chemical to see its charts.";
  s += "</p>\n" + band_legend(percentiles);
  for (const ChemicalSummary& c : m.chemicals) {
    s += "<details class=\"chemical\" id=\"chemical-" + std::to_string(c.index) + "\"" +
         (open ? " open=\"open\"" : "") + ">\n<summary>" + html_text(c.name) +
         " <span class=\"cas\">" + html_text(c.cas) + "</span>";
    if (c.completed > 0 && c.decision.verdict == mc::Verdict::exceeded)
      s += "<span class=\"badge exceeded\">&#10006; exceeded at p" + pct + "</span>";
    else if (c.completed > 0 && c.decision.verdict == mc::Verdict::undetermined)
      s += "<span class=\"badge\">? undetermined at p" + pct + "</span>";
    s += "</summary>\n<h4>Cancer risk by pathway</h4>\n" + band_chart(pathway_bands(m, c, true)) +
         "<h4>Hazard quotient by pathway</h4>\n" + band_chart(pathway_bands(m, c, false)) +
         "</details>\n";
  }
  return s + "</section>\n";
}

std::string convergence_section(const McSummary& m, const std::string& pct) {
  const bool open = m.chemicals.size() <= kOpenUpTo;
  std::string s =
      "<section id=\"convergence\">\n<h2>Convergence</h2>\n<p>The decision at p" + pct +
      " from the first N realizations, at every power of two, with P(exceeded)'s 95 % interval: "
      "where the allowable concentrations and P(exceeded) no longer move and the verdict is "
      "settled, more realizations change nothing.</p>\n";
  for (std::size_t i = 0; i < m.chemicals.size(); ++i) {
    const ChemicalSummary& c = m.chemicals[i];
    s += "<details class=\"convergence\"" + std::string(open ? " open=\"open\"" : "") +
         ">\n<summary>" + html_text(c.name) + " <span class=\"cas\">" + html_text(c.cas) +
         "</span></summary>\n<table class=\"convergence\" data-chemical=\"" +
         std::to_string(c.index) +
         "\">\n<thead>\n<tr><th>N</th><th>P(exceeded)</th><th>TCLPMAX</th><th>SF_MAX</th>"
         "<th>Verdict</th></tr>\n</thead>\n<tbody>\n";
    for (const mc::ConvergenceRow& row : m.convergence) {
      if (i >= row.chemicals.size()) continue;
      const mc::Decision& d = row.chemicals[i];
      s += "<tr><td class=\"num\">" + std::to_string(row.realizations) + "</td><td class=\"num\">" +
           percent(d.p_exceeded) + "<br/>" + share_interval_text(d.p_interval) + "</td>" +
           allowable_cell(d.gw_allowable) + allowable_cell(d.sf_allowable) +
           decision_verdict(!std::isnan(d.gw_allowable.value), d) + "</tr>\n";
    }
    s += "</tbody>\n</table>\n</details>\n";
  }
  return s + "</section>\n";
}

std::string stream_fact(const char* label, const mc::QuantitySummary& q) {
  return "<tr><th scope=\"row\">" + std::string(label) + "</th><td>deterministic " +
         readable_number(q.baseline) + "; above the target in " + percent(q.p_above) + " (" +
         share_interval_text(q.p_above_interval) +
         ") of the realizations in which every chemical completed</td></tr>\n";
}

}  // namespace

std::string mc_html(const McSummary& m, const std::string& scenario_json,
                    double decision_percentile, const PageStamp& stamp,
                    const mc::McSensitivity* sensitivity) {
  const std::string pct = exact_number(decision_percentile);
  std::vector<double> percentiles;
  if (!m.chemicals.empty() && !m.chemicals.front().quantities.empty())
    for (const mc::PercentileValue& p : m.chemicals.front().quantities.front().percentiles)
      percentiles.push_back(p.q);
  std::sort(percentiles.begin(), percentiles.end());

  const std::size_t exceeded = verdict_count(m, mc::Verdict::exceeded);
  const std::size_t undetermined = verdict_count(m, mc::Verdict::undetermined);
  const std::string what = std::to_string(m.chemicals.size()) +
                           (m.chemicals.size() == 1 ? " chemical, " : " chemicals, ") +
                           std::to_string(m.realizations) + " realizations";
  const std::string at = " at the " + ordinal(decision_percentile) + " percentile";
  const std::string verdict =
      (exceeded == 0 ? "No chemical exceeded" + at
                     : std::to_string(exceeded) + " of " + std::to_string(m.chemicals.size()) +
                           " chemicals exceeded" + at) +
      (undetermined == 0 ? "" : ", " + std::to_string(undetermined) + " undetermined");
  const Provenance provenance = scenario_provenance(
      scenario_json, stamp.date, {"Realizations", std::to_string(m.realizations)}, true);
  const RunningTexts running{
      running_header("Monte Carlo, " + std::to_string(m.realizations) + " realizations",
                     (exceeded != 0       ? "\xE2\x9C\x96 "
                      : undetermined != 0 ? "? "
                                          : "\xE2\x9C\x93 ") +
                         verdict),
      running_footer(provenance.identity())};
  std::string s = page_head("vorn: Monte Carlo, " + what,
                            std::string(kStyle) + (sensitivity ? kTornadoStyle : ""), running) +
                  "<h1>Probabilistic waste-stream risk assessment</h1>\n<p>" + what + ". ";
  if (exceeded == 0 && undetermined == 0)
    s += "<span class=\"outcome\">&#10003; " + verdict + "</span>";
  else if (exceeded == 0)
    s += "<span class=\"outcome\">? " + verdict + "</span>";
  else
    s += "<span class=\"outcome exceeded\">&#10006; " + verdict + "</span>";
  s += "</p>\n" + provenance_section(provenance) +
       "<section id=\"run\">\n<h2>Realizations</h2>\n<table class=\"facts\">\n<tbody>\n"
       "<tr><th scope=\"row\">Completed for every chemical</th><td>" +
       std::to_string(m.all_completed) + " of " + std::to_string(m.realizations) +
       "</td></tr>\n<tr><th scope=\"row\">Failed for the unit</th><td>" +
       std::to_string(m.unit_failed);
  for (const auto& [reason, n] : m.unit_failures)
    s += "; " + html_text(reason) + ": " + std::to_string(n);
  s += "</td></tr>\n<tr><th scope=\"row\">Target cancer risk</th><td>" +
       readable_number(m.target_risk) +
       "</td></tr>\n<tr><th scope=\"row\">Target hazard quotient</th><td>" +
       readable_number(m.target_hazard) + "</td></tr>\n" +
       stream_fact("Stream cancer risk", m.stream_risk) +
       stream_fact("Stream hazard index", m.stream_hazard) + "</tbody>\n</table>\n</section>\n";
  s += verdict_section(m, scenario::from_json(scenario_json), decision_percentile) +
       vary_notes_section(scenario_json, m) + chemicals_section(m, percentiles, pct);
  if (sensitivity) s += sensitivity_section(m, *sensitivity, m.chemicals.size() <= kOpenUpTo);
  s += convergence_section(m, pct) + scenario_section(scenario_json, m);
  return s + page_foot("Every statistic at full precision is in the JSON and CSV outputs.");
}

}  // namespace vorn
