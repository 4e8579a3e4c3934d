#include "vorn/results_html.hpp"

#include <cstddef>

#include "core/text.hpp"
#include "export/html_text.hpp"
#include "export/log_bar_chart.hpp"
#include "export/share_chart.hpp"
#include "export/svg_text.hpp"
#include "limits/pathway_names.hpp"
#include "pathways/pathway_list.hpp"
#include "vorn/records.hpp"
#include "vorn/version.hpp"

namespace vorn {
namespace {

// Beyond this many chemicals the per-chemical charts start folded.
constexpr std::size_t kOpenChartsUpTo = 20;

constexpr const char* kStyle = R"css(
:root { color: #1a1a1a; background: #fff; }
body { font: 14px/1.45 "DejaVu Sans", "Liberation Sans", Arial, sans-serif; max-width: 720px;
       margin: 1.5em auto; padding: 0 1em; }
h1 { font-size: 1.45em; margin: 0 0 .3em; }
h2 { font-size: 1.2em; border-bottom: 1px solid #bbb; margin: 1.6em 0 .5em; }
h3 { font-size: 1.05em; margin: 1.1em 0 .3em; }
h4 { font-size: .92em; margin: .7em 0 .1em; font-weight: normal; }
p { margin: .4em 0; }
table { border-collapse: collapse; width: 100%; font-size: 11.5px; }
th, td { border: 1px solid #bbb; padding: 2px 5px; text-align: left; vertical-align: top; }
thead th { background: #f0f0f0; }
table.facts { width: auto; font-size: 13px; }
table.facts th { background: none; font-weight: normal; color: #444; }
td.num, td.limit { text-align: right; }
td.num, .limit .value { white-space: nowrap; font-variant-numeric: tabular-nums; }
.via { font-size: .92em; }
.cas, .code { color: #555; font-size: .88em; }
.code { font-family: "DejaVu Sans Mono", "Liberation Mono", monospace; }
.verdict { white-space: nowrap; }
.exceeded { background: #fbe0cf; color: #8a3000; font-weight: bold; }
.ok { color: #00614a; }
.outcome { font-size: 1.05em; padding: .3em .6em; border: 1px solid #bbb; display: inline-block; }
.outcome.failed { border-color: #8a3000; }
svg { max-width: 100%; height: auto; display: block; }
svg text { font-size: 11px; fill: #1a1a1a; }
.row-label { text-anchor: end; }
.tick-label, .axis-label, .target-label { text-anchor: middle; }
.axis-label, .target-label { font-size: 10px; }
.axis-label { fill: #444; }
.grid { stroke: #e2e2e2; }
.tick, .baseline { stroke: #555; }
.bar { fill: #0072b2; }
.bar.over { fill: #d55e00; }
.value.over { font-weight: bold; fill: #8a3000; }
.target-line { stroke: #000; stroke-width: 1.5; stroke-dasharray: 4 3; }
.na { fill: #6b6b6b; font-style: italic; }
.not-drawn { fill: #8a3000; font-style: italic; }
.group-rule { stroke: #bbb; stroke-dasharray: 2 2; }
details.chemical { border: 1px solid #ccc; margin: .6em 0; padding: .2em .7em .5em; }
details.chemical summary { cursor: pointer; font-weight: bold; padding: .2em 0; }
.badge { font-size: .85em; padding: 0 .4em; margin-left: .4em; }
pre { background: #f5f5f5; padding: .5em; white-space: pre-wrap; }
footer { margin-top: 2em; color: #666; font-size: .85em; }
@page { size: A4; margin: 14mm; }
@media print {
  body { max-width: none; margin: 0; padding: 0; }
  details.chemical, tr, svg { break-inside: avoid; }
}
)css";

std::string name_of(const Chemical& c) {
  return std::string(trim_blanks(c.CHEMNAME));
}
std::string cas_of(const Chemical& c) {
  return std::string(trim_blanks(c.CHEMCAS));
}

std::string head(const std::string& title) {
  return "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">\n<head>\n"
         "<meta charset=\"utf-8\"/>\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"/>\n<title>" +
         title + "</title>\n<style>" + kStyle + "</style>\n</head>\n<body>\n";
}

std::string foot() {
  return std::string("<footer>Written by vorn ") + kVersion +
         ". The full tables are in VORN.OUT.</footer>\n</body>\n</html>\n";
}

std::string unit_type(const WasteUnit& u) {
  if (u.is_landfill()) return "Landfill (LF)";
  if (u.is_impoundment()) return "Surface impoundment (SI)";
  return html_text(u.WU_WMUTYPE);
}

std::string volume_unit(int unit) {
  switch (unit) {
    case 0:
      return "cubic yards";
    case 1:
      return "cubic feet";
    case 2:
      return "cubic metres";
    default:
      return "(unit " + std::to_string(unit) + ")";
  }
}

std::string fact(const std::string& label, const std::string& value) {
  return "<tr><th scope=\"row\">" + label + "</th><td>" + value + "</td></tr>\n";
}

std::string unit_section(const Results& r) {
  const WasteUnit& u = r.unit;
  return "<section id=\"unit\">\n<h2>Waste management unit</h2>\n<table "
         "class=\"facts\">\n<tbody>\n" +
         fact("Site key", std::to_string(u.WU_SITEKEY)) + fact("Unit type", unit_type(u)) +
         fact("Waste volume",
              report_number(u.WU_WASTEVOL) + " " + volume_unit(u.WU_VOLUNIT) + " per year") +
         fact("Active life", report_number(u.WU_ACTLIFE) + " years") +
         fact("Target cancer risk", report_number(u.WU_RISKFACT)) +
         fact("Target hazard quotient", report_number(u.WU_HQFACT)) +
         fact("DAF scale factor", report_number(r.DAF_SCALE)) +
         fact("Chemicals", std::to_string(r.chemicals.size())) + "</tbody>\n</table>\n</section>\n";
}

std::string verdict_cell(bool exceeded) {
  return exceeded ? "<td class=\"verdict exceeded\">&#10006; EXCEEDED</td>"
                  : "<td class=\"verdict ok\">&#10003; within</td>";
}

// An allowable concentration with the pathway that sets it.
std::string limit_cell(double allowable, const char* readable, const char* code) {
  std::string s = "<td class=\"limit\"><span class=\"value\">" + report_number(allowable) +
                  "</span><br/><span class=\"via\">";
  if (allowable >= NOT_COMPUTED)
    s += "no limit computed";
  else
    s += std::string(readable) + " <span class=\"code\">" + code + "</span>";
  return s + "</span></td>";
}

std::string verdict_section(const Results& r) {
  const bool landfill = r.unit.is_landfill();
  std::size_t gw = 0, sf = 0, any = 0;
  for (const ChemicalReport& w : r.report) {
    gw += w.GW_EXCEEDED;
    sf += w.SF_EXCEEDED;
    any += w.GW_EXCEEDED || w.SF_EXCEEDED;
  }
  std::string s = "<section id=\"verdict\">\n<h2>Verdict</h2>\n<p class=\"summary\">";
  if (any == 0)
    s += "<span class=\"ok\">&#10003; No chemical exceeds a limit.</span>";
  else
    s += "<span class=\"exceeded\">&#10006; " + std::to_string(any) + " of " +
         std::to_string(r.chemicals.size()) +
         " chemicals exceed a limit</span> (groundwater: " + std::to_string(gw) +
         ", surface: " + std::to_string(sf) + ").";
  s += "</p>\n<p>Groundwater compares the TCLP concentration with the maximum allowable TCLP "
       "concentration; surface compares the ";
  s += landfill ? "total concentration" : "TCLP concentration";
  s += " with the maximum allowable concentration of the surface pathways. The limiting pathway "
       "of each is named below its value.</p>\n";
  const std::string sf_unit = landfill ? "mg/kg" : "mg/L";
  s += "<table class=\"verdicts\">\n<thead>\n<tr><th rowspan=\"2\">Chemical</th>"
       "<th rowspan=\"2\">TCLP (mg/L)</th><th rowspan=\"2\">Total (mg/kg)</th>"
       "<th colspan=\"2\">Groundwater</th><th colspan=\"2\">Surface</th></tr>\n"
       "<tr><th>Max. allowable TCLP (mg/L)</th><th>Verdict</th><th>Max. allowable " +
       std::string(landfill ? "total" : "TCLP") + " (" + sf_unit +
       ")</th><th>Verdict</th></tr>\n</thead>\n<tbody>\n";
  for (std::size_t i = 0; i < r.chemicals.size(); ++i) {
    const Chemical& c = r.chemicals[i];
    const ChemicalReport& w = r.report[i];
    const auto sk = static_cast<std::size_t>(w.SF_LIMIT - 1);
    s += std::string("<tr") + (w.GW_EXCEEDED || w.SF_EXCEEDED ? " class=\"exceeds\"" : "") +
         "><td>" + html_text(name_of(c)) + "<br/><span class=\"cas\">" + html_text(cas_of(c)) +
         "</span></td><td class=\"num\">" + report_number(c.TCLPCONC) + "</td><td class=\"num\">" +
         report_number(c.TOTC) + "</td>" +
         limit_cell(w.TCLPMAX, gw_pathway_words(w.GW_LIMIT), gw_pathname(w.GW_LIMIT)) +
         verdict_cell(w.GW_EXCEEDED) +
         limit_cell(w.SF_ALLOW[sk], sf_pathway_words(w.SF_LIMIT), sf_pathname(w.SF_LIMIT)) +
         verdict_cell(w.SF_EXCEEDED) + "</tr>\n";
  }
  return s + "</tbody>\n</table>\n</section>\n";
}

std::string drivers_section(const Results& r) {
  ShareChart risk{"risk", "cancer risk", r.totals.RI_TOT(), {}};
  ShareChart hazard{"hazard", "hazard index", r.totals.HI_TOT(), {}};
  for (std::size_t i = 0; i < r.chemicals.size(); ++i) {
    const ChemicalReport& w = r.report[i];
    risk.items.push_back({name_of(r.chemicals[i]), w.RI_SF + w.RI_GW});
    hazard.items.push_back({name_of(r.chemicals[i]), w.HI_SF + w.HI_GW});
  }
  return "<section id=\"drivers\">\n<h2>Risk drivers</h2>\n<p>Each chemical's share of the "
         "stream's total cancer risk and hazard index: its surface and groundwater sums (of the "
         "adult and child dermal pathways only the larger counts), over all chemicals, detected "
         "or not.</p>\n<h3>Cancer risk</h3>\n" +
         share_chart(risk) + "<h3>Hazard index</h3>\n" + share_chart(hazard) + "</section>\n";
}

std::string legend() {
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"legend\" viewBox=\"0 0 680 22\" "
         "width=\"680\" height=\"22\" role=\"img\" aria-label=\"Legend\">"
         "<rect class=\"bar\" x=\"0\" y=\"6\" width=\"22\" height=\"11\"/>"
         "<text x=\"28\" y=\"15\">value of the pathway</text>"
         "<rect class=\"bar over\" x=\"160\" y=\"6\" width=\"22\" height=\"11\"/>"
         "<text x=\"188\" y=\"15\">above the target &#9650;</text>"
         "<line class=\"target-line\" x1=\"340\" x2=\"340\" y1=\"2\" y2=\"20\"/>"
         "<text x=\"348\" y=\"15\">target</text>"
         "<text class=\"na\" x=\"410\" y=\"15\">not applicable: the value is 0</text></svg>\n";
}

LogChart pathway_chart(const Results& r, std::size_t i, bool risk) {
  LogChart chart;
  chart.css_class = risk ? "risk" : "hazard";
  chart.axis_label =
      risk ? "Cancer risk (probability, log scale)" : "Hazard quotient (dimensionless, log scale)";
  chart.target_name = risk ? "target risk" : "target HQ";
  chart.target = risk ? r.unit.WU_RISKFACT : r.unit.WU_HQFACT;
  chart.group_break = kSurfacePathwayCount;
  for (const PathwayEntry& p : kNinePathways)
    chart.bars.push_back(
        {p.label, risk ? p.risk_slot : p.hq_slot, r.results[i].*(risk ? p.risk : p.hq)});
  return chart;
}

std::string chemicals_section(const Results& r) {
  const bool open = r.chemicals.size() <= kOpenChartsUpTo;
  std::string s =
      "<section id=\"chemicals\">\n<h2>Pathways per chemical</h2>\n<p>The cancer risk and the "
      "hazard quotient of each of the nine pathways on a logarithmic axis; every bar shows its "
      "exact value on hover. Surface pathways come first, then groundwater (GW).";
  if (!open) s += " Open a chemical to see its charts.";
  s += "</p>\n" + legend();
  for (std::size_t i = 0; i < r.chemicals.size(); ++i) {
    const Chemical& c = r.chemicals[i];
    const ChemicalReport& w = r.report[i];
    s += "<details class=\"chemical\" id=\"chemical-" + std::to_string(i + 1) + "\"" +
         (open ? " open=\"open\"" : "") + ">\n<summary>" + html_text(name_of(c)) +
         " <span class=\"cas\">" + html_text(cas_of(c)) + "</span>";
    if (w.GW_EXCEEDED) s += "<span class=\"badge exceeded\">&#10006; groundwater exceeded</span>";
    if (w.SF_EXCEEDED) s += "<span class=\"badge exceeded\">&#10006; surface exceeded</span>";
    s += "</summary>\n<h4>Cancer risk by pathway</h4>\n" +
         log_bar_chart(pathway_chart(r, i, true)) + "<h4>Hazard quotient by pathway</h4>\n" +
         log_bar_chart(pathway_chart(r, i, false)) + "</details>\n";
  }
  return s + "</section>\n";
}

std::string completed_page(const Results& r) {
  const std::string what = unit_type(r.unit) + ", " + std::to_string(r.chemicals.size()) +
                           (r.chemicals.size() == 1 ? " chemical" : " chemicals");
  return head("vorn: " + what) + "<h1>Waste-stream risk assessment</h1>\n<p>" + what +
         ". <span class=\"outcome\">&#10003; Run completed</span></p>\n" + unit_section(r) +
         verdict_section(r) + drivers_section(r) + chemicals_section(r) + foot();
}

std::string unfinished_page(const Outcome& outcome) {
  std::string title, explanation;
  switch (outcome.status) {
    case Status::input_missing:
      title = "Input missing";
      explanation = "VORN.IN cannot be opened; nothing was assessed.";
      break;
    case Status::stopped:
      title = "Run stopped";
      explanation = "A check on the input stopped the run before it completed.";
      if (!outcome.message_file.empty())
        explanation += " The message is at the end of " + html_text(outcome.message_file) + ".";
      break;
    case Status::fatal_input_error:
      title = "Fatal input error";
      explanation =
          "The input could not be read, or an output file could not be created; the run ended.";
      break;
    case Status::completed:
      title = "No results";
      explanation = "The run completed but handed back no results.";
      break;
  }
  std::string s = head("vorn: " + title) +
                  "<h1>Waste-stream risk assessment</h1>\n<p class=\"outcome failed\">"
                  "<strong>&#10006; " +
                  title + "</strong> (exit status " + std::to_string(outcome.exit_status()) +
                  ")</p>\n<p>" + explanation + " There are no results to show.</p>\n";
  if (!outcome.message.empty()) {
    s += "<h2>Message</h2>\n<pre class=\"message\">";
    for (std::size_t k = 0; k < outcome.message.size(); ++k) {
      if (k > 0) s += "\n";
      s += html_text(outcome.message[k]);
    }
    s += "</pre>\n";
  }
  return s + foot();
}

}  // namespace

std::string html_page(const Outcome& outcome) {
  if (outcome.status == Status::completed && outcome.results)
    return completed_page(*outcome.results);
  return unfinished_page(outcome);
}

}  // namespace vorn
